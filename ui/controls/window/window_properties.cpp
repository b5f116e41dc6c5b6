#include "ui/controls/window/window_properties.h"

#include "ui/controls/window/window_shapes.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {kWindowTitle, "Title", PropertyKind::kText},
    {kWindowBorder, "Border", PropertyKind::kChoice},
    {kWindowBackColor, "BackColor", PropertyKind::kBackgroundColour},
    {kWindowBackPicture, "BackPicture", PropertyKind::kPicture},
    {kWindowPictureMode, "PictureMode", PropertyKind::kChoice},
    {kWindowMusic, "Music", PropertyKind::kSound},
    {kWindowMusicPlayCount, "MusicPlayCount", PropertyKind::kChoice},
    {kWindowControlBox, "ControlBox", PropertyKind::kLogical},
    {kWindowMaxButton, "MaxButton", PropertyKind::kLogical},
    {kWindowMinButton, "MinButton", PropertyKind::kLogical},
    {kWindowStartPosition, "StartPosition", PropertyKind::kChoice},
    {kWindowMovable, "Movable", PropertyKind::kLogical},
    {kWindowIcon, "Icon", PropertyKind::kIcon},
    {kWindowEnterMovesFocus, "EnterMovesFocus", PropertyKind::kLogical},
    {kWindowEscCloses, "EscCloses", PropertyKind::kLogical},
    {kWindowF1Help, "F1Help", PropertyKind::kLogical},
    {kWindowHelpFile, "HelpFile", PropertyKind::kFileName},
    {kWindowHelpContext, "HelpContext", PropertyKind::kInteger},
    {kWindowShowInTaskbar, "ShowInTaskbar", PropertyKind::kLogical},
    {kWindowFreeMove, "FreeMove", PropertyKind::kLogical},
    {kWindowShape, "Shape", PropertyKind::kChoice},
    {kWindowAlwaysOnTop, "AlwaysOnTop", PropertyKind::kLogical},
    {kWindowKeepTitleActive, "KeepTitleActive", PropertyKind::kLogical},
    {kWindowClassName, "ClassName", PropertyKind::kText},
};

using P = WindowProperties;
using W = WindowWrite;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(kWindowBorder, &P::border).Clamp(0, 6).Then(W::kFrameStyles),
    I32Field<P>(kWindowPictureMode, &P::pictureMode).Clamp(0, 3).Then(W::kRepaint),
    U32Field<P>(kWindowBackColor, &P::backColor).Then(W::kRepaint),
    I32Field<P>(kWindowMaxButton, &P::maxButton).Then(W::kCaptionStyles),
    I32Field<P>(kWindowMinButton, &P::minButton).Then(W::kCaptionStyles),
    I32Field<P>(kWindowControlBox, &P::controlBox).Then(W::kCaptionStyles),
    I32Field<P>(kWindowStartPosition, &P::startPosition).Clamp(0, 3).Then(W::kStartPosition),
    I32Field<P>(kWindowMovable, &P::movable).Then(W::kSystemMenu),
    I32Field<P>(kWindowMusicPlayCount, &P::musicPlayCount).Clamp(0, 2).Then(W::kRepaint),
    I32Field<P>(kWindowEnterMovesFocus, &P::enterMovesFocus),
    I32Field<P>(kWindowEscCloses, &P::escCloses),
    I32Field<P>(kWindowF1Help, &P::f1Help),
    I32Field<P>(kWindowHelpContext, &P::helpContext),
    I32Field<P>(kWindowShowInTaskbar, &P::showInTaskbar, 2),
    I32Field<P>(kWindowFreeMove, &P::freeMove, 3),
    I32Field<P>(kWindowShape, &P::shape, 3).Clamp(0, kLastWindowShape).Then(W::kShape),
    I32Field<P>(kWindowAlwaysOnTop, &P::alwaysOnTop, 4).Then(W::kTopmost),
    I32Field<P>(kWindowKeepTitleActive, &P::keepTitleActive, 5),
    BytesField<P>(kWindowClassName, &P::className, 6),
    BytesField<P>(kWindowBackPicture, &P::backPicture).Then(W::kBackPicture),
    BytesField<P>(kWindowIcon, &P::icon).Then(W::kIcon),
    BytesField<P>(kWindowMusic, &P::music).Then(W::kRepaint),
    BytesField<P>(kWindowTitle, &P::title).Then(W::kTitle),
    BytesField<P>(kWindowHelpFile, &P::helpFile),
};

}  // namespace

const PropertyTable kWindowPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kWindowLayout{kFields, std::size(kFields), kWindowHighestVersion, true,
                                 &kWindowPropertyTable};

OwnDataError DecodeWindowProperties(const uint8_t* data, size_t size, WindowProperties& out) {
    return DecodeOwnData(kWindowLayout, data, size, WindowProperties{}, out);
}

std::string EncodeWindowProperties(const WindowProperties& p, uint32_t version) {
    return EncodeOwnData(kWindowLayout, p, version);
}

std::vector<OwnPropertyValue> ListWindowProperties(const WindowProperties& p) {
    return ListOwnData(kWindowLayout, p);
}

}  // namespace velmora

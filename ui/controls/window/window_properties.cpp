#include "ui/controls/window/window_properties.h"

#include "ui/controls/window/window_shapes.h"
#include "ui/controls/window/window_styles.h"

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
    Field<P>(kWindowBorder, &P::border)
        .Clamp(kBorderNone, kBorderFixedSunken)
        .Then(W::kFrameStyles),
    Field<P>(kWindowPictureMode, &P::pictureMode).Clamp(0, 3).Then(W::kRepaint),
    Field<P>(kWindowBackColor, &P::backColor).Then(W::kRepaint),
    Field<P>(kWindowMaxButton, &P::maxButton).Then(W::kCaptionStyles),
    Field<P>(kWindowMinButton, &P::minButton).Then(W::kCaptionStyles),
    Field<P>(kWindowControlBox, &P::controlBox).Then(W::kCaptionStyles),
    Field<P>(kWindowStartPosition, &P::startPosition).Clamp(0, 3).Then(W::kStartPosition),
    Field<P>(kWindowMovable, &P::movable).Then(W::kSystemMenu),
    Field<P>(kWindowMusicPlayCount, &P::musicPlayCount).Clamp(0, 2).Then(W::kRepaint),
    Field<P>(kWindowEnterMovesFocus, &P::enterMovesFocus),
    Field<P>(kWindowEscCloses, &P::escCloses),
    Field<P>(kWindowF1Help, &P::f1Help),
    Field<P>(kWindowHelpContext, &P::helpContext),
    Field<P>(kWindowShowInTaskbar, &P::showInTaskbar, 2),
    Field<P>(kWindowFreeMove, &P::freeMove, 3),
    Field<P>(kWindowShape, &P::shape, 3).Clamp(0, kLastWindowShape).Then(W::kShape),
    Field<P>(kWindowAlwaysOnTop, &P::alwaysOnTop, 4).Then(W::kTopmost),
    Field<P>(kWindowKeepTitleActive, &P::keepTitleActive, 5),
    Field<P>(kWindowClassName, &P::className, 6),
    Field<P>(kWindowBackPicture, &P::backPicture).Then(W::kBackPicture),
    Field<P>(kWindowIcon, &P::icon).Then(W::kIcon),
    Field<P>(kWindowMusic, &P::music).Then(W::kRepaint),
    Field<P>(kWindowTitle, &P::title).Then(W::kTitle),
    Field<P>(kWindowHelpFile, &P::helpFile),
};

}  // namespace

const PropertyTable kWindowPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kWindowLayout{kFields, std::size(kFields), kWindowHighestVersion, true,
                                 &kWindowPropertyTable};

}  // namespace velmora

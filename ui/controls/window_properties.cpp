#include "ui/controls/window_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {8, "Title", PropertyKind::kText},
    {9, "Border", PropertyKind::kChoice},
    {10, "BackColor", PropertyKind::kBackgroundColour},
    {11, "BackPicture", PropertyKind::kPicture},
    {12, "PictureMode", PropertyKind::kChoice},
    {13, "Music", PropertyKind::kSound},
    {14, "MusicPlayCount", PropertyKind::kChoice},
    {15, "ControlBox", PropertyKind::kLogical},
    {16, "MaxButton", PropertyKind::kLogical},
    {17, "MinButton", PropertyKind::kLogical},
    {18, "StartPosition", PropertyKind::kChoice},
    {19, "Movable", PropertyKind::kLogical},
    {20, "Icon", PropertyKind::kIcon},
    {21, "EnterMovesFocus", PropertyKind::kLogical},
    {22, "EscCloses", PropertyKind::kLogical},
    {23, "F1Help", PropertyKind::kLogical},
    {24, "HelpFile", PropertyKind::kFileName},
    {25, "HelpContext", PropertyKind::kInteger},
    {26, "ShowInTaskbar", PropertyKind::kLogical},
    {27, "FreeMove", PropertyKind::kLogical},
    {28, "Shape", PropertyKind::kChoice},
    {29, "AlwaysOnTop", PropertyKind::kLogical},
    {30, "KeepTitleActive", PropertyKind::kLogical},
    {31, "ClassName", PropertyKind::kText},
};

using P = WindowProperties;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(9, &P::border),          I32Field<P>(12, &P::pictureMode),
    U32Field<P>(10, &P::backColor),      I32Field<P>(16, &P::maxButton),
    I32Field<P>(17, &P::minButton),      I32Field<P>(15, &P::controlBox),
    I32Field<P>(18, &P::startPosition),  I32Field<P>(19, &P::movable),
    I32Field<P>(14, &P::musicPlayCount), I32Field<P>(21, &P::enterMovesFocus),
    I32Field<P>(22, &P::escCloses),      I32Field<P>(23, &P::f1Help),
    I32Field<P>(25, &P::helpContext),    I32Field<P>(26, &P::showInTaskbar, 2),
    I32Field<P>(27, &P::freeMove, 3),    I32Field<P>(28, &P::shape, 3),
    I32Field<P>(29, &P::alwaysOnTop, 4), I32Field<P>(30, &P::keepTitleActive, 5),
    BytesField<P>(31, &P::className, 6), BytesField<P>(11, &P::backPicture),
    BytesField<P>(20, &P::icon),         BytesField<P>(13, &P::music),
    BytesField<P>(8, &P::title),         BytesField<P>(24, &P::helpFile),
};

}  // namespace

const PropertyTable kWindowPropertyTable = MakePropertyTable(kRows);

namespace {
const OwnLayout<P> kLayout{kFields, std::size(kFields), kWindowHighestVersion, true,
                           &kWindowPropertyTable};
}

OwnDataError DecodeWindowProperties(const uint8_t* data, size_t size, WindowProperties& out) {
    return DecodeOwnData(kLayout, data, size, WindowProperties{}, out);
}

std::string EncodeWindowProperties(const WindowProperties& p, uint32_t version) {
    return EncodeOwnData(kLayout, p, version);
}

std::vector<OwnPropertyValue> ListWindowProperties(const WindowProperties& p) {
    return ListOwnData(kLayout, p);
}

}  // namespace velmora

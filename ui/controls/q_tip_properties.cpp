#include "ui/controls/q_tip_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {12, "ReservedColor", PropertyKind::kColour},
    {13, "BackColorBegin", PropertyKind::kBackgroundColour},
    {14, "BackColorMiddle", PropertyKind::kBackgroundColour},
    {15, "BackColorEnd", PropertyKind::kBackgroundColour},
    {16, "BackEffect", PropertyKind::kChoice},
    {17, "EffectGranularity", PropertyKind::kInteger},
    {18, "Placement", PropertyKind::kChoice},
    {19, "Transparency", PropertyKind::kInteger},
    // Image lists are byte data like pictures: "MITL", 4 bytes, an ImageList_Read stream.
    {22, "IconList", PropertyKind::kPicture},
    {23, "MarkupImageList", PropertyKind::kPicture},
    {26, "StyleSheet", PropertyKind::kText},
    {42, "ShowAgainOnMove", PropertyKind::kLogical},
    {43, "FollowMouse", PropertyKind::kLogical},
    {44, "KeepWhileInside", PropertyKind::kLogical},
    {45, "CloseOverTip", PropertyKind::kLogical},
    {46, "NoAutoHide", PropertyKind::kLogical},
    {50, "CornerWidth", PropertyKind::kInteger},
    {51, "CornerHeight", PropertyKind::kInteger},
    {52, "MarginX", PropertyKind::kInteger},
    {53, "MarginY", PropertyKind::kInteger},
    {54, "PointerWidth", PropertyKind::kInteger},
    {55, "PointerHeight", PropertyKind::kInteger},
    {56, "PointerMargin", PropertyKind::kInteger},
    {57, "ReservedSize7", PropertyKind::kInteger},
    {58, "ReservedSize8", PropertyKind::kInteger},
    {60, "InitialDelay", PropertyKind::kInteger},
    {61, "ShowTime", PropertyKind::kInteger},
    {62, "FadeInStep", PropertyKind::kInteger},
    {63, "FadeOutStep", PropertyKind::kInteger},
    {66, "BorderColor", PropertyKind::kBackgroundColour},
    {67, "BorderWidth", PropertyKind::kInteger},
    {68, "BorderHeight", PropertyKind::kInteger},
    {70, "ShadowGradient", PropertyKind::kLogical},
    {71, "ShadowDarkness", PropertyKind::kInteger},
    {72, "ShadowOffsetX", PropertyKind::kInteger},
    {73, "ShadowOffsetY", PropertyKind::kInteger},
    {74, "ShadowDepthX", PropertyKind::kInteger},
    {75, "ShadowDepthY", PropertyKind::kInteger},
};

using P = QTipProperties;
constexpr OwnField<P> kFields[] = {
    ReservedField<P>(),
    ReservedField<P>(),
    ReservedField<P>(),
    U32Field<P>(12, &P::reservedColor),
    U32Field<P>(13, &P::backColorBegin),
    U32Field<P>(14, &P::backColorMiddle),
    U32Field<P>(15, &P::backColorEnd),
    I32Field<P>(16, &P::backEffect),
    I32Field<P>(17, &P::effectGranularity),
    I32Field<P>(18, &P::placement),
    I32Field<P>(19, &P::transparency),
    I32Field<P>(42, &P::showAgainOnMove),
    I32Field<P>(43, &P::followMouse),
    I32Field<P>(44, &P::keepWhileInside),
    NegatedLogicalField<P>(45, &P::closeOverTip),
    I32Field<P>(46, &P::noAutoHide),
    ReservedField<P>(),
    ReservedField<P>(),
    ReservedField<P>(),
    BytesField<P>(22, &P::iconList),
    BytesField<P>(23, &P::markupImageList),
    I32Field<P>(50, &P::cornerWidth),
    I32Field<P>(51, &P::cornerHeight),
    I32Field<P>(52, &P::marginX),
    I32Field<P>(53, &P::marginY),
    I32Field<P>(54, &P::pointerWidth),
    I32Field<P>(55, &P::pointerHeight),
    I32Field<P>(56, &P::pointerMargin),
    I32Field<P>(57, &P::reservedSize7),
    I32Field<P>(58, &P::reservedSize8),
    I32Field<P>(60, &P::initialDelay),
    I32Field<P>(61, &P::showTime),
    I32Field<P>(62, &P::fadeInStep),
    I32Field<P>(63, &P::fadeOutStep),
    U32Field<P>(66, &P::borderColor),
    I32Field<P>(67, &P::borderWidth),
    I32Field<P>(68, &P::borderHeight),
    I32Field<P>(70, &P::shadowGradient),
    I32Field<P>(71, &P::shadowDarkness),
    I32Field<P>(72, &P::shadowOffsetX),
    I32Field<P>(73, &P::shadowOffsetY),
    I32Field<P>(74, &P::shadowDepthX),
    I32Field<P>(75, &P::shadowDepthY),
    BytesField<P>(26, &P::styleSheet),
};

}  // namespace

const PropertyTable kQTipPropertyTable = MakePropertyTable(kRows);

namespace {
// The version word is written but never looked at: every stored version reads alike.
const OwnLayout<P> kLayout{kFields, std::size(kFields), kQTipWrittenVersion, false,
                           &kQTipPropertyTable};
}  // namespace

QTipProperties NewQTipProperties(uint32_t infoBackgroundColour, uint32_t infoTextColour) {
    QTipProperties p;
    p.reservedColor = infoBackgroundColour;
    p.backColorBegin = infoBackgroundColour;
    p.borderColor = infoTextColour;
    return p;
}

OwnDataError DecodeQTipProperties(const uint8_t* data, size_t size, QTipProperties& out,
                                  const QTipProperties& newBox) {
    return DecodeOwnData(kLayout, data, size, newBox, out);
}

std::string EncodeQTipProperties(const QTipProperties& p) {
    return EncodeOwnData(kLayout, p, kQTipWrittenVersion);
}

std::vector<OwnPropertyValue> ListQTipProperties(const QTipProperties& p) {
    return ListOwnData(kLayout, p);
}

}  // namespace velmora

#include "ui/controls/balloon_tip/q_tip_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {kQTipReservedColor, "ReservedColor", PropertyKind::kColour},
    {kQTipBackColorBegin, "BackColorBegin", PropertyKind::kBackgroundColour},
    {kQTipBackColorMiddle, "BackColorMiddle", PropertyKind::kBackgroundColour},
    {kQTipBackColorEnd, "BackColorEnd", PropertyKind::kBackgroundColour},
    {kQTipBackEffect, "BackEffect", PropertyKind::kChoice},
    {kQTipEffectGranularity, "EffectGranularity", PropertyKind::kInteger},
    {kQTipPlacement, "Placement", PropertyKind::kChoice},
    {kQTipTransparency, "Transparency", PropertyKind::kInteger},
    // Image lists are byte data like pictures: "MITL", 4 bytes, an ImageList_Read stream.
    {kQTipIconList, "IconList", PropertyKind::kPicture},
    {kQTipMarkupImageList, "MarkupImageList", PropertyKind::kPicture},
    {kQTipStyleSheet, "StyleSheet", PropertyKind::kText},
    {kQTipShowAgainOnMove, "ShowAgainOnMove", PropertyKind::kLogical},
    {kQTipFollowMouse, "FollowMouse", PropertyKind::kLogical},
    {kQTipKeepWhileInside, "KeepWhileInside", PropertyKind::kLogical},
    {kQTipCloseOverTip, "CloseOverTip", PropertyKind::kLogical},
    {kQTipNoAutoHide, "NoAutoHide", PropertyKind::kLogical},
    {kQTipCornerWidth, "CornerWidth", PropertyKind::kInteger},
    {kQTipCornerHeight, "CornerHeight", PropertyKind::kInteger},
    {kQTipMarginX, "MarginX", PropertyKind::kInteger},
    {kQTipMarginY, "MarginY", PropertyKind::kInteger},
    {kQTipPointerWidth, "PointerWidth", PropertyKind::kInteger},
    {kQTipPointerHeight, "PointerHeight", PropertyKind::kInteger},
    {kQTipPointerMargin, "PointerMargin", PropertyKind::kInteger},
    {kQTipReservedSize7, "ReservedSize7", PropertyKind::kInteger},
    {kQTipReservedSize8, "ReservedSize8", PropertyKind::kInteger},
    {kQTipInitialDelay, "InitialDelay", PropertyKind::kInteger},
    {kQTipShowTime, "ShowTime", PropertyKind::kInteger},
    {kQTipFadeInStep, "FadeInStep", PropertyKind::kInteger},
    {kQTipFadeOutStep, "FadeOutStep", PropertyKind::kInteger},
    {kQTipBorderColor, "BorderColor", PropertyKind::kBackgroundColour},
    {kQTipBorderWidth, "BorderWidth", PropertyKind::kInteger},
    {kQTipBorderHeight, "BorderHeight", PropertyKind::kInteger},
    {kQTipShadowGradient, "ShadowGradient", PropertyKind::kLogical},
    {kQTipShadowDarkness, "ShadowDarkness", PropertyKind::kInteger},
    {kQTipShadowOffsetX, "ShadowOffsetX", PropertyKind::kInteger},
    {kQTipShadowOffsetY, "ShadowOffsetY", PropertyKind::kInteger},
    {kQTipShadowDepthX, "ShadowDepthX", PropertyKind::kInteger},
    {kQTipShadowDepthY, "ShadowDepthY", PropertyKind::kInteger},
};

using P = QTipProperties;
using W = QTipWrite;
constexpr OwnField<P> kFields[] = {
    ReservedField<P>(),
    ReservedField<P>(),
    ReservedField<P>(),
    U32Field<P>(kQTipReservedColor, &P::reservedColor),
    U32Field<P>(kQTipBackColorBegin, &P::backColorBegin).Then(W::kColours),
    U32Field<P>(kQTipBackColorMiddle, &P::backColorMiddle).Then(W::kColours),
    U32Field<P>(kQTipBackColorEnd, &P::backColorEnd).Then(W::kColours),
    I32Field<P>(kQTipBackEffect, &P::backEffect).Then(W::kEffect),
    I32Field<P>(kQTipEffectGranularity, &P::effectGranularity).Then(W::kEffect),
    I32Field<P>(kQTipPlacement, &P::placement).Then(W::kPlacement),
    I32Field<P>(kQTipTransparency, &P::transparency).Refuse(0, 100).Then(W::kTransparency),
    I32Field<P>(kQTipShowAgainOnMove, &P::showAgainOnMove).Then(W::kBits),
    I32Field<P>(kQTipFollowMouse, &P::followMouse).Then(W::kBits),
    I32Field<P>(kQTipKeepWhileInside, &P::keepWhileInside).Then(W::kBits),
    NegatedLogicalField<P>(kQTipCloseOverTip, &P::closeOverTip).Then(W::kBits),
    I32Field<P>(kQTipNoAutoHide, &P::noAutoHide).Then(W::kBits),
    ReservedField<P>(),
    ReservedField<P>(),
    ReservedField<P>(),
    BytesField<P>(kQTipIconList, &P::iconList).Then(W::kIconList),
    BytesField<P>(kQTipMarkupImageList, &P::markupImageList).Then(W::kMarkupImageList),
    I32Field<P>(kQTipCornerWidth, &P::cornerWidth).Then(W::kSizes),
    I32Field<P>(kQTipCornerHeight, &P::cornerHeight).Then(W::kSizes),
    I32Field<P>(kQTipMarginX, &P::marginX).Then(W::kSizes),
    I32Field<P>(kQTipMarginY, &P::marginY).Then(W::kSizes),
    I32Field<P>(kQTipPointerWidth, &P::pointerWidth).Then(W::kSizes),
    I32Field<P>(kQTipPointerHeight, &P::pointerHeight).Then(W::kSizes),
    I32Field<P>(kQTipPointerMargin, &P::pointerMargin).Then(W::kSizes),
    I32Field<P>(kQTipReservedSize7, &P::reservedSize7).Then(W::kSizes),
    I32Field<P>(kQTipReservedSize8, &P::reservedSize8).Then(W::kSizes),
    I32Field<P>(kQTipInitialDelay, &P::initialDelay).Then(W::kTimes),
    I32Field<P>(kQTipShowTime, &P::showTime).Then(W::kTimes),
    I32Field<P>(kQTipFadeInStep, &P::fadeInStep).Then(W::kTimes),
    I32Field<P>(kQTipFadeOutStep, &P::fadeOutStep).Then(W::kTimes),
    U32Field<P>(kQTipBorderColor, &P::borderColor).Then(W::kBorder),
    I32Field<P>(kQTipBorderWidth, &P::borderWidth).Then(W::kBorder),
    I32Field<P>(kQTipBorderHeight, &P::borderHeight).Then(W::kBorder),
    I32Field<P>(kQTipShadowGradient, &P::shadowGradient).Then(W::kShadow),
    I32Field<P>(kQTipShadowDarkness, &P::shadowDarkness).Refuse(0, 100).Then(W::kShadow),
    I32Field<P>(kQTipShadowOffsetX, &P::shadowOffsetX).Then(W::kShadow),
    I32Field<P>(kQTipShadowOffsetY, &P::shadowOffsetY).Then(W::kShadow),
    I32Field<P>(kQTipShadowDepthX, &P::shadowDepthX).Then(W::kShadow),
    I32Field<P>(kQTipShadowDepthY, &P::shadowDepthY).Then(W::kShadow),
    BytesField<P>(kQTipStyleSheet, &P::styleSheet).Then(W::kStyleSheet),
};

}  // namespace

const PropertyTable kQTipPropertyTable = MakePropertyTable(kRows);

// The version word is written but never looked at: every stored version reads alike.
const OwnLayout<P> kQTipLayout{kFields, std::size(kFields), kQTipWrittenVersion, false,
                               &kQTipPropertyTable};

QTipProperties NewQTipProperties(uint32_t infoBackgroundColour, uint32_t infoTextColour) {
    QTipProperties p;
    p.reservedColor = infoBackgroundColour;
    p.backColorBegin = infoBackgroundColour;
    p.borderColor = infoTextColour;
    return p;
}

OwnDataError DecodeQTipProperties(const uint8_t* data, size_t size, QTipProperties& out,
                                  const QTipProperties& newBox) {
    return DecodeOwnData(kQTipLayout, data, size, newBox, out);
}

std::string EncodeQTipProperties(const QTipProperties& p) {
    return EncodeOwnData(kQTipLayout, p, kQTipWrittenVersion);
}

std::vector<OwnPropertyValue> ListQTipProperties(const QTipProperties& p) {
    return ListOwnData(kQTipLayout, p);
}

}  // namespace velmora

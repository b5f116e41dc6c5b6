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
    Field<P>(kQTipReservedColor, &P::reservedColor),
    Field<P>(kQTipBackColorBegin, &P::backColorBegin).Then(W::kColours),
    Field<P>(kQTipBackColorMiddle, &P::backColorMiddle).Then(W::kColours),
    Field<P>(kQTipBackColorEnd, &P::backColorEnd).Then(W::kColours),
    Field<P>(kQTipBackEffect, &P::backEffect).Then(W::kEffect),
    Field<P>(kQTipEffectGranularity, &P::effectGranularity).Then(W::kEffect),
    Field<P>(kQTipPlacement, &P::placement).Then(W::kPlacement),
    Field<P>(kQTipTransparency, &P::transparency).Refuse(0, 100).Then(W::kTransparency),
    Field<P>(kQTipShowAgainOnMove, &P::showAgainOnMove).Then(W::kBits),
    Field<P>(kQTipFollowMouse, &P::followMouse).Then(W::kBits),
    Field<P>(kQTipKeepWhileInside, &P::keepWhileInside).Then(W::kBits),
    NegatedLogicalField<P>(kQTipCloseOverTip, &P::closeOverTip).Then(W::kBits),
    Field<P>(kQTipNoAutoHide, &P::noAutoHide).Then(W::kBits),
    ReservedField<P>(),
    ReservedField<P>(),
    ReservedField<P>(),
    Field<P>(kQTipIconList, &P::iconList).Then(W::kIconList),
    Field<P>(kQTipMarkupImageList, &P::markupImageList).Then(W::kMarkupImageList),
    Field<P>(kQTipCornerWidth, &P::cornerWidth).Then(W::kSizes),
    Field<P>(kQTipCornerHeight, &P::cornerHeight).Then(W::kSizes),
    Field<P>(kQTipMarginX, &P::marginX).Then(W::kSizes),
    Field<P>(kQTipMarginY, &P::marginY).Then(W::kSizes),
    Field<P>(kQTipPointerWidth, &P::pointerWidth).Then(W::kSizes),
    Field<P>(kQTipPointerHeight, &P::pointerHeight).Then(W::kSizes),
    Field<P>(kQTipPointerMargin, &P::pointerMargin).Then(W::kSizes),
    Field<P>(kQTipReservedSize7, &P::reservedSize7).Then(W::kSizes),
    Field<P>(kQTipReservedSize8, &P::reservedSize8).Then(W::kSizes),
    Field<P>(kQTipInitialDelay, &P::initialDelay).Then(W::kTimes),
    Field<P>(kQTipShowTime, &P::showTime).Then(W::kTimes),
    Field<P>(kQTipFadeInStep, &P::fadeInStep).Then(W::kTimes),
    Field<P>(kQTipFadeOutStep, &P::fadeOutStep).Then(W::kTimes),
    Field<P>(kQTipBorderColor, &P::borderColor).Then(W::kBorder),
    Field<P>(kQTipBorderWidth, &P::borderWidth).Then(W::kBorder),
    Field<P>(kQTipBorderHeight, &P::borderHeight).Then(W::kBorder),
    Field<P>(kQTipShadowGradient, &P::shadowGradient).Then(W::kShadow),
    Field<P>(kQTipShadowDarkness, &P::shadowDarkness).Refuse(0, 100).Then(W::kShadow),
    Field<P>(kQTipShadowOffsetX, &P::shadowOffsetX).Then(W::kShadow),
    Field<P>(kQTipShadowOffsetY, &P::shadowOffsetY).Then(W::kShadow),
    Field<P>(kQTipShadowDepthX, &P::shadowDepthX).Then(W::kShadow),
    Field<P>(kQTipShadowDepthY, &P::shadowDepthY).Then(W::kShadow),
    Field<P>(kQTipStyleSheet, &P::styleSheet).Then(W::kStyleSheet),
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

}  // namespace velmora

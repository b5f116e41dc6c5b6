#include "ui/controls/hyperlinker_properties.h"

#include "ui/controls/border_styles.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {kHyperLinkerCaption, "Caption", PropertyKind::kText},
    {kHyperLinkerLinkKind, "LinkKind", PropertyKind::kChoice},
    {kHyperLinkerMailAddress, "MailAddress", PropertyKind::kText},
    {kHyperLinkerWebAddress, "WebAddress", PropertyKind::kText},
    {kHyperLinkerNormalColor, "NormalColor", PropertyKind::kColour},
    {kHyperLinkerVisitedColor, "VisitedColor", PropertyKind::kColour},
    {kHyperLinkerHoverColor, "HoverColor", PropertyKind::kColour},
    {kHyperLinkerBackColor, "BackColor", PropertyKind::kBackgroundColour},
    {kHyperLinkerBorder, "Border", PropertyKind::kChoice},
    {kHyperLinkerFont, "Font", PropertyKind::kFont},
};

using P = HyperLinkerProperties;
using W = HyperLinkerWrite;
constexpr OwnField<P> kFields[] = {
    Field<P>(kHyperLinkerLinkKind, &P::linkKind).Clamp(0, 1),
    Field<P>(kHyperLinkerNormalColor, &P::normalColor),
    Field<P>(kHyperLinkerVisitedColor, &P::visitedColor),
    Field<P>(kHyperLinkerHoverColor, &P::hoverColor),
    Field<P>(kHyperLinkerBackColor, &P::backColor),
    Field<P>(kHyperLinkerBorder, &P::border).Clamp(0, kLastBorder).Then(W::kBorder),
    Field<P>(kHyperLinkerFont, &P::font),
    Field<P>(kHyperLinkerCaption, &P::caption).Then(W::kCaption),
    Field<P>(kHyperLinkerMailAddress, &P::mailAddress).Then(W::kAddress),
    Field<P>(kHyperLinkerWebAddress, &P::webAddress).Then(W::kAddress),
};

}  // namespace

const PropertyTable kHyperLinkerPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kHyperLinkerLayout{kFields, std::size(kFields), kHyperLinkerHighestVersion, true,
                                      &kHyperLinkerPropertyTable};

HyperLinkerProperties NewHyperLinkerProperties(uint32_t highlightColour) {
    HyperLinkerProperties p;
    p.hoverColor = highlightColour;
    return p;
}

}  // namespace velmora

#include "ui/controls/hyperlinker_properties.h"

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
    I32Field<P>(kHyperLinkerLinkKind, &P::linkKind).Clamp(0, 1),
    U32Field<P>(kHyperLinkerNormalColor, &P::normalColor),
    U32Field<P>(kHyperLinkerVisitedColor, &P::visitedColor),
    U32Field<P>(kHyperLinkerHoverColor, &P::hoverColor),
    U32Field<P>(kHyperLinkerBackColor, &P::backColor),
    I32Field<P>(kHyperLinkerBorder, &P::border).Clamp(0, 5).Then(W::kBorder),
    BytesField<P>(kHyperLinkerFont, &P::font),
    BytesField<P>(kHyperLinkerCaption, &P::caption).Then(W::kCaption),
    BytesField<P>(kHyperLinkerMailAddress, &P::mailAddress).Then(W::kAddress),
    BytesField<P>(kHyperLinkerWebAddress, &P::webAddress).Then(W::kAddress),
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

OwnDataError DecodeHyperLinkerProperties(const uint8_t* data, size_t size,
                                         HyperLinkerProperties& out,
                                         const HyperLinkerProperties& newBox) {
    return DecodeOwnData(kHyperLinkerLayout, data, size, newBox, out);
}

std::string EncodeHyperLinkerProperties(const HyperLinkerProperties& p, uint32_t version) {
    return EncodeOwnData(kHyperLinkerLayout, p, version);
}

std::vector<OwnPropertyValue> ListHyperLinkerProperties(const HyperLinkerProperties& p) {
    return ListOwnData(kHyperLinkerLayout, p);
}

}  // namespace velmora

#include "ui/controls/hyperlinker_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {8, "Caption", PropertyKind::kText},        {9, "LinkKind", PropertyKind::kChoice},
    {10, "MailAddress", PropertyKind::kText},   {11, "WebAddress", PropertyKind::kText},
    {12, "NormalColor", PropertyKind::kColour}, {13, "VisitedColor", PropertyKind::kColour},
    {14, "HoverColor", PropertyKind::kColour},  {15, "BackColor", PropertyKind::kBackgroundColour},
    {16, "Border", PropertyKind::kChoice},      {17, "Font", PropertyKind::kFont},
};

using P = HyperLinkerProperties;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(9, &P::linkKind),       U32Field<P>(12, &P::normalColor),
    U32Field<P>(13, &P::visitedColor),  U32Field<P>(14, &P::hoverColor),
    U32Field<P>(15, &P::backColor),     I32Field<P>(16, &P::border),
    BytesField<P>(17, &P::font),        BytesField<P>(8, &P::caption),
    BytesField<P>(10, &P::mailAddress), BytesField<P>(11, &P::webAddress),
};

}  // namespace

const PropertyTable kHyperLinkerPropertyTable = MakePropertyTable(kRows);

namespace {
const OwnLayout<P> kLayout{kFields, std::size(kFields), kHyperLinkerHighestVersion, true,
                           &kHyperLinkerPropertyTable};
}

HyperLinkerProperties NewHyperLinkerProperties(uint32_t highlightColour) {
    HyperLinkerProperties p;
    p.hoverColor = highlightColour;
    return p;
}

OwnDataError DecodeHyperLinkerProperties(const uint8_t* data, size_t size,
                                         HyperLinkerProperties& out,
                                         const HyperLinkerProperties& newBox) {
    return DecodeOwnData(kLayout, data, size, newBox, out);
}

std::string EncodeHyperLinkerProperties(const HyperLinkerProperties& p, uint32_t version) {
    return EncodeOwnData(kLayout, p, version);
}

std::vector<OwnPropertyValue> ListHyperLinkerProperties(const HyperLinkerProperties& p) {
    return ListOwnData(kLayout, p);
}

}  // namespace velmora

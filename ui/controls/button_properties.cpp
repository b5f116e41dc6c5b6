#include "ui/controls/button_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {8, "Picture", PropertyKind::kPicture}, {9, "Kind", PropertyKind::kChoice},
    {10, "Caption", PropertyKind::kText},   {11, "HAlign", PropertyKind::kChoice},
    {12, "VAlign", PropertyKind::kChoice},  {13, "Font", PropertyKind::kFont},
};

using P = ButtonProperties;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(9, &P::kind),      I32Field<P>(11, &P::hAlign), I32Field<P>(12, &P::vAlign),
    BytesField<P>(8, &P::picture), BytesField<P>(13, &P::font), BytesField<P>(10, &P::caption),
};

}  // namespace

const PropertyTable kButtonPropertyTable = MakePropertyTable(kRows);

namespace {
const OwnLayout<P> kLayout{kFields, std::size(kFields), kButtonHighestVersion, true,
                           &kButtonPropertyTable};
}

OwnDataError DecodeButtonProperties(const uint8_t* data, size_t size, ButtonProperties& out) {
    return DecodeOwnData(kLayout, data, size, ButtonProperties{}, out);
}

std::string EncodeButtonProperties(const ButtonProperties& p, uint32_t version) {
    return EncodeOwnData(kLayout, p, version);
}

std::vector<OwnPropertyValue> ListButtonProperties(const ButtonProperties& p) {
    return ListOwnData(kLayout, p);
}

}  // namespace velmora

#include "ui/controls/button_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {kButtonPicture, "Picture", PropertyKind::kPicture},
    {kButtonKind, "Kind", PropertyKind::kChoice},
    {kButtonCaption, "Caption", PropertyKind::kText},
    {kButtonHAlign, "HAlign", PropertyKind::kChoice},
    {kButtonVAlign, "VAlign", PropertyKind::kChoice},
    {kButtonFont, "Font", PropertyKind::kFont},
};

using P = ButtonProperties;
using W = ButtonWrite;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(kButtonKind, &P::kind).Clamp(kPushButton, kDefaultButton).Then(W::kKind),
    I32Field<P>(kButtonHAlign, &P::hAlign).Clamp(0, 2).Then(W::kAlignment),
    I32Field<P>(kButtonVAlign, &P::vAlign).Clamp(0, 2).Then(W::kAlignment),
    BytesField<P>(kButtonPicture, &P::picture).Then(W::kRecreate),
    BytesField<P>(kButtonFont, &P::font).Then(W::kFont),
    BytesField<P>(kButtonCaption, &P::caption).Then(W::kCaption),
};

}  // namespace

const PropertyTable kButtonPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kButtonLayout{kFields, std::size(kFields), kButtonHighestVersion, true,
                                 &kButtonPropertyTable};

OwnDataError DecodeButtonProperties(const uint8_t* data, size_t size, ButtonProperties& out) {
    return DecodeOwnData(kButtonLayout, data, size, ButtonProperties{}, out);
}

std::string EncodeButtonProperties(const ButtonProperties& p, uint32_t version) {
    return EncodeOwnData(kButtonLayout, p, version);
}

std::vector<OwnPropertyValue> ListButtonProperties(const ButtonProperties& p) {
    return ListOwnData(kButtonLayout, p);
}

}  // namespace velmora

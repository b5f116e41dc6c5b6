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
    Field<P>(kButtonKind, &P::kind).Clamp(kPushButton, kDefaultButton).Then(W::kKind),
    Field<P>(kButtonHAlign, &P::hAlign).Clamp(0, 2).Then(W::kAlignment),
    Field<P>(kButtonVAlign, &P::vAlign).Clamp(0, 2).Then(W::kAlignment),
    Field<P>(kButtonPicture, &P::picture).Then(W::kRecreate),
    Field<P>(kButtonFont, &P::font).Then(W::kFont),
    Field<P>(kButtonCaption, &P::caption).Then(W::kCaption),
};

}  // namespace

const PropertyTable kButtonPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kButtonLayout{kFields, std::size(kFields), kButtonHighestVersion, true,
                                 &kButtonPropertyTable};

}  // namespace velmora

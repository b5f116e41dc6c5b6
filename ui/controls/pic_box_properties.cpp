#include "ui/controls/pic_box_properties.h"

#include "ui/controls/border_styles.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {kPicBoxBorder, "Border", PropertyKind::kChoice},
    {kPicBoxBackColor, "BackColor", PropertyKind::kBackgroundColour},
    {kPicBoxPicture, "Picture", PropertyKind::kPicture},
    {kPicBoxDisplayMode, "DisplayMode", PropertyKind::kChoice},
    {kPicBoxAnimate, "Animate", PropertyKind::kLogical},
    {kPicBoxDataSource, "DataSource", PropertyKind::kDataSource},
    {kPicBoxDataField, "DataField", PropertyKind::kDataField},
};

using P = PicBoxProperties;
using W = PicBoxWrite;
constexpr OwnField<P> kFields[] = {
    Field<P>(kPicBoxBorder, &P::border).Clamp(0, kLastBorder).Then(W::kBorder),
    Field<P>(kPicBoxBackColor, &P::backColor).Then(W::kBackColor),
    Field<P>(kPicBoxDisplayMode, &P::displayMode)
        .Clamp(0, kPicBoxLastDisplayMode)
        .Then(W::kDisplayMode),
    Field<P>(kPicBoxAnimate, &P::animate).Then(W::kAnimate),
    Field<P>(kPicBoxPicture, &P::picture).Then(W::kPicture),
    Field<P>(kPicBoxDataSource, &P::dataSource, 2),
    Field<P>(kPicBoxDataField, &P::dataField, 2),
};

}  // namespace

const PropertyTable kPicBoxPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kPicBoxLayout{kFields, std::size(kFields), kPicBoxHighestVersion, true,
                                 &kPicBoxPropertyTable};

}  // namespace velmora

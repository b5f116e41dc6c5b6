#include "ui/controls/pic_box_properties.h"

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
    I32Field<P>(kPicBoxBorder, &P::border).Clamp(0, kPicBoxLastBorder).Then(W::kBorder),
    U32Field<P>(kPicBoxBackColor, &P::backColor).Then(W::kBackColor),
    I32Field<P>(kPicBoxDisplayMode, &P::displayMode)
        .Clamp(0, kPicBoxLastDisplayMode)
        .Then(W::kDisplayMode),
    I32Field<P>(kPicBoxAnimate, &P::animate).Then(W::kAnimate),
    BytesField<P>(kPicBoxPicture, &P::picture).Then(W::kPicture),
    BytesField<P>(kPicBoxDataSource, &P::dataSource, 2),
    BytesField<P>(kPicBoxDataField, &P::dataField, 2),
};

}  // namespace

const PropertyTable kPicBoxPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kPicBoxLayout{kFields, std::size(kFields), kPicBoxHighestVersion, true,
                                 &kPicBoxPropertyTable};

OwnDataError DecodePicBoxProperties(const uint8_t* data, size_t size, PicBoxProperties& out) {
    return DecodeOwnData(kPicBoxLayout, data, size, PicBoxProperties{}, out);
}

std::string EncodePicBoxProperties(const PicBoxProperties& p, uint32_t version) {
    return EncodeOwnData(kPicBoxLayout, p, version);
}

std::vector<OwnPropertyValue> ListPicBoxProperties(const PicBoxProperties& p) {
    return ListOwnData(kPicBoxLayout, p);
}

}  // namespace velmora

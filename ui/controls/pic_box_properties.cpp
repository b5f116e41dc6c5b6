#include "ui/controls/pic_box_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {8, "Border", PropertyKind::kChoice},        {9, "BackColor", PropertyKind::kBackgroundColour},
    {10, "Picture", PropertyKind::kPicture},     {11, "DisplayMode", PropertyKind::kChoice},
    {12, "Animate", PropertyKind::kLogical},     {13, "DataSource", PropertyKind::kDataSource},
    {14, "DataField", PropertyKind::kDataField},
};

using P = PicBoxProperties;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(8, &P::border),          U32Field<P>(9, &P::backColor),
    I32Field<P>(11, &P::displayMode),    I32Field<P>(12, &P::animate),
    BytesField<P>(10, &P::picture),      BytesField<P>(13, &P::dataSource, 2),
    BytesField<P>(14, &P::dataField, 2),
};

}  // namespace

const PropertyTable kPicBoxPropertyTable = MakePropertyTable(kRows);

namespace {
const OwnLayout<P> kLayout{kFields, std::size(kFields), kPicBoxHighestVersion, true,
                           &kPicBoxPropertyTable};
}

OwnDataError DecodePicBoxProperties(const uint8_t* data, size_t size, PicBoxProperties& out) {
    return DecodeOwnData(kLayout, data, size, PicBoxProperties{}, out);
}

std::string EncodePicBoxProperties(const PicBoxProperties& p, uint32_t version) {
    return EncodeOwnData(kLayout, p, version);
}

std::vector<OwnPropertyValue> ListPicBoxProperties(const PicBoxProperties& p) {
    return ListOwnData(kLayout, p);
}

}  // namespace velmora

#include "ui/controls/label_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {8, "Caption", PropertyKind::kText},
    {9, "Effect", PropertyKind::kChoice},
    {10, "Border", PropertyKind::kChoice},
    {11, "GradBorderWidth", PropertyKind::kInteger},
    {12, "GradBorderColor1", PropertyKind::kGradientColour},
    {13, "GradBorderColor2", PropertyKind::kGradientColour},
    {14, "GradBorderColor3", PropertyKind::kGradientColour},
    {15, "Font", PropertyKind::kFont},
    {16, "TextColor", PropertyKind::kColour},
    {17, "BackColor", PropertyKind::kBackgroundColour},
    {18, "BackPicture", PropertyKind::kPicture},
    {19, "PictureMode", PropertyKind::kChoice},
    {20, "GradBackMode", PropertyKind::kChoice},
    {21, "GradBackColor1", PropertyKind::kGradientColour},
    {22, "GradBackColor2", PropertyKind::kGradientColour},
    {23, "GradBackColor3", PropertyKind::kGradientColour},
    {24, "HAlign", PropertyKind::kChoice},
    {25, "WordWrap", PropertyKind::kLogical},
    {26, "VAlign", PropertyKind::kChoice},
    {27, "DataSource", PropertyKind::kDataSource},
    {28, "DataField", PropertyKind::kDataField},
};

using P = LabelProperties;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(9, &P::effect),
    I32Field<P>(11, &P::gradBorderWidth),
    I32Field<P>(10, &P::border),
    U32Field<P>(12, &P::gradBorderColor1),
    U32Field<P>(13, &P::gradBorderColor2),
    U32Field<P>(14, &P::gradBorderColor3),
    U32Field<P>(16, &P::textColor),
    U32Field<P>(17, &P::backColor),
    I32Field<P>(19, &P::pictureMode),
    I32Field<P>(20, &P::gradBackMode),
    U32Field<P>(21, &P::gradBackColor1),
    U32Field<P>(22, &P::gradBackColor2),
    U32Field<P>(23, &P::gradBackColor3),
    I32Field<P>(24, &P::hAlign),
    I32Field<P>(26, &P::vAlign),
    I32Field<P>(25, &P::wordWrap),
    BytesField<P>(15, &P::font),
    BytesField<P>(18, &P::backPicture),
    BytesField<P>(8, &P::caption),
    BytesField<P>(27, &P::dataSource, 2),
    BytesField<P>(28, &P::dataField, 2),
};

}  // namespace

const PropertyTable kLabelPropertyTable = MakePropertyTable(kRows);

namespace {
const OwnLayout<P> kLayout{kFields, std::size(kFields), kLabelHighestVersion, true,
                           &kLabelPropertyTable};
}

OwnDataError DecodeLabelProperties(const uint8_t* data, size_t size, LabelProperties& out) {
    return DecodeOwnData(kLayout, data, size, LabelProperties{}, out);
}

std::string EncodeLabelProperties(const LabelProperties& p, uint32_t version) {
    return EncodeOwnData(kLayout, p, version);
}

std::vector<OwnPropertyValue> ListLabelProperties(const LabelProperties& p) {
    return ListOwnData(kLayout, p);
}

}  // namespace velmora

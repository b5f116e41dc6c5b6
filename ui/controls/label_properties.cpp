#include "ui/controls/label_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {kLabelCaption, "Caption", PropertyKind::kText},
    {kLabelEffect, "Effect", PropertyKind::kChoice},
    {kLabelBorder, "Border", PropertyKind::kChoice},
    {kLabelGradBorderWidth, "GradBorderWidth", PropertyKind::kInteger},
    {kLabelGradBorderColor1, "GradBorderColor1", PropertyKind::kGradientColour},
    {kLabelGradBorderColor2, "GradBorderColor2", PropertyKind::kGradientColour},
    {kLabelGradBorderColor3, "GradBorderColor3", PropertyKind::kGradientColour},
    {kLabelFont, "Font", PropertyKind::kFont},
    {kLabelTextColor, "TextColor", PropertyKind::kColour},
    {kLabelBackColor, "BackColor", PropertyKind::kBackgroundColour},
    {kLabelBackPicture, "BackPicture", PropertyKind::kPicture},
    {kLabelPictureMode, "PictureMode", PropertyKind::kChoice},
    {kLabelGradBackMode, "GradBackMode", PropertyKind::kChoice},
    {kLabelGradBackColor1, "GradBackColor1", PropertyKind::kGradientColour},
    {kLabelGradBackColor2, "GradBackColor2", PropertyKind::kGradientColour},
    {kLabelGradBackColor3, "GradBackColor3", PropertyKind::kGradientColour},
    {kLabelHAlign, "HAlign", PropertyKind::kChoice},
    {kLabelWordWrap, "WordWrap", PropertyKind::kLogical},
    {kLabelVAlign, "VAlign", PropertyKind::kChoice},
    {kLabelDataSource, "DataSource", PropertyKind::kDataSource},
    {kLabelDataField, "DataField", PropertyKind::kDataField},
};

constexpr int32_t kSmallestGradBorderWidth = 5;  // widths of 4 or less store this

using P = LabelProperties;
using W = LabelWrite;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(kLabelEffect, &P::effect).Clamp(0, 3),
    I32Field<P>(kLabelGradBorderWidth, &P::gradBorderWidth)
        .Clamp(kSmallestGradBorderWidth, std::numeric_limits<int32_t>::max()),
    I32Field<P>(kLabelBorder, &P::border).Clamp(0, 6).Then(W::kBorder),
    U32Field<P>(kLabelGradBorderColor1, &P::gradBorderColor1),
    U32Field<P>(kLabelGradBorderColor2, &P::gradBorderColor2),
    U32Field<P>(kLabelGradBorderColor3, &P::gradBorderColor3),
    U32Field<P>(kLabelTextColor, &P::textColor),
    U32Field<P>(kLabelBackColor, &P::backColor),
    I32Field<P>(kLabelPictureMode, &P::pictureMode).Clamp(0, 2),
    I32Field<P>(kLabelGradBackMode, &P::gradBackMode).Clamp(0, 8),
    U32Field<P>(kLabelGradBackColor1, &P::gradBackColor1),
    U32Field<P>(kLabelGradBackColor2, &P::gradBackColor2),
    U32Field<P>(kLabelGradBackColor3, &P::gradBackColor3),
    I32Field<P>(kLabelHAlign, &P::hAlign).Clamp(0, 2),
    I32Field<P>(kLabelVAlign, &P::vAlign).Clamp(0, 2),
    I32Field<P>(kLabelWordWrap, &P::wordWrap),
    BytesField<P>(kLabelFont, &P::font).Then(W::kFont),
    BytesField<P>(kLabelBackPicture, &P::backPicture).Then(W::kBackPicture),
    BytesField<P>(kLabelCaption, &P::caption).Then(W::kCaption),
    BytesField<P>(kLabelDataSource, &P::dataSource, 2),
    BytesField<P>(kLabelDataField, &P::dataField, 2),
};

}  // namespace

const PropertyTable kLabelPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kLabelLayout{kFields, std::size(kFields), kLabelHighestVersion, true,
                                &kLabelPropertyTable};

OwnDataError DecodeLabelProperties(const uint8_t* data, size_t size, LabelProperties& out) {
    return DecodeOwnData(kLabelLayout, data, size, LabelProperties{}, out);
}

std::string EncodeLabelProperties(const LabelProperties& p, uint32_t version) {
    return EncodeOwnData(kLabelLayout, p, version);
}

std::vector<OwnPropertyValue> ListLabelProperties(const LabelProperties& p) {
    return ListOwnData(kLabelLayout, p);
}

}  // namespace velmora

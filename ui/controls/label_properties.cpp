#include "ui/controls/label_properties.h"

#include "ui/controls/border_styles.h"

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
    Field<P>(kLabelEffect, &P::effect).Clamp(0, 3),
    Field<P>(kLabelGradBorderWidth, &P::gradBorderWidth)
        .Clamp(kSmallestGradBorderWidth, std::numeric_limits<int32_t>::max()),
    Field<P>(kLabelBorder, &P::border).Clamp(0, kGradientBorder).Then(W::kBorder),
    Field<P>(kLabelGradBorderColor1, &P::gradBorderColor1),
    Field<P>(kLabelGradBorderColor2, &P::gradBorderColor2),
    Field<P>(kLabelGradBorderColor3, &P::gradBorderColor3),
    Field<P>(kLabelTextColor, &P::textColor),
    Field<P>(kLabelBackColor, &P::backColor),
    Field<P>(kLabelPictureMode, &P::pictureMode).Clamp(0, 2),
    Field<P>(kLabelGradBackMode, &P::gradBackMode).Clamp(0, 8),
    Field<P>(kLabelGradBackColor1, &P::gradBackColor1),
    Field<P>(kLabelGradBackColor2, &P::gradBackColor2),
    Field<P>(kLabelGradBackColor3, &P::gradBackColor3),
    Field<P>(kLabelHAlign, &P::hAlign).Clamp(0, 2),
    Field<P>(kLabelVAlign, &P::vAlign).Clamp(0, 2),
    Field<P>(kLabelWordWrap, &P::wordWrap),
    Field<P>(kLabelFont, &P::font).Then(W::kFont),
    Field<P>(kLabelBackPicture, &P::backPicture).Then(W::kBackPicture),
    Field<P>(kLabelCaption, &P::caption).Then(W::kCaption),
    Field<P>(kLabelDataSource, &P::dataSource, 2),
    Field<P>(kLabelDataField, &P::dataField, 2),
};

}  // namespace

const PropertyTable kLabelPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kLabelLayout{kFields, std::size(kFields), kLabelHighestVersion, true,
                                &kLabelPropertyTable};

}  // namespace velmora

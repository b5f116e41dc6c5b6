#pragma once
// Own properties of the `Label` (type code 0x0001000A). Block, highest version 2:
//   u32 version, i32 Effect, i32 GradBorderWidth, i32 Border,
//   u32 GradBorderColor1..3, u32 TextColor, u32 BackColor, i32 PictureMode,
//   i32 GradBackMode, u32 GradBackColor1..3, i32 HAlign, i32 VAlign, i32 WordWrap,
//   bytes Font, bytes BackPicture, text Caption,
//   and in version 2: text DataSource, text DataField

#include <limits>
#include <tuple>

#include "ui/controls/own_data.h"

namespace velmora {

// Global indexes of the label's own properties.
enum LabelProperty : int32_t {
    kLabelCaption = 8,
    kLabelEffect = 9,
    kLabelBorder = 10,
    kLabelGradBorderWidth = 11,
    kLabelGradBorderColor1 = 12,
    kLabelGradBorderColor2 = 13,
    kLabelGradBorderColor3 = 14,
    kLabelFont = 15,
    kLabelTextColor = 16,
    kLabelBackColor = 17,
    kLabelBackPicture = 18,
    kLabelPictureMode = 19,
    kLabelGradBackMode = 20,
    kLabelGradBackColor1 = 21,
    kLabelGradBackColor2 = 22,
    kLabelGradBackColor3 = 23,
    kLabelHAlign = 24,
    kLabelWordWrap = 25,
    kLabelVAlign = 26,
    kLabelDataSource = 27,
    kLabelDataField = 28,
};

// What the live label does once a written value is stored; every write repaints.
enum class LabelWrite : uint8_t {
    kRepaint,
    kCaption,
    kBorder,
    kFont,
    kBackPicture,
};

struct LabelProperties {
    int32_t effect = 0;
    int32_t gradBorderWidth = 8;
    int32_t border = 0;
    uint32_t gradBorderColor1 = 0x808080;
    uint32_t gradBorderColor2 = 0xFFFFFF;
    uint32_t gradBorderColor3 = 0x808080;
    uint32_t textColor = 0x000000;
    uint32_t backColor = kSystemDefaultColour;
    int32_t pictureMode = 1;
    int32_t gradBackMode = 0;
    uint32_t gradBackColor1 = 0x808080;
    uint32_t gradBackColor2 = 0xFFFFFF;
    uint32_t gradBackColor3 = 0x808080;
    int32_t hAlign = 0;
    int32_t vAlign = 1;
    int32_t wordWrap = 0;
    std::string font;
    std::string backPicture;
    std::string caption = "标签";
    std::string dataSource;
    std::string dataField;

    auto Tie() const {
        return std::tie(effect, gradBorderWidth, border, gradBorderColor1, gradBorderColor2,
                        gradBorderColor3, textColor, backColor, pictureMode, gradBackMode,
                        gradBackColor1, gradBackColor2, gradBackColor3, hAlign, vAlign, wordWrap,
                        font, backPicture, caption, dataSource, dataField);
    }
};
inline bool operator==(const LabelProperties& a, const LabelProperties& b) {
    return a.Tie() == b.Tie();
}

constexpr uint32_t kLabelHighestVersion = 2;
extern const PropertyTable kLabelPropertyTable;
// The block's fields, with the bounds of the choices and the step of each write.
extern const OwnLayout<LabelProperties> kLabelLayout;

}  // namespace velmora

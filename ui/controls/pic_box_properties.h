#pragma once
// Own properties of the `PicBox` (type code 0x00010006). Block, highest version 2:
//   u32 version, i32 Border, u32 BackColor, i32 DisplayMode, i32 Animate,
//   bytes Picture, and in version 2: text DataSource, text DataField

#include <tuple>

#include "ui/controls/own_data.h"

namespace velmora {

// Global indexes of the picture box's own properties.
enum PicBoxProperty : int32_t {
    kPicBoxBorder = 8,
    kPicBoxBackColor = 9,
    kPicBoxPicture = 10,
    kPicBoxDisplayMode = 11,
    kPicBoxAnimate = 12,
    kPicBoxDataSource = 13,
    kPicBoxDataField = 14,
};

constexpr int32_t kPicBoxLastDisplayMode = 2;

// What the live picture box does once a written value is stored.
enum class PicBoxWrite : uint8_t {
    kStoreOnly,
    kBorder,
    kBackColor,
    kPicture,
    kDisplayMode,
    kAnimate,
};

struct PicBoxProperties {
    int32_t border = 0;
    uint32_t backColor = kSystemDefaultColour;
    int32_t displayMode = 0;  // 0 natural size, 1 stretched, 2 centred
    int32_t animate = 1;
    std::string picture;
    std::string dataSource;
    std::string dataField;

    auto Tie() const {
        return std::tie(border, backColor, displayMode, animate, picture, dataSource, dataField);
    }
};
inline bool operator==(const PicBoxProperties& a, const PicBoxProperties& b) {
    return a.Tie() == b.Tie();
}

constexpr uint32_t kPicBoxHighestVersion = 2;
extern const PropertyTable kPicBoxPropertyTable;
// The block's fields, with the bounds of the choices and the step of each write.
extern const OwnLayout<PicBoxProperties> kPicBoxLayout;

}  // namespace velmora

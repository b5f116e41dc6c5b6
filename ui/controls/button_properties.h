#pragma once
// Own properties of the `Button` (type code 0x0001000B). Block, highest version 1:
//   u32 version, i32 Kind, i32 HAlign, i32 VAlign, bytes Picture, bytes Font,
//   text Caption

#include <tuple>

#include "ui/controls/own_data.h"

namespace velmora {

// Global indexes of the button's own properties.
enum ButtonProperty : int32_t {
    kButtonPicture = 8,
    kButtonKind = 9,
    kButtonCaption = 10,
    kButtonHAlign = 11,
    kButtonVAlign = 12,
    kButtonFont = 13,
};

enum ButtonKind : int32_t {
    kPushButton = 0,
    kDefaultButton = 1,
};

// What the live button does once a written value is stored.
enum class ButtonWrite : uint8_t {
    kRecreate,  // the button style depends on the kind of picture
    kKind,
    kCaption,  // the window text only; nothing else is repainted
    kAlignment,
    kFont,
};

struct ButtonProperties {
    int32_t kind = 0;    // a ButtonKind
    int32_t hAlign = 1;  // 0 left, 1 centre, 2 right
    int32_t vAlign = 1;  // 0 top, 1 centre, 2 bottom
    std::string picture;
    std::string font;  // empty or one LOGFONTA record
    std::string caption = "按钮";

    auto Tie() const { return std::tie(kind, hAlign, vAlign, picture, font, caption); }
};
inline bool operator==(const ButtonProperties& a, const ButtonProperties& b) {
    return a.Tie() == b.Tie();
}

constexpr uint32_t kButtonHighestVersion = 1;
extern const PropertyTable kButtonPropertyTable;
// The block's fields, with the bounds of the choices and the step of each write.
extern const OwnLayout<ButtonProperties> kButtonLayout;

}  // namespace velmora

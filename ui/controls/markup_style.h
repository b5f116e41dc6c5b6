#pragma once
// The style of a piece of tip markup: its font, colours, alignment and the spacing
// and frame of block elements. Sizes of fonts are in tenths of a point, all other
// lengths in pixels (at 96 pixels to the inch).

#include <cstdint>
#include <string>

#include "ui/controls/markup_colour.h"

namespace velmora {

enum class TextAlign : uint8_t { kLeft, kCenter, kRight };
enum class VerticalAlign : uint8_t { kBaseline, kTop, kMiddle, kBottom };
enum class TextTransform : uint8_t { kNone, kUppercase, kLowercase, kCapitalize };
enum class BorderStyle : uint8_t { kNone, kSolid, kDotted, kDashed, kDouble };

// Font sizes are kept between 1 and 200 points.
constexpr int kMinFontTenths = 10;
constexpr int kMaxFontTenths = 2000;

struct FontRequest {
    std::string families;  // family names separated by commas, the preferred first (GBK)
    int tenths = 90;       // size in tenths of a point
    int weight = 400;      // 100 to 900
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};
inline bool operator==(const FontRequest& a, const FontRequest& b) {
    return a.families == b.families && a.tenths == b.tenths && a.weight == b.weight &&
           a.italic == b.italic && a.underline == b.underline && a.strikeout == b.strikeout;
}

struct BoxSides {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct TextStyle {
    FontRequest font;
    bool overline = false;
    TextTransform transform = TextTransform::kNone;
    MarkupColour color;       // not set: the balloon's text colour
    MarkupColour background;  // not set: transparent
    // Block elements only; not inherited.
    TextAlign align = TextAlign::kLeft;  // inherited, as in HTML
    VerticalAlign verticalAlign = VerticalAlign::kBaseline;
    BoxSides margin;
    BoxSides padding;
    BorderStyle borderStyle = BorderStyle::kNone;
    int borderWidth = 1;
    MarkupColour borderColor;

    // The style a child element starts from: everything inherited except the
    // background, the vertical alignment, spacing and frame.
    TextStyle Inherited() const {
        TextStyle child = *this;
        child.background = MarkupColour{};
        child.verticalAlign = VerticalAlign::kBaseline;
        child.margin = BoxSides{};
        child.padding = BoxSides{};
        child.borderStyle = BorderStyle::kNone;
        child.borderWidth = 1;
        child.borderColor = MarkupColour{};
        return child;
    }
};

}  // namespace velmora

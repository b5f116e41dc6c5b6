#pragma once
// The style of a piece of tip markup: its font, colours, alignment and the spacing
// and frame of block elements. Sizes of fonts are in tenths of a point, all other
// lengths in pixels (at 96 pixels to the inch).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "ui/markup/markup_colour.h"

namespace velmora {

enum class TextAlign : uint8_t { kLeft, kCenter, kRight };
// Their names in markup (align=) and style sheets (text-align).
constexpr std::pair<const char*, TextAlign> kTextAlignNames[] = {
    {"left", TextAlign::kLeft}, {"center", TextAlign::kCenter}, {"right", TextAlign::kRight}};
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
struct FontRequestHash {
    size_t operator()(const FontRequest& f) const {
        size_t h = std::hash<std::string>()(f.families);
        const size_t rest = (static_cast<size_t>(f.tenths) << 16) ^
                            (static_cast<size_t>(f.weight) << 3) ^ (f.italic ? 4u : 0u) ^
                            (f.underline ? 2u : 0u) ^ (f.strikeout ? 1u : 0u);
        return h ^ (rest + 0x9E3779B9u + (h << 6) + (h >> 2));
    }
};

struct BoxSides {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct TextStyle {
    FontRequest font;
    bool overline = false;
    TextTransform transform = TextTransform::kNone;
    MarkupColour color;                  // not set: the balloon's text colour
    MarkupColour background;             // not set: transparent
    TextAlign align = TextAlign::kLeft;  // inherited, as in HTML
    VerticalAlign verticalAlign = VerticalAlign::kBaseline;
    // Block elements only; not inherited.
    BoxSides margin;
    BoxSides padding;
    BorderStyle borderStyle = BorderStyle::kNone;
    int borderWidth = 1;
    MarkupColour borderColor;

    // The style a child element starts from: everything but spacing and frame. The
    // contents of an inline element lie in its box, so they show its background and
    // move with its vertical alignment; a block starts without either (its
    // background is drawn behind the whole block).
    TextStyle Inherited(bool block) const {
        TextStyle child = *this;
        if (block) {
            child.background = MarkupColour{};
            child.verticalAlign = VerticalAlign::kBaseline;
        }
        child.margin = BoxSides{};
        child.padding = BoxSides{};
        child.borderStyle = BorderStyle::kNone;
        child.borderWidth = 1;
        child.borderColor = MarkupColour{};
        return child;
    }
};

}  // namespace velmora

#include "ui/markup/markup_colour.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "ui/markup/markup_text.h"
#include "ui/markup/pixel_buffer.h"

namespace velmora {

namespace {

struct NamedColour {
    const char* name;
    uint32_t rgb;  // 0xRRGGBB, as the names are usually written
};

// The 140 names of the HTML colour list, sorted: "gray" everywhere but in
// "lightgrey", as the list has always been written.
constexpr NamedColour kHtmlColours[] = {
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
};
static_assert(std::size(kHtmlColours) == 140, "the HTML colour list has 140 names");

struct SystemColourName {
    const char* name;
    uint32_t index;  // the COLOR_ index of GetSysColor
};

// Sorted by name.
constexpr SystemColourName kSystemColours[] = {
    {"activeborder", 10},         // COLOR_ACTIVEBORDER
    {"activecaption", 2},         // COLOR_ACTIVECAPTION
    {"appworkspace", 12},         // COLOR_APPWORKSPACE
    {"background", 1},            // COLOR_BACKGROUND
    {"buttonface", 15},           // COLOR_BTNFACE
    {"buttonhighlight", 20},      // COLOR_BTNHIGHLIGHT
    {"buttonshadow", 16},         // COLOR_BTNSHADOW
    {"buttontext", 18},           // COLOR_BTNTEXT
    {"captiontext", 9},           // COLOR_CAPTIONTEXT
    {"graytext", 17},             // COLOR_GRAYTEXT
    {"highlight", 13},            // COLOR_HIGHLIGHT
    {"highlighttext", 14},        // COLOR_HIGHLIGHTTEXT
    {"inactiveborder", 11},       // COLOR_INACTIVEBORDER
    {"inactivecaption", 3},       // COLOR_INACTIVECAPTION
    {"inactivecaptiontext", 19},  // COLOR_INACTIVECAPTIONTEXT
    {"infobackground", 24},       // COLOR_INFOBK
    {"infotext", 23},             // COLOR_INFOTEXT
    {"menu", 4},                  // COLOR_MENU
    {"menutext", 7},              // COLOR_MENUTEXT
    {"scrollbar", 0},             // COLOR_SCROLLBAR
    {"threeddarkshadow", 21},     // COLOR_3DDKSHADOW
    {"threedface", 15},           // COLOR_3DFACE
    {"threedhighlight", 20},      // COLOR_3DHIGHLIGHT
    {"threedlightshadow", 22},    // COLOR_3DLIGHT
    {"threedshadow", 16},         // COLOR_3DSHADOW
    {"window", 5},                // COLOR_WINDOW
    {"windowframe", 6},           // COLOR_WINDOWFRAME
    {"windowtext", 8},            // COLOR_WINDOWTEXT
};
static_assert(std::size(kSystemColours) == 28, "28 system colour names");

template <typename Row, size_t N>
const Row* FindByName(const Row (&rows)[N], std::string_view name) {
    const Row* it = std::lower_bound(std::begin(rows), std::end(rows), name,
                                     [](const Row& r, std::string_view n) { return r.name < n; });
    return it != std::end(rows) && it->name == name ? it : nullptr;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

const size_t kHtmlColourCount = std::size(kHtmlColours);
const size_t kSystemColourCount = std::size(kSystemColours);

std::optional<uint32_t> HtmlColour(std::string_view lowerName) {
    const NamedColour* c = FindByName(kHtmlColours, lowerName);
    if (!c)
        return std::nullopt;
    return ColorRefFromPixel(c->rgb);
}

std::optional<uint32_t> SystemColourIndex(std::string_view lowerName) {
    const SystemColourName* c = FindByName(kSystemColours, lowerName);
    if (!c)
        return std::nullopt;
    return c->index;
}

std::optional<int64_t> ParseMarkupNumber(std::string_view text, std::string_view* rest) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        i + 2 < text.size() && HexDigit(text[i + 2]) >= 0) {
        base = 16;
        i += 2;
    }
    const size_t first = i;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int d = HexDigit(text[i]);
        if (d < 0 || d >= base)
            break;
        value = std::min<int64_t>(value * base + d, int64_t{1} << 32);
    }
    if (i == first)
        return std::nullopt;
    if (rest)
        *rest = text.substr(i);
    if (base == 16 && value <= 0xFFFFFFFF)
        value = static_cast<int32_t>(static_cast<uint32_t>(value));  // 0xFFFFFFFF is -1
    value = negative ? -value : value;
    return std::clamp<int64_t>(value, INT32_MIN, INT32_MAX);
}

std::optional<MarkupColour> ParseMarkupColour(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return std::nullopt;
    if (text[0] == '#') {
        if (text.size() != 7)
            return std::nullopt;
        uint32_t rgb = 0;
        for (size_t i = 1; i < 7; ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0)
                return std::nullopt;
            rgb = rgb << 4 | static_cast<uint32_t>(d);
        }
        return MarkupColour::Rgb(ColorRefFromPixel(rgb));
    }
    if (text[0] >= '0' && text[0] <= '9') {
        std::string_view rest;
        const std::optional<int64_t> n = ParseMarkupNumber(text, &rest);
        if (!n || !TrimBlanks(rest).empty())
            return std::nullopt;
        return MarkupColour::Rgb(static_cast<uint32_t>(*n));
    }
    const std::string lower = LowerAscii(text);
    if (lower == "transparent")
        return MarkupColour{};
    if (std::optional<uint32_t> rgb = HtmlColour(lower))
        return MarkupColour::Rgb(*rgb);
    if (std::optional<uint32_t> index = SystemColourIndex(lower))
        return MarkupColour::System(*index);
    return std::nullopt;
}

}  // namespace velmora

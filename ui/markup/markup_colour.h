#pragma once
// Colours of the tip markup and its style sheet: "#rrggbb", the 140 standard HTML
// colour names, the 28 system colour names, and numbers ("0x" for hexadecimal),
// which are COLORREF values (0x00BBGGRR) as everywhere else in the system.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

struct MarkupColour {
    enum class Kind : uint8_t {
        kNone,    // not set (inherits, or transparent for backgrounds)
        kRgb,     // value is a COLORREF
        kSystem,  // value is a system colour index (COLOR_WINDOW, ...)
    };
    Kind kind = Kind::kNone;
    uint32_t value = 0;

    static MarkupColour Rgb(uint32_t colorref) { return {Kind::kRgb, colorref & 0x00FFFFFF}; }
    static MarkupColour System(uint32_t index) { return {Kind::kSystem, index}; }
    bool IsSet() const { return kind != Kind::kNone; }
};
inline bool operator==(const MarkupColour& a, const MarkupColour& b) {
    return a.kind == b.kind && a.value == b.value;
}

// A colour written in markup or a style sheet (case-insensitive, blanks around it
// ignored); "transparent" gives a colour that is not set. Nothing for anything else.
std::optional<MarkupColour> ParseMarkupColour(std::string_view text);

// The COLORREF of a standard HTML colour name (lower case), or nothing.
std::optional<uint32_t> HtmlColour(std::string_view lowerName);
// The system colour index of a system colour name (lower case), or nothing.
std::optional<uint32_t> SystemColourIndex(std::string_view lowerName);

// How many names each table holds.
extern const size_t kHtmlColourCount;
extern const size_t kSystemColourCount;

// An integer written in decimal or, after "0x", in hexadecimal, with an optional
// sign; the value saturates at the 32-bit range. `rest` (optional) gets what
// follows the digits. Nothing when no digit starts the text.
std::optional<int64_t> ParseMarkupNumber(std::string_view text, std::string_view* rest = nullptr);

}  // namespace velmora

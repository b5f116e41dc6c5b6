#pragma once
// The style sheet of the tip markup: rules of a selector ("body", "h1", "a:link",
// ".comment"; several separated by commas) and declarations between braces
// ("font-size: 10pt; color:black"), with comments between "/*" and "*/".
//
// Properties: font-size, font-family, font-style, font-weight, color,
// background-color, text-decoration, text-transform, text-align, vertical-align,
// border-style, border-width, border-color, margin-{left,top,right,bottom},
// padding-{left,top,right,bottom}. Lengths in px, ex, in, cm, mm, pt, pc or percent
// (of the font size); a number without a unit is in points for font-size and in
// pixels for everything else. Colours as in markup_colour.h.
//
// Faults are dropped one at a time: a declaration with an unknown property or a
// value that does not fit it is left out; a rule with no declaration left, without
// a selector, or without its closing brace is left out; and the effective sheet
// takes every selector that the given sheet lacks from the default sheet.

#include <string>
#include <string_view>
#include <vector>

#include "ui/markup/markup_style.h"

namespace velmora {

enum class StyleProperty : uint8_t {
    kFontSize,
    kFontFamily,
    kFontStyle,
    kFontWeight,
    kColor,
    kBackgroundColor,
    kTextDecoration,
    kTextTransform,
    kTextAlign,
    kVerticalAlign,
    kBorderStyle,
    kBorderWidth,
    kBorderColor,
    kMarginLeft,
    kMarginTop,
    kMarginRight,
    kMarginBottom,
    kPaddingLeft,
    kPaddingTop,
    kPaddingRight,
    kPaddingBottom,
};

struct StyleDeclaration {
    StyleProperty property;
    std::string value;  // blanks trimmed
};

// Parses "name: value; name: value", keeping the declarations that apply.
std::vector<StyleDeclaration> ParseDeclarations(std::string_view text);

// Applies one declaration to `style`; percentages and "ex" refer to the font size
// of `parent`, "bolder" and "lighter" to its weight. False (and `style` unchanged)
// when the value does not fit the property.
bool ApplyDeclaration(const StyleDeclaration& d, const TextStyle& parent, TextStyle& style);
void ApplyDeclarations(const std::vector<StyleDeclaration>& ds, const TextStyle& parent,
                       TextStyle& style);

struct StyleRule {
    std::string selector;  // one selector, lower case
    std::vector<StyleDeclaration> declarations;
};

class StyleSheet {
  public:
    // The rules of a sheet (up to its first zero byte), in order.
    static StyleSheet Parse(std::string_view text);
    // The sheet the renderer uses for a stored sheet: its rules and, for every
    // selector that it lacks, the rule of the default sheet. An empty text gives
    // the default sheet.
    static StyleSheet Effective(std::string_view text);
    static const StyleSheet& Default();

    // The declarations of every rule for the selector (lower case), in order;
    // empty when it has none.
    std::vector<const StyleRule*> Find(std::string_view selector) const;
    bool Has(std::string_view selector) const { return !Find(selector).empty(); }
    const std::vector<StyleRule>& rules() const { return rules_; }

    // Applies the rules of a selector to `style`.
    void Apply(std::string_view selector, const TextStyle& parent, TextStyle& style) const;

  private:
    std::vector<StyleRule> rules_;
};

}  // namespace velmora

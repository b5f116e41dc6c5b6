#include "ui/markup/style_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <optional>

#include "ui/markup/default_style_sheet.h"
#include "ui/markup/markup_text.h"

namespace velmora {

namespace {

struct PropertyName {
    const char* name;
    StyleProperty property;
};

constexpr PropertyName kProperties[] = {
    {"font-size", StyleProperty::kFontSize},
    {"font-family", StyleProperty::kFontFamily},
    {"font-style", StyleProperty::kFontStyle},
    {"font-weight", StyleProperty::kFontWeight},
    {"color", StyleProperty::kColor},
    {"background-color", StyleProperty::kBackgroundColor},
    {"text-decoration", StyleProperty::kTextDecoration},
    {"text-transform", StyleProperty::kTextTransform},
    {"text-align", StyleProperty::kTextAlign},
    {"vertical-align", StyleProperty::kVerticalAlign},
    {"border-style", StyleProperty::kBorderStyle},
    {"border-width", StyleProperty::kBorderWidth},
    {"border-color", StyleProperty::kBorderColor},
    {"margin-left", StyleProperty::kMarginLeft},
    {"margin-top", StyleProperty::kMarginTop},
    {"margin-right", StyleProperty::kMarginRight},
    {"margin-bottom", StyleProperty::kMarginBottom},
    {"padding-left", StyleProperty::kPaddingLeft},
    {"padding-top", StyleProperty::kPaddingTop},
    {"padding-right", StyleProperty::kPaddingRight},
    {"padding-bottom", StyleProperty::kPaddingBottom},
};

// Spacing and frame widths are kept to what a tip can show.
constexpr int kMaxSpacing = 200;

std::optional<StyleProperty> FindProperty(std::string_view lowerName) {
    for (const PropertyName& p : kProperties) {
        if (lowerName == p.name)
            return p.property;
    }
    return std::nullopt;
}

enum class Unit { kNone, kPx, kEx, kIn, kCm, kMm, kPt, kPc, kPercent };

struct Length {
    double number;
    Unit unit;
};

std::optional<Length> ParseLength(std::string_view text) {
    text = TrimBlanks(text);
    // Digits with at most one point, an optional sign; no exponent.
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    double value = 0;
    double scale = 0;  // 0 before the point, then 0.1, 0.01, ...
    bool digits = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0) {
                value = std::min(value * 10 + (c - '0'), 1e6);
            } else {
                value += (c - '0') * scale;
                scale /= 10;
            }
        } else if (c == '.' && scale == 0) {
            scale = 0.1;
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    static const struct {
        const char* name;
        Unit unit;
    } kUnits[] = {{"", Unit::kNone}, {"px", Unit::kPx}, {"ex", Unit::kEx},
                  {"in", Unit::kIn}, {"cm", Unit::kCm}, {"mm", Unit::kMm},
                  {"pt", Unit::kPt}, {"pc", Unit::kPc}, {"%", Unit::kPercent}};
    const std::string unit = LowerAscii(TrimBlanks(text.substr(i)));
    for (const auto& u : kUnits) {
        if (unit == u.name)
            return Length{negative ? -value : value, u.unit};
    }
    return std::nullopt;
}

// A length in points; `em` is the font size (in points) that percentages and "ex"
// refer to; `bare` is the unit of a number without one.
double InPoints(const Length& l, double em, Unit bare) {
    switch (l.unit == Unit::kNone ? bare : l.unit) {
        case Unit::kPx:
            return l.number * 72 / 96;
        case Unit::kEx:
            return l.number * em / 2;
        case Unit::kIn:
            return l.number * 72;
        case Unit::kCm:
            return l.number * 72 / 2.54;
        case Unit::kMm:
            return l.number * 72 / 25.4;
        case Unit::kPc:
            return l.number * 12;
        case Unit::kPercent:
            return l.number * em / 100;
        case Unit::kPt:
        case Unit::kNone:
            break;
    }
    return l.number;
}

std::optional<int> PixelLength(std::string_view value, const TextStyle& parent) {
    std::optional<Length> l = ParseLength(value);
    if (!l)
        return std::nullopt;
    const double px = InPoints(*l, parent.font.tenths / 10.0, Unit::kPx) * 96 / 72;
    return std::clamp(static_cast<int>(std::lround(px)), 0, kMaxSpacing);
}

// The family list with quotes dropped and blanks around each name trimmed.
std::optional<std::string> FamilyList(std::string_view value) {
    std::string out;
    for (std::string_view name : SplitAt(value, ',')) {
        name = TrimBlanks(name);
        if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') &&
            name.back() == name.front()) {
            name = TrimBlanks(name.substr(1, name.size() - 2));
        }
        if (!name.empty()) {
            if (!out.empty())
                out += ',';
            out += name;
        }
    }
    if (out.empty())
        return std::nullopt;
    return out;
}

constexpr std::pair<const char*, BorderStyle> kBorderStyles[] = {
    {"none", BorderStyle::kNone},     {"solid", BorderStyle::kSolid},
    {"dotted", BorderStyle::kDotted}, {"dashed", BorderStyle::kDashed},
    {"double", BorderStyle::kDouble},
};

bool ApplyFontWeight(std::string_view value, const TextStyle& parent, TextStyle& style) {
    const std::string lower = LowerAscii(TrimBlanks(value));
    int weight;
    if (lower == "normal") {
        weight = 400;
    } else if (lower == "bold") {
        weight = 700;
    } else if (lower == "bolder") {
        weight = parent.font.weight + 300;
    } else if (lower == "lighter") {
        weight = parent.font.weight - 300;
    } else {
        std::optional<Length> l = ParseLength(lower);
        if (!l || l->unit != Unit::kNone)
            return false;
        weight = static_cast<int>(l->number);
    }
    style.font.weight = std::clamp(weight, 100, 900);
    return true;
}

bool ApplyTextDecoration(std::string_view value, TextStyle& style) {
    bool underline = false, overline = false, strikeout = false;
    std::string_view rest = TrimBlanks(value);
    if (rest.empty())
        return false;
    while (!rest.empty()) {
        size_t end = 0;
        while (end < rest.size() && !IsAsciiBlank(rest[end]))
            ++end;
        const std::string word = LowerAscii(rest.substr(0, end));
        if (word == "underline") {
            underline = true;
        } else if (word == "overline") {
            overline = true;
        } else if (word == "line-through") {
            strikeout = true;
        } else if (word != "none") {
            return false;
        }
        rest = TrimBlanks(rest.substr(end));
    }
    style.font.underline = underline;
    style.font.strikeout = strikeout;
    style.overline = overline;
    return true;
}

// Sets `target` to a parsed value; false (and `target` unchanged) for none.
template <typename T, typename U>
bool Assign(const std::optional<U>& value, T& target) {
    if (!value)
        return false;
    target = *value;
    return true;
}

}  // namespace

bool ApplyDeclaration(const StyleDeclaration& d, const TextStyle& parent, TextStyle& style) {
    static constexpr std::pair<const char*, bool> kFontStyles[] = {
        {"normal", false}, {"italic", true}, {"oblique", true}};
    static constexpr std::pair<const char*, TextTransform> kTransforms[] = {
        {"none", TextTransform::kNone},
        {"uppercase", TextTransform::kUppercase},
        {"lowercase", TextTransform::kLowercase},
        {"capitalize", TextTransform::kCapitalize}};
    static constexpr std::pair<const char*, VerticalAlign> kVerticalAligns[] = {
        {"baseline", VerticalAlign::kBaseline}, {"top", VerticalAlign::kTop},
        {"middle", VerticalAlign::kMiddle},     {"vcenter", VerticalAlign::kMiddle},
        {"bottom", VerticalAlign::kBottom},
    };
    const std::string_view v = d.value;
    switch (d.property) {
        case StyleProperty::kFontSize: {
            std::optional<Length> l = ParseLength(v);
            if (!l)
                return false;
            const double points = InPoints(*l, parent.font.tenths / 10.0, Unit::kPt);
            style.font.tenths = std::clamp(static_cast<int>(std::lround(points * 10)),
                                           kMinFontTenths, kMaxFontTenths);
            return true;
        }
        case StyleProperty::kFontFamily:
            return Assign(FamilyList(v), style.font.families);
        case StyleProperty::kFontStyle:
            return Assign(Keyword(v, kFontStyles), style.font.italic);
        case StyleProperty::kFontWeight:
            return ApplyFontWeight(v, parent, style);
        case StyleProperty::kColor:
            return Assign(ParseMarkupColour(v), style.color);
        case StyleProperty::kBackgroundColor:
            return Assign(ParseMarkupColour(v), style.background);
        case StyleProperty::kTextDecoration:
            return ApplyTextDecoration(v, style);
        case StyleProperty::kTextTransform:
            return Assign(Keyword(v, kTransforms), style.transform);
        case StyleProperty::kTextAlign:
            return Assign(Keyword(v, kTextAlignNames), style.align);
        case StyleProperty::kVerticalAlign:
            return Assign(Keyword(v, kVerticalAligns), style.verticalAlign);
        case StyleProperty::kBorderStyle:
            return Assign(Keyword(v, kBorderStyles), style.borderStyle);
        case StyleProperty::kBorderWidth: {
            static constexpr std::pair<const char*, int> kBorderWidths[] = {
                {"thin", 1}, {"medium", 3}, {"thick", 5}};
            return Assign(Keyword(v, kBorderWidths), style.borderWidth) ||
                   Assign(PixelLength(v, parent), style.borderWidth);
        }
        case StyleProperty::kBorderColor:
            return Assign(ParseMarkupColour(v), style.borderColor);
        case StyleProperty::kMarginLeft:
            return Assign(PixelLength(v, parent), style.margin.left);
        case StyleProperty::kMarginTop:
            return Assign(PixelLength(v, parent), style.margin.top);
        case StyleProperty::kMarginRight:
            return Assign(PixelLength(v, parent), style.margin.right);
        case StyleProperty::kMarginBottom:
            return Assign(PixelLength(v, parent), style.margin.bottom);
        case StyleProperty::kPaddingLeft:
            return Assign(PixelLength(v, parent), style.padding.left);
        case StyleProperty::kPaddingTop:
            return Assign(PixelLength(v, parent), style.padding.top);
        case StyleProperty::kPaddingRight:
            return Assign(PixelLength(v, parent), style.padding.right);
        case StyleProperty::kPaddingBottom:
            return Assign(PixelLength(v, parent), style.padding.bottom);
    }
    return false;
}

void ApplyDeclarations(const std::vector<StyleDeclaration>& ds, const TextStyle& parent,
                       TextStyle& style) {
    for (const StyleDeclaration& d : ds)
        ApplyDeclaration(d, parent, style);
}

std::vector<StyleDeclaration> ParseDeclarations(std::string_view text) {
    std::vector<StyleDeclaration> out;
    for (const std::string_view item : SplitAt(text, ';')) {
        const size_t colon = item.find(':');
        if (colon == std::string_view::npos)
            continue;
        std::optional<StyleProperty> p =
            FindProperty(LowerAscii(TrimBlanks(item.substr(0, colon))));
        if (!p)
            continue;
        StyleDeclaration d{*p, std::string(TrimBlanks(item.substr(colon + 1)))};
        TextStyle probe;
        if (ApplyDeclaration(d, TextStyle{}, probe))
            out.push_back(std::move(d));
    }
    return out;
}

namespace {

// Removes "/* ... */" comments (an unterminated one runs to the end).
std::string WithoutComments(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const size_t end = text.find("*/", i + 2);
            if (end == std::string_view::npos)
                break;
            out += ' ';
            i = end + 2;
            continue;
        }
        out += text[i++];
    }
    return out;
}

bool IsSelectorChar(char c) {
    return IsAsciiAlnum(c) || c == '.' || c == ':' || c == '-' || c == '_' || c == '#' || c == '*';
}

// A selector of letters, digits and . : - _ # *, or nothing.
std::optional<std::string> Selector(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return std::nullopt;
    for (char c : text) {
        if (!IsSelectorChar(c))
            return std::nullopt;
    }
    return LowerAscii(text);
}

}  // namespace

StyleSheet StyleSheet::Parse(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::string clean = WithoutComments(text);
    const std::string_view s = clean;
    StyleSheet sheet;
    size_t pos = 0;
    while (pos < s.size()) {
        const size_t open = s.find('{', pos);
        if (open == std::string_view::npos)
            break;
        const size_t close = s.find('}', open + 1);
        if (close == std::string_view::npos)
            break;  // a rule without its closing brace is left out
        // A stray "}" before the selector belongs to no rule: the selector starts after it.
        std::string_view selectors = s.substr(pos, open - pos);
        if (const size_t stray = selectors.rfind('}'); stray != std::string_view::npos)
            selectors.remove_prefix(stray + 1);
        const std::vector<StyleDeclaration> declarations =
            ParseDeclarations(s.substr(open + 1, close - open - 1));
        pos = close + 1;
        if (declarations.empty())
            continue;
        for (const std::string_view selector : SplitAt(selectors, ',')) {
            if (std::optional<std::string> sel = Selector(selector))
                sheet.rules_.push_back({*sel, declarations});
        }
    }
    return sheet;
}

const StyleSheet& StyleSheet::Default() {
    static const StyleSheet sheet =
        Parse(std::string_view(kDefaultStyleSheet, kDefaultStyleSheetLength));
    return sheet;
}

StyleSheet StyleSheet::Effective(std::string_view text) {
    StyleSheet sheet = Parse(text);
    for (const StyleRule& rule : Default().rules_) {
        if (!sheet.Has(rule.selector))
            sheet.rules_.push_back(rule);
    }
    return sheet;
}

std::vector<const StyleRule*> StyleSheet::Find(std::string_view selector) const {
    std::vector<const StyleRule*> found;
    for (const StyleRule& rule : rules_) {
        if (rule.selector == selector)
            found.push_back(&rule);
    }
    return found;
}

void StyleSheet::Apply(std::string_view selector, const TextStyle& parent, TextStyle& style) const {
    for (const StyleRule* rule : Find(selector))
        ApplyDeclarations(rule->declarations, parent, style);
}

}  // namespace velmora

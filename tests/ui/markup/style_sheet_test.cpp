// Covers: the style sheet of the tip markup.
//  - the default sheet's 17 rules and the window's stored sheet; the effective
//    sheet takes every selector a sheet lacks from the default sheet;
//  - a malformed sheet falls back rule by rule: bad declarations, rules without
//    declarations or without their closing brace, stray braces, comments;
//  - lengths in every unit and percentages; weights; colours as #rrggbb, the 140
//    HTML names, the 28 system names, numbers; what is refused.
#include <gtest/gtest.h>

#include "app/windows/test_window.h"
#include "ui/markup/style_sheet.h"

namespace velmora {
namespace {

int FontTenths(const StyleSheet& sheet, const char* selector) {
    TextStyle parent, style;
    sheet.Apply(selector, parent, style);
    return style.font.tenths;
}

TEST(StyleSheet, TheDefaultAndTheStoredSheets) {
    const StyleSheet& d = StyleSheet::Default();
    ASSERT_EQ(d.rules().size(), 17u);
    EXPECT_EQ(d.rules().front().selector, "body");
    EXPECT_EQ(d.rules().back().selector, ".comment");
    EXPECT_EQ(FontTenths(d, "body"), 90);
    EXPECT_EQ(FontTenths(StyleSheet::Effective(""), "body"), 90);

    const StyleSheet stored = StyleSheet::Parse(test_window::TipStyleSheet());
    ASSERT_EQ(stored.rules().size(), 17u);
    EXPECT_EQ(stored.rules().back().selector, ".cpp-comment");
    const StyleSheet effective = StyleSheet::Effective(test_window::TipStyleSheet());
    EXPECT_EQ(effective.rules().size(), 18u);  // and .comment of the default sheet
    EXPECT_EQ(FontTenths(effective, "body"), 100);
    TextStyle parent, pre;
    effective.Apply("pre", parent, pre);
    EXPECT_EQ(pre.font.families, "Courier");
    EXPECT_EQ(pre.background, MarkupColour::Rgb(0xBBEDFB));
}

TEST(StyleSheet, AMalformedSheetFallsBackRuleByRule) {
    const StyleSheet s = StyleSheet::Effective(
        "/* a comment { h2 {font-size: 1pt} */ body {font-size: 20pt; colour: red; color: nope}\n"
        "}} h1 {garbage} h3, h4 {font-size: 30pt}\n"
        "p {font-size: 40pt");
    EXPECT_EQ(FontTenths(s, "body"), 200);
    TextStyle parent, body;
    s.Apply("body", parent, body);
    EXPECT_FALSE(body.color.IsSet());     // the rule replaces the default body rule whole
    EXPECT_EQ(FontTenths(s, "h1"), 140);  // from the default sheet
    EXPECT_EQ(FontTenths(s, "h2"), 130);  // the comment hid nothing else
    EXPECT_EQ(FontTenths(s, "h3"), 300);
    EXPECT_EQ(FontTenths(s, "h4"), 300);
    EXPECT_EQ(FontTenths(s, "p"), 90);  // no closing brace: the default rule
}

TEST(StyleSheet, LengthsWeightsAndTheirRefusals) {
    const struct {
        const char* declaration;
        int tenths;  // of a parent at 10pt; -1 for refused
    } sizes[] = {
        {"font-size: 12px", 90},    {"font-size: 1in", 720}, {"font-size: 2.54cm", 720},
        {"font-size: 25.4mm", 720}, {"font-size: 2pc", 240}, {"font-size: 1ex", 50},
        {"font-size: 50%", 50},     {"font-size: 7.5", 75},  {"font-size: 999pt", 2000},
        {"font-size: -3pt", 10},    {"font-size: 10em", -1}, {"font-size: pt", -1},
    };
    TextStyle parent;
    parent.font.tenths = 100;
    for (const auto& c : sizes) {
        const std::vector<StyleDeclaration> ds = ParseDeclarations(c.declaration);
        ASSERT_EQ(ds.size(), c.tenths < 0 ? 0u : 1u) << c.declaration;
        if (c.tenths < 0)
            continue;
        TextStyle style = parent;
        ApplyDeclarations(ds, parent, style);
        EXPECT_EQ(style.font.tenths, c.tenths) << c.declaration;
    }
    const struct {
        const char* value;
        int weight;
    } weights[] = {{"bold", 700}, {"normal", 400}, {"bolder", 700}, {"lighter", 100}, {"900", 900}};
    for (const auto& w : weights) {
        TextStyle style;
        ASSERT_TRUE(ApplyDeclaration({StyleProperty::kFontWeight, w.value}, parent, style));
        EXPECT_EQ(style.font.weight, w.weight) << w.value;
    }
    TextStyle style;
    ApplyDeclarations(ParseDeclarations("margin-left: 1in; text-decoration: underline overline; "
                                        "text-align: center; font-family: \"A\", 'B' ,C"),
                      parent, style);
    EXPECT_EQ(style.margin.left, 96);
    EXPECT_TRUE(style.font.underline && style.overline);
    EXPECT_EQ(style.align, TextAlign::kCenter);
    EXPECT_EQ(style.font.families, "A,B,C");
}

TEST(StyleSheet, Colours) {
    EXPECT_EQ(kHtmlColourCount, 140u);
    EXPECT_EQ(kSystemColourCount, 28u);
    const struct {
        const char* text;
        std::optional<MarkupColour> colour;
    } cases[] = {
        {"#ff9900", MarkupColour::Rgb(0x0099FF)},
        {" #FF9900 ", MarkupColour::Rgb(0x0099FF)},
        {"aliceblue", MarkupColour::Rgb(0xFFF8F0)},
        {"YellowGreen", MarkupColour::Rgb(0x32CD9A)},
        {"lightgrey", MarkupColour::Rgb(0xD3D3D3)},
        {"infobackground", MarkupColour::System(24)},
        {"threeddarkshadow", MarkupColour::System(21)},
        {"0x00FF00", MarkupColour::Rgb(0x00FF00)},
        {"255", MarkupColour::Rgb(255)},
        {"transparent", MarkupColour{}},
        {"#ff990", std::nullopt},
        {"#gg9900", std::nullopt},
        {"grey", std::nullopt},  // not among the 140
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMarkupColour(c.text), c.colour) << c.text;
}

}  // namespace
}  // namespace velmora

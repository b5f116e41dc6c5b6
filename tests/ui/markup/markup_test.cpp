// Covers: the tip markup, parsed and laid out against the fixed-width stand-in.
//  - entities replaced one after another in their order; "<<"; a tag without ">"
//    ending at the end of the text; unknown tags dropped; closing tags closing what
//    was opened inside; nesting kept to its depth;
//  - the program's two tips with the window's own style sheet: one line, and two
//    lines at the CR LF; CR dropped, LF and <br> breaking, tabs to the next stop;
//  - styles from the sheet and from tags (bold, italic, h1, font attributes,
//    colours by number, name and system name), the body rule of the default sheet;
//  - a table's cells side by side with spacing and padding; links found by point;
//    a rule spanning the tip; images sized by cx/cy;
//  - golden layouts: inline contents keep their element's vertical alignment and
//    background; a block's background and border cover the whole block; a:hover.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/windows/test_window.h"
#include "ui/markup/markup_layout.h"

namespace velmora {
namespace {

std::string Text(const MarkupLayout& l) {
    std::string s;
    for (const MarkupItem& i : l.items) {
        if (i.kind == MarkupItem::Kind::kText)
            s += i.text + "|";
    }
    return s;
}

std::vector<const MarkupItem*> Texts(const MarkupLayout& l) {
    std::vector<const MarkupItem*> out;
    for (const MarkupItem& i : l.items) {
        if (i.kind == MarkupItem::Kind::kText)
            out.push_back(&i);
    }
    return out;
}

// The stand-in's width of a GBK text in a font of `px` pixels.
int Width(std::string_view gbk, int px) {
    int w = 0;
    for (size_t i = 0; i < gbk.size(); ++i) {
        const bool pair = static_cast<unsigned char>(gbk[i]) >= 0x81 && i + 1 < gbk.size();
        w += pair ? px : px / 2;
        i += pair ? 1 : 0;
    }
    return w;
}

MarkupLayout Lay(std::string_view markup, const StyleSheet& sheet = StyleSheet::Default(),
                 int hoverLink = -1) {
    FixedWidthMeasurer m;
    return LayOutMarkup(markup, sheet, m, hoverLink);
}

// The layout's items in drawing order: kind (Text, Image, Fill, Border frame, Rule),
// rectangle, then the text (and "u" when underlined), the fill's or frame's colour.
std::string Golden(const MarkupLayout& l) {
    std::string s;
    char buf[80];
    for (const MarkupItem& i : l.items) {
        const MarkupRect& r = i.rect;
        std::snprintf(buf, sizeof buf, "%c %d,%d,%d,%d", "TIFBR"[static_cast<int>(i.kind)], r.left,
                      r.top, r.right, r.bottom);
        s += buf;
        if (i.kind == MarkupItem::Kind::kText)
            s += " " + i.text + (l.fonts[i.font].underline ? " u" : "");
        if (i.kind == MarkupItem::Kind::kFill) {
            std::snprintf(buf, sizeof buf, " #%06X", i.fill.begin.value);
            s += buf;
        }
        if (i.kind == MarkupItem::Kind::kFrame) {
            std::snprintf(buf, sizeof buf, " w%d #%06X", i.frame.width, i.frame.light.value);
            s += buf;
        }
        s += "; ";
    }
    return s;
}

TEST(Markup, EntitiesAreReplacedOneAfterAnotherInTheirOrder) {
    const struct {
        const char* in;
        std::string out;
    } cases[] = {
        {"&lt;b&gt;", "<b>"},
        {"&amp;quot;", "\""},  // &amp; comes before &quot;
        {"&amp;lt;", "&lt;"},  // but after &lt;
        {"a&nbsp;b&ensp;c", "a b c"},
        {"&emsp;", "\xA1\xA1"},
        {"&reg;&copy;&trade;", std::string("\0R\0C\0T", 6)},
        {"&unknown; &lt", "&unknown; &lt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceMarkupEntities(c.in), c.out) << c.in;
}

TEST(Markup, TagsDoubledOpenersAndMalformations) {
    const struct {
        const char* in;
        const char* text;  // the text pieces laid out
    } cases[] = {
        {"a<<b>c", "a<b>c|"},            // "<<" is one "<"
        {"x<blink>y</blink>z", "xyz|"},  // unknown tags go, their text stays
        {"a<b", "a|"},                   // a tag without ">" ends the text
        {"a<b>bold", "a|bold|"},
        {"</i>a", "a|"},        // closes nothing
        {"&lt;b&gt;", "<b>|"},  // an entity never opens a tag
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(Lay(c.in)), c.text) << c.in;

    const MarkupNode doc = ParseMarkup("<b><i>x</b>y");
    ASSERT_EQ(doc.children.size(), 2u);
    EXPECT_EQ(doc.children[0].tag, MarkupTag::kBold);
    EXPECT_EQ(doc.children[0].children[0].tag, MarkupTag::kItalic);
    EXPECT_TRUE(doc.children[1].isText);

    std::string deep;
    for (int i = 0; i < 100; ++i)
        deep += "<b>";
    const MarkupNode nested = ParseMarkup(deep + "x");
    int depth = 0;
    for (const MarkupNode* n = &nested; !n->children[0].isText; n = &n->children[0])
        ++depth;
    EXPECT_EQ(depth, kMaxMarkupDepth);
}

TEST(Markup, TheProgramsTipsWithTheWindowsStyleSheet) {
    const StyleSheet sheet = StyleSheet::Effective(test_window::TipStyleSheet());
    FontRequest body;
    body.tenths = 100;  // "font-size: 10pt"
    const int px = FixedWidthMeasurer::SizeInPixels(body);
    const int line = px + px / 4;

    const MarkupLayout frequency = Lay(test_window::kFrequencyTip, sheet);
    EXPECT_EQ(frequency.width, Width(test_window::kFrequencyTip, px));
    EXPECT_EQ(frequency.height, line);
    ASSERT_EQ(Texts(frequency).size(), 1u);
    EXPECT_EQ(frequency.fonts[Texts(frequency)[0]->font].families, "Verdana");
    EXPECT_EQ(Texts(frequency)[0]->colour, MarkupColour::Rgb(0));

    const std::string tip = test_window::kDurationTip;
    const size_t crlf = tip.find("\r\n");
    const MarkupLayout duration = Lay(tip, sheet);
    EXPECT_EQ(duration.height, 2 * line);
    EXPECT_EQ(duration.width,
              std::max(Width(tip.substr(0, crlf), px), Width(tip.substr(crlf + 2), px)));
    const auto texts = Texts(duration);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1]->rect.top, line);
    EXPECT_EQ(texts[1]->rect.left, 0);
}

TEST(Markup, LineBreaksTabsAndCarriageReturns) {
    const int px = 12, line = 15, tab = 8 * (px / 2);  // the default sheet's 9pt body
    const struct {
        const char* in;
        int width, height;
    } cases[] = {
        {"ab\r\ncd", Width("ab", px), 2 * line},
        {"ab\rcd", Width("abcd", px), line},  // a lone CR is dropped
        {"ab<br>cd", Width("ab", px), 2 * line},
        {"a\n\nb", Width("a", px), 3 * line},  // an empty line keeps its height
        {"a\n", Width("a", px), line},         // a last line feed adds nothing
        {"a\tb", tab + Width("b", px), line},
        {"a<t>b", tab + Width("b", px), line},
    };
    for (const auto& c : cases) {
        const MarkupLayout l = Lay(c.in);
        EXPECT_EQ(l.width, c.width) << c.in;
        EXPECT_EQ(l.height, c.height) << c.in;
    }
}

TEST(Markup, StylesFromTheSheetTagsAndAttributes) {
    const struct {
        const char* in;
        int tenths, weight;
        bool italic, underline;
        MarkupColour colour;
    } cases[] = {
        {"x", 90, 400, false, false, MarkupColour::Rgb(0)},
        {"<b><i>x</i></b>", 90, 700, true, false, MarkupColour::Rgb(0)},
        {"<h1>x</h1>", 140, 700, false, false, MarkupColour::Rgb(0)},
        {"<h2>x</h2>", 130, 700, false, false, MarkupColour::Rgb(0x0099FF)},
        {"<big>x</big>", 113, 400, false, false, MarkupColour::Rgb(0)},  // 125% of 9pt
        {"<u><font size=20 color=red>x</font></u>", 200, 400, false, true,
         MarkupColour::Rgb(0x0000FF)},
        {"<font color=0x00FF00 weight=bold style=italic>x</font>", 90, 700, true, false,
         MarkupColour::Rgb(0x00FF00)},
        {"<span style='color: infotext; font-weight:bolder'>x</span>", 90, 700, false, false,
         MarkupColour::System(23)},
        {"<span class=comment>x</span>", 90, 400, false, false, MarkupColour::Rgb(0x008000)},
        {"<a href=h>x</a>", 90, 400, false, false, MarkupColour::Rgb(0xFF0000)},
    };
    for (const auto& c : cases) {
        const MarkupLayout l = Lay(c.in);
        const auto texts = Texts(l);
        ASSERT_EQ(texts.size(), 1u) << c.in;
        const FontRequest& f = l.fonts[texts[0]->font];
        EXPECT_EQ(f.tenths, c.tenths) << c.in;
        EXPECT_EQ(f.weight, c.weight) << c.in;
        EXPECT_EQ(f.italic, c.italic) << c.in;
        EXPECT_EQ(f.underline, c.underline) << c.in;
        EXPECT_EQ(texts[0]->colour, c.colour) << c.in;
    }
    // The default sheet's families begin with 宋体.
    EXPECT_EQ(Lay("x").fonts[0].families, "宋体,Verdana");
}

TEST(Markup, TablesLinksRulesAndImages) {
    const int px = 12;
    // Two cells side by side: spacing 2 round them, padding 1 inside.
    const MarkupLayout table = Lay("<table><tr><td>ab</td><td>c</td></tr></table>");
    const auto cells = Texts(table);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0]->rect.left, 2 + 1);
    EXPECT_EQ(cells[1]->rect.left, 2 + 1 + Width("ab", px) + 1 + 2 + 1);
    EXPECT_EQ(table.width, 2 + (Width("ab", px) + 2) + 2 + (Width("c", px) + 2) + 2);
    // A second row starts below the first; a wider cell widens its column.
    const MarkupLayout rows = Lay("<table><tr><td>a<tr><td>abcd</table>");
    ASSERT_EQ(Texts(rows).size(), 2u);
    EXPECT_GT(Texts(rows)[1]->rect.top, Texts(rows)[0]->rect.bottom);
    EXPECT_EQ(rows.width, 2 + Width("abcd", px) + 2 + 2);

    const MarkupLayout link = Lay("go <a href=\"http://x/\">here</a>");
    const MarkupItem& here = *Texts(link)[1];
    EXPECT_EQ(link.LinkAt(here.rect.left + 1, here.rect.top + 1), 0);
    EXPECT_EQ(link.LinkAt(0, 0), -1);
    EXPECT_EQ(link.links[0].href, "http://x/");

    const MarkupLayout rule = Lay("abcdef<hr>x");
    bool found = false;
    for (const MarkupItem& i : rule.items) {
        if (i.kind == MarkupItem::Kind::kRule) {
            found = true;
            EXPECT_EQ(i.rect.left, 0);
            EXPECT_EQ(i.rect.right, rule.width);
        }
    }
    EXPECT_TRUE(found);

    const MarkupLayout image = Lay("<icon handle=0x1234 cx=20 cy=30>");
    ASSERT_EQ(image.images.size(), 1u);
    EXPECT_EQ(image.images[0].source, ImageRef::Source::kIconHandle);
    EXPECT_EQ(image.images[0].handle, 0x1234u);
    EXPECT_EQ(image.width, 20);
    EXPECT_EQ(image.height, 30);
}

// A measure of a layout: the left of its first text, its height, the width of its
// first image, the height of its first rule.
enum class Measure { kTextLeft, kHeight, kImageWidth, kRuleHeight };

int Measured(const MarkupLayout& l, Measure m) {
    for (const MarkupItem& i : l.items) {
        if (m == Measure::kTextLeft && i.kind == MarkupItem::Kind::kText)
            return i.rect.left;
        if (m == Measure::kImageWidth && i.kind == MarkupItem::Kind::kImage)
            return i.rect.width();
        if (m == Measure::kRuleHeight && i.kind == MarkupItem::Kind::kRule)
            return i.rect.height();
    }
    return m == Measure::kHeight ? l.height : -1;
}

TEST(Markup, LengthsFollowTheDisplayScale) {
    // Pixels are 96ths of an inch and points 72nds, whatever the display: at 144 and
    // 192 dpi everything grows by half and doubles, rounded half away from zero.
    const struct {
        const char* markup;
        Measure measure;
        int at96, at144, at192;
    } cases[] = {
        {"<p style=\"margin-left: 10px\">x</p>", Measure::kTextLeft, 10, 15, 20},
        {"<p style=\"margin-left: 1px\">x</p>", Measure::kTextLeft, 1, 2, 2},
        {"<p style=\"padding-left: 3pt\">x</p>", Measure::kTextLeft, 4, 6, 8},
        {"<p style=\"border-style: solid\">x</p>", Measure::kTextLeft, 1, 2, 2},
        // Outer frame 1, spacing 2, the cell's frame 1 and padding 1.
        {"<table border=1><td>x</td></table>", Measure::kTextLeft, 5, 9, 10},
        // The body's 9pt: 12 pixels and a quarter below at 96 dpi.
        {"x", Measure::kHeight, 15, 22, 30},
        {"<p style=\"font-size: 12px\">x</p>", Measure::kHeight, 15, 22, 30},
        {"<icon handle=1 cx=20>", Measure::kImageWidth, 20, 30, 40},
        {"<ilst index=0>", Measure::kImageWidth, 16, 24, 32},  // its own 16 pixels
        {"<hr>", Measure::kRuleHeight, 2, 3, 4},
    };
    for (const auto& c : cases) {
        const int expected[] = {c.at96, c.at144, c.at192};
        const int dpis[] = {96, 144, 192};
        for (int i = 0; i < 3; ++i) {
            FixedWidthMeasurer m(dpis[i]);
            EXPECT_EQ(Measured(LayOutMarkup(c.markup, StyleSheet::Default(), m), c.measure),
                      expected[i])
                << c.markup << " at " << dpis[i];
        }
    }
}

TEST(Markup, GoldenLayoutsOfInheritanceBlocksBordersAndHover) {
    // The default sheet's body: 12 px, characters 6 px wide, lines 15 px high.
    const struct {
        const char* in;
        int hover;
        const char* golden;
    } cases[] = {
        // sub's contents sit at the bottom of the line like sub (65%: 8 px).
        {"x<sub><b>2</b></sub>", -1, "T 0,0,6,15 x; T 6,5,10,15 2; "},
        // An inline element's contents show its background.
        {"<span style='background-color:red'>a<b>b</b></span>", -1,
         "F 0,0,6,15 #0000FF; T 0,0,6,15 a; F 6,0,12,15 #0000FF; T 6,0,12,15 b; "},
        // A block's background lies behind all of the block, once.
        {"<pre>a <b>b</b></pre>x", -1,
         "F 0,0,18,15 #BBEDFB; T 0,0,12,15 a ; T 12,0,18,15 b; T 0,15,6,30 x; "},
        {"<pre>a</pre>abcdef", -1, "F 0,0,36,15 #BBEDFB; T 0,0,6,15 a; T 0,15,36,30 abcdef; "},
        {"<div style='background-color:red; margin-left:4px; margin-top:2px'>a</div>", -1,
         "F 4,2,10,17 #0000FF; T 4,2,10,17 a; "},
        // Border between margin and padding.
        {"<div style='border-style:solid; border-width:medium; border-color:red; "
         "padding-left:2px'>a</div>",
         -1, "B 0,0,14,21 w3 #0000FF; T 5,3,11,18 a; "},
        {"<p style='border-style:dashed; border-width:thick; color:lime'>a</p>", -1,
         "B 0,0,16,25 w5 #00FF00; T 5,5,11,20 a; "},
        // The link under the pointer takes a:hover.
        {"<a href=x>a</a><a href=y>b</a>", 1, "T 0,0,6,15 a; T 6,0,12,15 b u; "},
        {"<a href=x>a</a><a href=y>b</a>", -1, "T 0,0,6,15 a; T 6,0,12,15 b; "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Golden(Lay(c.in, StyleSheet::Default(), c.hover)), c.golden) << c.in;
}

}  // namespace
}  // namespace velmora

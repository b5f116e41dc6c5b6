#pragma once
// The tip markup, parsed into a tree. The text is GBK; in it
//   "<" opens a tag that ends at the next ">" (or at the end of the text),
//   "<<" stands for one "<",
//   a closing tag is the name with a leading "/": it closes the nearest open
//   element of that name and everything opened inside it (and nothing when none
//   is open),
//   tags and attributes of unknown names are dropped (the text between stays),
//   entities in the text between tags are replaced, in this order: &lt; &gt; &amp;
//   &quot; &reg; &copy; &trade; &ensp; &emsp; &nbsp;.
// Line feeds, tabs and carriage returns stay in the text; the layout deals with them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class MarkupTag : uint8_t {
    kDocument,   // the root
    kBold,       // b, bold
    kItalic,     // i, em, italic
    kUnderline,  // u, underline
    kStrike,     // s, strike, strikeout
    kFont,
    kBreak,  // br
    kRule,   // hr
    kTab,    // t
    kParagraph,
    kHeading,  // h1 to h6 (the level is in the name)
    kPre,
    kCode,
    kBig,
    kSmall,
    kSub,
    kSup,
    kSpan,
    kDiv,
    kLink,  // a
    kTable,
    kRow,   // tr
    kCell,  // td
    kIcon,
    kBitmap,     // bmp
    kImage,      // image
    kImageList,  // ilst
    kString,
};

// The three symbols &reg; &copy; &trade; are held in the text as this mark followed
// by 'R', 'C' or 'T': they are the bytes 0xAE, 0xA9 and 0x99 of the Western code
// page, which in GBK would pair with the byte after them. Texts of the system never
// hold a zero byte, so the mark cannot meet a real character.
constexpr char kSymbolMark = '\0';

// Replaces the entities of a text between tags, one after another in the order
// above (so "&amp;quot;" becomes a quotation mark, and "&amp;lt;" stays "&lt;").
std::string ReplaceMarkupEntities(std::string_view text);

struct MarkupAttribute {
    std::string name;   // lower case
    std::string value;  // quotes removed
};

struct MarkupNode {
    bool isText = false;
    MarkupTag tag = MarkupTag::kDocument;
    std::string name;  // the tag's name as written, lower case ("h2", "bold")
    std::vector<MarkupAttribute> attributes;
    std::string text;  // text nodes
    std::vector<MarkupNode> children;

    // The value of an attribute, or null.
    const std::string* Attribute(std::string_view name) const;
};

// Elements nest at most this deep; deeper tags are dropped.
constexpr int kMaxMarkupDepth = 32;

// The tree of a tip text, up to its first zero byte.
MarkupNode ParseMarkup(std::string_view text);

}  // namespace velmora

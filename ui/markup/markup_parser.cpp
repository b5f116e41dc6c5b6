#include "ui/markup/markup_parser.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "ui/markup/markup_text.h"

namespace velmora {

namespace {

struct TagName {
    const char* name;
    MarkupTag tag;
};

constexpr TagName kTags[] = {
    {"b", MarkupTag::kBold},
    {"bold", MarkupTag::kBold},
    {"i", MarkupTag::kItalic},
    {"em", MarkupTag::kItalic},
    {"italic", MarkupTag::kItalic},
    {"u", MarkupTag::kUnderline},
    {"underline", MarkupTag::kUnderline},
    {"s", MarkupTag::kStrike},
    {"strike", MarkupTag::kStrike},
    {"strikeout", MarkupTag::kStrike},
    {"font", MarkupTag::kFont},
    {"br", MarkupTag::kBreak},
    {"hr", MarkupTag::kRule},
    {"t", MarkupTag::kTab},
    {"p", MarkupTag::kParagraph},
    {"h1", MarkupTag::kHeading},
    {"h2", MarkupTag::kHeading},
    {"h3", MarkupTag::kHeading},
    {"h4", MarkupTag::kHeading},
    {"h5", MarkupTag::kHeading},
    {"h6", MarkupTag::kHeading},
    {"pre", MarkupTag::kPre},
    {"code", MarkupTag::kCode},
    {"big", MarkupTag::kBig},
    {"small", MarkupTag::kSmall},
    {"sub", MarkupTag::kSub},
    {"sup", MarkupTag::kSup},
    {"span", MarkupTag::kSpan},
    {"div", MarkupTag::kDiv},
    {"a", MarkupTag::kLink},
    {"table", MarkupTag::kTable},
    {"tr", MarkupTag::kRow},
    {"td", MarkupTag::kCell},
    {"icon", MarkupTag::kIcon},
    {"bmp", MarkupTag::kBitmap},
    {"image", MarkupTag::kImage},
    {"ilst", MarkupTag::kImageList},
    {"string", MarkupTag::kString},
};

constexpr const char* kAttributeNames[] = {
    "face",
    "size",
    "color",
    "style",
    "weight",
    "bkgnd",
    "class",
    "href",
    "msg",
    "url",
    "width",
    "height",
    "align",
    "valign",
    "cellspacing",
    "cellpadding",
    "border",
    "bordercolor",
    "bordercolorlight",
    "bordercolordark",
    "borderstyle",
    "bgcolor",
    "bgmidcolor",
    "bgendcolor",
    "bgeffect",
    "rowspan",
    "colspan",
    "string",
    "srcdll",
    "iddll",
    "idres",
    "file",
    "handle",
    "index",
    "mask",
    "cx",
    "cy",
    "hotstyle",
};

struct Entity {
    const char* name;
    const char* replacement;
    size_t replacementSize;
};

// In the order they are replaced.
const Entity kEntities[] = {
    {"&lt;", "<", 1},          {"&gt;", ">", 1},     {"&amp;", "&", 1},     {"&quot;", "\"", 1},
    {"&reg;", "\0R", 2},       {"&copy;", "\0C", 2}, {"&trade;", "\0T", 2}, {"&ensp;", " ", 1},
    {"&emsp;", "\xA1\xA1", 2},  // the full-width blank of GBK
    {"&nbsp;", " ", 1},
};

bool IsEmptyTag(MarkupTag tag) {
    switch (tag) {
        case MarkupTag::kBreak:
        case MarkupTag::kRule:
        case MarkupTag::kTab:
        case MarkupTag::kIcon:
        case MarkupTag::kBitmap:
        case MarkupTag::kImage:
        case MarkupTag::kImageList:
        case MarkupTag::kString:
            return true;
        default:
            return false;
    }
}

bool IsNameChar(char c) {
    return IsAsciiAlnum(c) || c == '-' || c == '_';
}

struct ParsedTag {
    bool closing = false;
    MarkupTag tag = MarkupTag::kDocument;
    std::string name;
    std::vector<MarkupAttribute> attributes;
};

// The contents of one tag (between "<" and ">"); nothing for an unknown name.
std::optional<ParsedTag> ParseTag(std::string_view s) {
    ParsedTag t;
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && IsAsciiBlank(s[i]))
            ++i;
    };
    skipBlanks();
    if (i < s.size() && s[i] == '/') {
        t.closing = true;
        ++i;
        skipBlanks();
    }
    const size_t nameStart = i;
    while (i < s.size() && IsNameChar(s[i]))
        ++i;
    t.name = LowerAscii(s.substr(nameStart, i - nameStart));
    const auto known = std::find_if(std::begin(kTags), std::end(kTags),
                                    [&](const TagName& n) { return t.name == n.name; });
    if (known == std::end(kTags))
        return std::nullopt;
    t.tag = known->tag;
    while (i < s.size()) {
        skipBlanks();
        const size_t attrStart = i;
        while (i < s.size() && IsNameChar(s[i]))
            ++i;
        if (i == attrStart) {
            ++i;  // a stray byte ("/" of "<br/>", a lone quote)
            continue;
        }
        MarkupAttribute a{LowerAscii(s.substr(attrStart, i - attrStart)), ""};
        skipBlanks();
        if (i < s.size() && s[i] == '=') {
            ++i;
            skipBlanks();
            if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
                const char quote = s[i++];
                size_t end = s.find(quote, i);
                if (end == std::string_view::npos)
                    end = s.size();
                a.value = std::string(s.substr(i, end - i));
                i = end < s.size() ? end + 1 : end;
            } else {
                const size_t valueStart = i;
                while (i < s.size() && !IsAsciiBlank(s[i]))
                    ++i;
                a.value = std::string(s.substr(valueStart, i - valueStart));
            }
        }
        if (std::find(std::begin(kAttributeNames), std::end(kAttributeNames), a.name) !=
            std::end(kAttributeNames)) {
            t.attributes.push_back(std::move(a));
        }
    }
    return t;
}

class TreeBuilder {
  public:
    TreeBuilder() { open_.push_back(&root_); }

    void Text(std::string text) {
        if (text.empty())
            return;
        MarkupNode& top = *open_.back();
        if (!top.children.empty() && top.children.back().isText) {
            top.children.back().text += text;
            return;
        }
        MarkupNode n;
        n.isText = true;
        n.text = std::move(text);
        top.children.push_back(std::move(n));
    }

    void Tag(ParsedTag t) {
        if (t.closing) {
            Close(t.tag, t.name);
            return;
        }
        // A new row ends the open row of its table, a new cell the open cell of its row.
        if (t.tag == MarkupTag::kRow)
            CloseUpTo(MarkupTag::kRow, MarkupTag::kTable);
        if (t.tag == MarkupTag::kCell)
            CloseUpTo(MarkupTag::kCell, MarkupTag::kRow);
        if (static_cast<int>(open_.size()) > kMaxMarkupDepth)
            return;
        MarkupNode n;
        n.tag = t.tag;
        n.name = std::move(t.name);
        n.attributes = std::move(t.attributes);
        MarkupNode& top = *open_.back();
        top.children.push_back(std::move(n));
        if (!IsEmptyTag(top.children.back().tag))
            open_.push_back(&top.children.back());
    }

    MarkupNode Take() { return std::move(root_); }

  private:
    // Headings close by their own level; every other tag by its kind.
    static bool Matches(const MarkupNode& n, MarkupTag tag, const std::string& name) {
        return n.tag == tag && (tag != MarkupTag::kHeading || n.name == name);
    }

    void Close(MarkupTag tag, const std::string& name) {
        for (size_t k = open_.size(); k-- > 1;) {
            if (Matches(*open_[k], tag, name)) {
                open_.resize(k);
                return;
            }
        }
    }

    // Closes an open `tag` unless a `boundary` element lies above it.
    void CloseUpTo(MarkupTag tag, MarkupTag boundary) {
        for (size_t k = open_.size(); k-- > 1;) {
            if (open_[k]->tag == boundary)
                return;
            if (open_[k]->tag == tag) {
                open_.resize(k);
                return;
            }
        }
    }

    MarkupNode root_;
    std::vector<MarkupNode*> open_;  // each the last child of the one before
};

}  // namespace

std::string ReplaceMarkupEntities(std::string_view text) {
    std::string s(text);
    if (s.find('&') == std::string::npos)
        return s;
    for (const Entity& e : kEntities) {
        const std::string_view name = e.name;
        std::string out;
        size_t pos = 0;
        for (size_t hit; (hit = s.find(name, pos)) != std::string::npos; pos = hit + name.size()) {
            out.append(s, pos, hit - pos);
            out.append(e.replacement, e.replacementSize);
        }
        if (pos == 0)
            continue;
        out.append(s, pos, std::string::npos);
        s = std::move(out);
    }
    return s;
}

const std::string* MarkupNode::Attribute(std::string_view attributeName) const {
    for (const MarkupAttribute& a : attributes) {
        if (a.name == attributeName)
            return &a.value;
    }
    return nullptr;
}

MarkupNode ParseMarkup(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    TreeBuilder tree;
    std::string run;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '<') {
            run += c;
            ++i;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '<') {
            // Entities are replaced in the text around it, not in it: "<<" is no "&".
            tree.Text(ReplaceMarkupEntities(run));
            run.clear();
            tree.Text("<");
            i += 2;
            continue;
        }
        tree.Text(ReplaceMarkupEntities(run));
        run.clear();
        size_t end = text.find('>', i + 1);
        if (end == std::string_view::npos)
            end = text.size();
        if (std::optional<ParsedTag> tag = ParseTag(text.substr(i + 1, end - i - 1)))
            tree.Tag(std::move(*tag));
        i = end + 1;
    }
    tree.Text(ReplaceMarkupEntities(run));
    return tree.Take();
}

}  // namespace velmora

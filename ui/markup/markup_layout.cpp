#include "ui/markup/markup_layout.h"

#include <algorithm>

#include "ui/loader/display_scale.h"
#include "ui/markup/background_effects.h"
#include "ui/markup/markup_layouter.h"
#include "ui/markup/markup_text.h"

namespace velmora {

namespace {

constexpr int kMaxImageSide = 1024;
constexpr int kRuleHeight = 8;  // a 2-pixel line with 3 pixels above and below
constexpr int kRuleThickness = 2;

bool IsBlock(MarkupTag tag) {
    return tag == MarkupTag::kParagraph || tag == MarkupTag::kHeading || tag == MarkupTag::kPre ||
           tag == MarkupTag::kDiv;
}

// The frame that a block's border declarations ask for, if any; `width` is the
// border's width in pixels of the layout.
std::optional<MarkupFrame> BlockFrame(const TextStyle& style, int width) {
    if (style.borderStyle == BorderStyle::kNone || width <= 0)
        return std::nullopt;
    MarkupFrame f;
    f.width = width;
    f.style = style.borderStyle;
    f.light = f.dark = style.borderColor.IsSet() ? style.borderColor : style.color;
    return f;
}

std::string Transformed(std::string_view text, TextTransform transform) {
    std::string out(text);
    if (transform == TextTransform::kNone)
        return out;
    bool wordStart = true;
    for (size_t i = 0; i < out.size(); ++i) {
        char& c = out[i];
        if (c == kSymbolMark || IsGbkLeadByte(c)) {
            ++i;  // the byte after belongs to this character
            wordStart = false;
            continue;
        }
        if (transform == TextTransform::kUppercase ||
            (transform == TextTransform::kCapitalize && wordStart)) {
            c = AsciiUpper(c);
        } else if (transform == TextTransform::kLowercase) {
            c = AsciiLower(c);
        }
        wordStart = IsAsciiBlank(c);
    }
    return out;
}

}  // namespace

int MarkupPixels(int length96, int dpi) {
    return DisplayScale{dpi}.ToDevice(length96);
}

int IntegerAttribute(const MarkupNode& element, const char* name, int fallback, int lo, int hi) {
    const std::string* v = element.Attribute(name);
    if (!v)
        return fallback;
    std::optional<int64_t> n = ParseMarkupNumber(TrimBlanks(*v));
    if (!n)
        return fallback;
    return static_cast<int>(std::clamp<int64_t>(*n, lo, hi));
}

MarkupColour ColourAttribute(const MarkupNode& element, const char* name) {
    const std::string* v = element.Attribute(name);
    if (!v)
        return MarkupColour{};
    return ParseMarkupColour(*v).value_or(MarkupColour{});
}

TextAlign AlignAttribute(const MarkupNode& element, TextAlign fallback) {
    const std::string* v = element.Attribute("align");
    return v ? Keyword(*v, kTextAlignNames).value_or(fallback) : fallback;
}

VerticalAlign VerticalAlignAttribute(const MarkupNode& element, VerticalAlign fallback) {
    // Cells take "baseline" as "top", and "center" as "middle".
    static constexpr std::pair<const char*, VerticalAlign> kNames[] = {
        {"top", VerticalAlign::kTop},       {"baseline", VerticalAlign::kTop},
        {"middle", VerticalAlign::kMiddle}, {"vcenter", VerticalAlign::kMiddle},
        {"center", VerticalAlign::kMiddle}, {"bottom", VerticalAlign::kBottom}};
    const std::string* v = element.Attribute("valign");
    return v ? Keyword(*v, kNames).value_or(fallback) : fallback;
}

int EffectAttribute(const MarkupNode& element) {
    const std::string* v = element.Attribute("bgeffect");
    if (!v)
        return 0;
    return BackgroundEffectByName(LowerAscii(TrimBlanks(*v)));
}

int MarkupLayout::LinkAt(int x, int y) const {
    for (const MarkupItem& item : items) {
        if (item.link >= 0 && item.rect.Contains(x, y))
            return item.link;
    }
    return -1;
}

TextStyle MarkupLayouter::BodyStyle() const {
    TextStyle base;
    TextStyle body = base;
    sheet_.Apply("body", base, body);
    return body;
}

TextStyle MarkupLayouter::ElementStyle(const MarkupNode& e, const TextStyle& parent) const {
    TextStyle s = parent.Inherited(IsBlock(e.tag) || e.tag == MarkupTag::kCell);
    switch (e.tag) {
        case MarkupTag::kBold:
            s.font.weight = 700;
            break;
        case MarkupTag::kItalic:
            s.font.italic = true;
            break;
        case MarkupTag::kUnderline:
            s.font.underline = true;
            break;
        case MarkupTag::kStrike:
            s.font.strikeout = true;
            break;
        default:
            break;
    }
    sheet_.Apply(e.name, parent, s);
    if (e.tag == MarkupTag::kLink) {
        sheet_.Apply("a:link", parent, s);
        if (hoverLink_ >= 0 && hoverLink_ == static_cast<int>(out_.links.size()))
            sheet_.Apply("a:hover", parent, s);  // the link this element is about to open
    }
    if (const std::string* classes = e.Attribute("class")) {
        std::string_view rest = *classes;
        while (!(rest = TrimBlanks(rest)).empty()) {
            size_t end = 0;
            while (end < rest.size() && !IsAsciiBlank(rest[end]))
                ++end;
            const std::string name = LowerAscii(rest.substr(0, end));
            sheet_.Apply("." + name, parent, s);
            sheet_.Apply(e.name + "." + name, parent, s);
            rest.remove_prefix(end);
        }
    }
    if (e.tag == MarkupTag::kFont) {
        static const struct {
            const char* attribute;
            StyleProperty property;
        } kFontAttributes[] = {{"face", StyleProperty::kFontFamily},
                               {"size", StyleProperty::kFontSize},
                               {"color", StyleProperty::kColor},
                               {"weight", StyleProperty::kFontWeight},
                               {"bkgnd", StyleProperty::kBackgroundColor}};
        for (const auto& a : kFontAttributes) {
            if (const std::string* v = e.Attribute(a.attribute))
                ApplyDeclaration({a.property, std::string(TrimBlanks(*v))}, parent, s);
        }
        // A font's style is its slant, or declarations when it holds any.
        if (const std::string* v = e.Attribute("style"); v && v->find(':') == std::string::npos)
            ApplyDeclaration({StyleProperty::kFontStyle, *v}, parent, s);
    }
    if (const std::string* v = e.Attribute("style"); v && v->find(':') != std::string::npos)
        ApplyDeclarations(ParseDeclarations(*v), parent, s);
    return s;
}

FontMetrics MarkupLayouter::Metrics(const TextStyle& style) {
    return measurer_.Metrics(style.font);
}

int MarkupLayouter::TabInterval(const TextStyle& style) {
    return std::max(1, 8 * Metrics(style).averageWidth);
}

int MarkupLayouter::FontIndex(const FontRequest& font) {
    const auto [it, added] = fontIndex_.emplace(font, static_cast<int>(out_.fonts.size()));
    if (added)
        out_.fonts.push_back(font);
    return it->second;
}

void MarkupLayouter::AddTextRun(std::string_view text, const TextStyle& style, int link,
                                MarkupFlow& flow) {
    if (text.empty())
        return;
    const std::string shown = Transformed(text, style.transform);
    const FontMetrics m = Metrics(style);
    FlowPiece piece;
    piece.width = std::clamp(measurer_.TextWidth(style.font, shown), 0, kMaxMarkupExtent);
    piece.ascent = m.ascent;
    piece.descent = m.descent;
    piece.align = style.verticalAlign;
    const MarkupRect rect{0, 0, piece.width, m.ascent + m.descent};
    if (style.background.IsSet()) {
        MarkupItem fill;
        fill.kind = MarkupItem::Kind::kFill;
        fill.rect = rect;
        fill.fill.begin = style.background;
        fill.link = link;
        piece.items.push_back(std::move(fill));
    }
    MarkupItem item;
    item.kind = MarkupItem::Kind::kText;
    item.rect = rect;
    item.text = shown;
    item.font = FontIndex(style.font);
    item.colour = style.color;
    item.overline = style.overline;
    item.link = link;
    piece.items.push_back(std::move(item));
    flow.Add(std::move(piece));
}

void MarkupLayouter::AddText(std::string_view text, const TextStyle& style, int link,
                             MarkupFlow& flow) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '\n';
        if (c != '\n' && c != '\t' && c != '\r')
            continue;
        AddTextRun(text.substr(start, i - start), style, link, flow);
        start = i + 1;
        if (i == text.size())
            break;
        if (c == '\n') {
            flow.Break(Metrics(style), true);
        } else if (c == '\t') {
            const FontMetrics m = Metrics(style);
            const int x = flow.lineWidth();
            FlowPiece tab;
            tab.width = (x / flow.tabInterval() + 1) * flow.tabInterval() - x;
            tab.ascent = m.ascent;
            tab.descent = m.descent;
            flow.Add(std::move(tab));
        }
    }
}

void MarkupLayouter::AddImage(const MarkupNode& e, const TextStyle& style, int link,
                              MarkupFlow& flow) {
    ImageRef ref;
    const bool hasHandle = e.Attribute("handle") != nullptr;
    const bool hasIndex = e.Attribute("index") != nullptr;
    ref.icon = e.tag == MarkupTag::kIcon;
    if (e.tag == MarkupTag::kImageList || (hasIndex && e.tag != MarkupTag::kBitmap && !hasHandle)) {
        ref.source = ImageRef::Source::kImageList;
        ref.index = IntegerAttribute(e, "index", 0, 0, INT32_MAX);
    } else if (hasHandle) {
        ref.source = ref.icon ? ImageRef::Source::kIconHandle : ImageRef::Source::kBitmapHandle;
        ref.handle = static_cast<uint32_t>(IntegerAttribute(e, "handle", 0, INT32_MIN, INT32_MAX));
    } else if (e.Attribute("idres")) {
        ref.source = ImageRef::Source::kResource;
        ref.resourceId = static_cast<uint32_t>(IntegerAttribute(e, "idres", 0, 0, 0xFFFF));
        if (const std::string* dll = e.Attribute("srcdll"))
            ref.module = *dll;
    } else if (const std::string* file = e.Attribute("file")) {
        ref.source = ImageRef::Source::kFile;
        ref.file = *file;
    } else {
        return;
    }
    ref.mask = ColourAttribute(e, "mask");
    ref.cx = IntegerAttribute(e, "cx", 0, 0, kMaxImageSide);
    ref.cy = IntegerAttribute(e, "cy", 0, 0, kMaxImageSide);
    const MarkupSize own = measurer_.ImageSize(ref);
    const int w = Px(ref.cx ? ref.cx : std::clamp(own.width, 0, kMaxImageSide));
    const int h = Px(ref.cy ? ref.cy : std::clamp(own.height, 0, kMaxImageSide));
    if (own.width <= 0 || own.height <= 0 || w == 0 || h == 0)
        return;
    out_.images.push_back(std::move(ref));
    MarkupItem item;
    item.kind = MarkupItem::Kind::kImage;
    item.rect = {0, 0, w, h};
    item.image = static_cast<int>(out_.images.size()) - 1;
    item.link = link;
    FlowPiece piece;
    piece.width = w;
    piece.ascent = h;
    piece.align = style.verticalAlign;
    piece.items.push_back(std::move(item));
    flow.Add(std::move(piece));
}

void MarkupLayouter::AddRule(const TextStyle& style, MarkupFlow& flow) {
    flow.Break(Metrics(style), false);
    MarkupItem rule;
    rule.kind = MarkupItem::Kind::kRule;
    const int height = Px(kRuleHeight), thickness = Px(kRuleThickness);
    rule.rect = {0, (height - thickness) / 2, 0, (height - thickness) / 2 + thickness};
    rule.colour = style.color;
    FlowPiece piece;
    piece.ascent = height;
    piece.items.push_back(std::move(rule));
    flow.Add(std::move(piece));
    flow.Break(Metrics(style), false);
}

void MarkupLayouter::WalkElement(const MarkupNode& e, const TextStyle& parent, int link,
                                 MarkupFlow& flow) {
    switch (e.tag) {
        case MarkupTag::kBreak:
            flow.Break(Metrics(parent), true);
            return;
        case MarkupTag::kTab:
            AddText("\t", parent, link, flow);
            return;
        case MarkupTag::kRule:
            AddRule(parent, flow);
            return;
        case MarkupTag::kIcon:
        case MarkupTag::kBitmap:
        case MarkupTag::kImage:
        case MarkupTag::kImageList:
            AddImage(e, parent, link, flow);
            return;
        case MarkupTag::kString: {
            const int id = IntegerAttribute(e, "idres", -1, -1, 0xFFFF);
            const std::string* dll = e.Attribute("srcdll");
            if (id >= 0)
                AddText(measurer_.ResourceString(dll ? *dll : "", static_cast<uint32_t>(id)),
                        parent, link, flow);
            return;
        }
        case MarkupTag::kTable: {
            flow.Break(Metrics(parent), false);
            FlowPiece table = LayOutTable(*this, e, parent, link);
            const TextAlign before = flow.align();
            flow.SetAlign(AlignAttribute(e, before));
            flow.Add(std::move(table));
            flow.Break(Metrics(parent), false);
            flow.SetAlign(before);
            return;
        }
        default:
            break;
    }
    const TextStyle style = ElementStyle(e, parent);
    if (e.tag == MarkupTag::kLink) {
        MarkupLink target;
        if (const std::string* href = e.Attribute("href"))
            target.href = *href;
        else if (const std::string* url = e.Attribute("url"))
            target.href = *url;
        if (const std::string* msg = e.Attribute("msg"))
            target.msg = *msg;
        out_.links.push_back(std::move(target));
        link = static_cast<int>(out_.links.size()) - 1;
    }
    if (!IsBlock(e.tag)) {
        Walk(e.children, style, link, flow);
        return;
    }
    // A block: margin, frame and padding round its lines; its background behind
    // all of them, so its contents need none of their own.
    flow.Break(Metrics(parent), false);
    const BoxSides m{Px(style.margin.left), Px(style.margin.top), Px(style.margin.right),
                     Px(style.margin.bottom)};
    const BoxSides p{Px(style.padding.left), Px(style.padding.top), Px(style.padding.right),
                     Px(style.padding.bottom)};
    const std::optional<MarkupFrame> frame = BlockFrame(style, Px(style.borderWidth));
    const int f = frame ? frame->width : 0;
    flow.Space(m.top);
    flow.Indent(m.left, m.right);
    const size_t block = flow.BeginBlock();
    flow.Space(f + p.top);
    const TextAlign before = flow.align();
    flow.SetAlign(AlignAttribute(e, style.align));
    flow.Indent(f + p.left, f + p.right);
    TextStyle contents = style;
    contents.background = MarkupColour{};
    Walk(e.children, contents, link, flow);
    flow.Break(Metrics(style), false);
    flow.Indent(-(m.left + f + p.left), -(m.right + f + p.right));
    flow.SetAlign(before);
    flow.Space(p.bottom + f);
    MarkupFill fill;
    fill.begin = style.background;
    flow.EndBlock(block, fill, style.background.IsSet(), frame, link);
    flow.Space(m.bottom);
}

void MarkupLayouter::Walk(const std::vector<MarkupNode>& nodes, const TextStyle& style, int link,
                          MarkupFlow& flow) {
    for (const MarkupNode& n : nodes) {
        if (n.isText) {
            AddText(n.text, style, link, flow);
        } else {
            WalkElement(n, style, link, flow);
        }
    }
}

MarkupLayout LayOutMarkup(std::string_view text, const StyleSheet& sheet, MarkupMeasurer& measurer,
                          int hoverLink) {
    MarkupLayout layout;
    const MarkupNode document = ParseMarkup(text);
    MarkupLayouter layouter(sheet, measurer, layout, hoverLink);
    const TextStyle body = layouter.BodyStyle();
    MarkupFlow flow(layouter.TabInterval(body));
    flow.SetAlign(body.align);
    layouter.Walk(document.children, body, -1, flow);
    flow.Break(layouter.Metrics(body), false);
    layout.width = flow.NaturalWidth();
    layout.height = flow.Place(layout.width, 0, 0, layout.items);
    return layout;
}

}  // namespace velmora

#pragma once
// A laid-out markup as readable text, one line for each font, image, link and item:
//   size W x H
//   font N "families" SIZE(tenths of a point) wWEIGHT [italic] [underline] [strikeout]
//   image N list|icon-handle|bitmap-handle|resource|file ... [cx x cy]
//   link N href="..." msg="..."
//   text|image|fill|frame|rule LEFT,TOP..RIGHT,BOTTOM and what the item carries
// Colours read #RRGGBB (red first), sys:N for a system colour, "-" when not set.
// Bytes outside printable ASCII (GBK, the symbol marks) read \xNN.

#include <cstdio>
#include <string>

#include "ui/markup/markup_layout.h"

namespace velmora {

inline std::string DumpBytes(const std::string& s) {
    std::string out = "\"";
    char buf[8];
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x7F || c == '"' || c == '\\') {
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

inline std::string DumpColour(const MarkupColour& c) {
    char buf[16];
    switch (c.kind) {
        case MarkupColour::Kind::kNone:
            return "-";
        case MarkupColour::Kind::kSystem:
            std::snprintf(buf, sizeof buf, "sys:%u", static_cast<unsigned>(c.value));
            return buf;
        case MarkupColour::Kind::kRgb:
            break;
    }
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", static_cast<unsigned>(c.value & 0xFF),
                  static_cast<unsigned>((c.value >> 8) & 0xFF),
                  static_cast<unsigned>((c.value >> 16) & 0xFF));
    return buf;
}

inline std::string DumpLayout(const MarkupLayout& l) {
    std::string s;
    char buf[96];
    std::snprintf(buf, sizeof buf, "size %d x %d\n", l.width, l.height);
    s += buf;
    for (size_t i = 0; i < l.fonts.size(); ++i) {
        const FontRequest& f = l.fonts[i];
        std::snprintf(buf, sizeof buf, "font %zu ", i);
        s += buf + DumpBytes(f.families);
        std::snprintf(buf, sizeof buf, " %d w%d", f.tenths, f.weight);
        s += buf;
        s += std::string(f.italic ? " italic" : "") + (f.underline ? " underline" : "") +
             (f.strikeout ? " strikeout" : "") + "\n";
    }
    static const char* const kSources[] = {"icon-handle", "bitmap-handle", "list", "resource",
                                           "file"};
    for (size_t i = 0; i < l.images.size(); ++i) {
        const ImageRef& m = l.images[i];
        std::snprintf(buf, sizeof buf, "image %zu %s%s handle %u index %d id %u", i,
                      kSources[static_cast<int>(m.source)], m.icon ? " icon" : "",
                      static_cast<unsigned>(m.handle), static_cast<int>(m.index),
                      static_cast<unsigned>(m.resourceId));
        s += buf;
        s += " module " + DumpBytes(m.module) + " file " + DumpBytes(m.file) + " mask " +
             DumpColour(m.mask);
        std::snprintf(buf, sizeof buf, " %d x %d\n", m.cx, m.cy);
        s += buf;
    }
    for (size_t i = 0; i < l.links.size(); ++i) {
        std::snprintf(buf, sizeof buf, "link %zu href=", i);
        s += buf + DumpBytes(l.links[i].href) + " msg=" + DumpBytes(l.links[i].msg) + "\n";
    }
    static const char* const kKinds[] = {"text", "image", "fill", "frame", "rule"};
    static const char* const kBorders[] = {"none", "solid", "dotted", "dashed", "double"};
    for (const MarkupItem& i : l.items) {
        const MarkupRect& r = i.rect;
        std::snprintf(buf, sizeof buf, "%s %d,%d..%d,%d", kKinds[static_cast<int>(i.kind)], r.left,
                      r.top, r.right, r.bottom);
        s += buf;
        switch (i.kind) {
            case MarkupItem::Kind::kText:
                std::snprintf(buf, sizeof buf, " font %d ", i.font);
                s += buf + DumpColour(i.colour) + (i.overline ? " overline" : "") + " " +
                     DumpBytes(i.text);
                break;
            case MarkupItem::Kind::kImage:
                std::snprintf(buf, sizeof buf, " image %d", i.image);
                s += buf;
                break;
            case MarkupItem::Kind::kFill:
                std::snprintf(buf, sizeof buf, " effect %d ", i.fill.effect);
                s += buf + DumpColour(i.fill.begin) + " " + DumpColour(i.fill.middle) + " " +
                     DumpColour(i.fill.end);
                break;
            case MarkupItem::Kind::kFrame:
                std::snprintf(buf, sizeof buf, " w%d %s ", i.frame.width,
                              kBorders[static_cast<int>(i.frame.style)]);
                s += buf + DumpColour(i.frame.light) + " " + DumpColour(i.frame.dark);
                break;
            case MarkupItem::Kind::kRule:
                s += " " + DumpColour(i.colour);
                break;
        }
        if (i.link >= 0) {
            std::snprintf(buf, sizeof buf, " link %d", i.link);
            s += buf;
        }
        s += "\n";
    }
    return s;
}

}  // namespace velmora

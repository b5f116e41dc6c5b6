#pragma once
// The walk over the markup tree that fills flows with pieces (internal to the
// layout; tables, in markup_table.cpp, use it for their cells).

#include <unordered_map>

#include "ui/markup/markup_flow.h"

namespace velmora {

class MarkupLayouter {
  public:
    // `hoverLink`: the link (by its place among the tip's links) under the pointer, or -1.
    MarkupLayouter(const StyleSheet& sheet, MarkupMeasurer& measurer, MarkupLayout& out,
                   int hoverLink = -1)
        : sheet_(sheet),
          measurer_(measurer),
          out_(out),
          hoverLink_(hoverLink),
          dpi_(measurer.Dpi()) {}

    // A length of the markup or its sheet (pixels at 96 dpi) in pixels of the layout.
    int Px(int length96) const { return MarkupPixels(length96, dpi_); }

    // The style of the tip's text: the body rule over the defaults.
    TextStyle BodyStyle() const;
    // The style of an element inside one of style `parent`.
    TextStyle ElementStyle(const MarkupNode& element, const TextStyle& parent) const;

    FontMetrics Metrics(const TextStyle& style);
    // Tab positions for a container whose text starts in this style.
    int TabInterval(const TextStyle& style);

    // Adds the nodes' contents to the flow. `link` is the link they belong to (-1).
    void Walk(const std::vector<MarkupNode>& nodes, const TextStyle& style, int link,
              MarkupFlow& flow);

  private:
    void WalkElement(const MarkupNode& element, const TextStyle& parent, int link,
                     MarkupFlow& flow);
    void AddText(std::string_view text, const TextStyle& style, int link, MarkupFlow& flow);
    void AddTextRun(std::string_view text, const TextStyle& style, int link, MarkupFlow& flow);
    void AddImage(const MarkupNode& element, const TextStyle& style, int link, MarkupFlow& flow);
    void AddRule(const TextStyle& style, MarkupFlow& flow);
    int FontIndex(const FontRequest& font);

    const StyleSheet& sheet_;
    MarkupMeasurer& measurer_;
    MarkupLayout& out_;
    int hoverLink_;
    int dpi_;
    std::unordered_map<FontRequest, int, FontRequestHash> fontIndex_;  // into out_.fonts

    friend FlowPiece LayOutTable(MarkupLayouter& layouter, const MarkupNode& table,
                                 const TextStyle& style, int link);
};

// A table as one piece of a line.
FlowPiece LayOutTable(MarkupLayouter& layouter, const MarkupNode& table, const TextStyle& style,
                      int link);

// An integer attribute between lo and hi, or `fallback` when missing or not a number.
int IntegerAttribute(const MarkupNode& element, const char* name, int fallback, int lo, int hi);
// A colour attribute, or a colour that is not set.
MarkupColour ColourAttribute(const MarkupNode& element, const char* name);
// "left", "center", "right" (and for vertical ones "top", "middle", "vcenter",
// "baseline", "bottom") of an attribute.
TextAlign AlignAttribute(const MarkupNode& element, TextAlign fallback);
VerticalAlign VerticalAlignAttribute(const MarkupNode& element, VerticalAlign fallback);
// A background effect name ("hgradient" ... "metal") as 1-15; 0 for none.
int EffectAttribute(const MarkupNode& element);

}  // namespace velmora

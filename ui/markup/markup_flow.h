#pragma once
// The lines of one container of tip markup (the whole tip, or a table cell): pieces
// are added left to right, lines end only where told, and at the end the lines are
// placed within the container's width by their alignment (internal to the layout).

#include <algorithm>
#include <optional>
#include <vector>

#include "ui/markup/markup_layout.h"

namespace velmora {

// A length or place kept between 0 and kMaxMarkupExtent.
inline int ClampExtent(long long v) {
    return static_cast<int>(std::clamp<long long>(v, 0, kMaxMarkupExtent));
}

// A piece of a line: a word of text, an image, a table. Its items lie relative to
// the piece's top-left corner.
struct FlowPiece {
    int width = 0;
    int ascent = 0;
    int descent = 0;
    VerticalAlign align = VerticalAlign::kBaseline;
    std::vector<MarkupItem> items;
};

class MarkupFlow {
  public:
    // Tab positions every `tabInterval` pixels (at least 1).
    explicit MarkupFlow(int tabInterval);

    // The width of the current line so far (without its indent).
    int lineWidth() const { return current_.width; }
    int tabInterval() const { return tabInterval_; }

    void Add(FlowPiece piece);
    // Ends the current line. An empty line is kept only when forced (a line feed,
    // <br>), with the height of `emptyLine`.
    void Break(const FontMetrics& emptyLine, bool force);
    // Vertical space before the next line (or at the end).
    void Space(int pixels);

    // The alignment and indents that lines ended from now on take.
    void SetAlign(TextAlign align) { align_ = align; }
    TextAlign align() const { return align_; }
    void Indent(int left, int right) {
        indentLeft_ += left;
        indentRight_ += right;
    }

    // A block's background and frame, behind its lines: BeginBlock at the block's
    // top edge (its top margin already spaced, its left and right margins already
    // indented), EndBlock at its bottom edge (its bottom padding spaced, its
    // indents taken back). Blocks are drawn in the order they began, so an outer
    // block lies under the blocks inside it.
    size_t BeginBlock();
    void EndBlock(size_t block, const MarkupFill& fill, bool filled,
                  const std::optional<MarkupFrame>& frame, int link);

    // The widest line with its indents (lines ended so far).
    int NaturalWidth() const;
    // The height of the ended lines with their spaces.
    int Height() const;
    // Places the ended lines within `width` and appends their items, moved by
    // (dx, dy); answers the height of all lines and spaces.
    int Place(int width, int dx, int dy, std::vector<MarkupItem>& out) const;

  private:
    // A place between lines: before lines_[line], after `space` of its space.
    struct Mark {
        size_t line = 0;
        int space = 0;
    };
    struct Block {
        Mark top, bottom;
        int indentLeft = 0, indentRight = 0;
        bool ended = false;
        bool filled = false;
        MarkupFill fill;
        std::optional<MarkupFrame> frame;
        int link = -1;
    };
    Mark Here() const { return {lines_.size(), pendingSpace_}; }

    struct Line {
        std::vector<FlowPiece> pieces;
        int width = 0;
        int ascent = 0;  // of the baseline pieces
        int height = 0;
        int spaceBefore = 0;
        int indentLeft = 0, indentRight = 0;
        TextAlign align = TextAlign::kLeft;
    };

    int tabInterval_;
    std::vector<Line> lines_;
    std::vector<Block> blocks_;
    Line current_;
    int pendingSpace_ = 0;
    int indentLeft_ = 0, indentRight_ = 0;
    TextAlign align_ = TextAlign::kLeft;
};

}  // namespace velmora

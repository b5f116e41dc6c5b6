#include "ui/markup/markup_flow.h"

#include <algorithm>

namespace velmora {

MarkupFlow::MarkupFlow(int tabInterval) : tabInterval_(std::max(1, tabInterval)) {}

void MarkupFlow::Add(FlowPiece piece) {
    current_.width = ClampExtent(static_cast<long long>(current_.width) + piece.width);
    current_.pieces.push_back(std::move(piece));
}

void MarkupFlow::Break(const FontMetrics& emptyLine, bool force) {
    if (current_.pieces.empty() && !force)
        return;
    Line line = std::move(current_);
    current_ = Line{};
    int ascent = 0, descent = 0, tallest = 0;
    bool baseline = false;
    for (const FlowPiece& p : line.pieces) {
        if (p.align == VerticalAlign::kBaseline) {
            baseline = true;
            ascent = std::max(ascent, p.ascent);
            descent = std::max(descent, p.descent);
        } else {
            tallest = std::max(tallest, p.ascent + p.descent);
        }
    }
    if (line.pieces.empty()) {
        baseline = true;
        ascent = emptyLine.ascent;
        descent = emptyLine.descent;
    }
    line.ascent = baseline ? ascent : 0;
    line.height = ClampExtent(std::max(ascent + descent, tallest));
    line.spaceBefore = pendingSpace_;
    pendingSpace_ = 0;
    line.indentLeft = indentLeft_;
    line.indentRight = indentRight_;
    line.align = align_;
    lines_.push_back(std::move(line));
}

void MarkupFlow::Space(int pixels) {
    pendingSpace_ = ClampExtent(static_cast<long long>(pendingSpace_) + std::max(0, pixels));
}

size_t MarkupFlow::BeginBlock() {
    Block b;
    b.top = Here();
    b.indentLeft = indentLeft_;
    b.indentRight = indentRight_;
    blocks_.push_back(std::move(b));
    return blocks_.size() - 1;
}

void MarkupFlow::EndBlock(size_t block, const MarkupFill& fill, bool filled,
                          const std::optional<MarkupFrame>& frame, int link) {
    if (block >= blocks_.size())
        return;
    Block& b = blocks_[block];
    b.bottom = Here();
    b.ended = true;
    b.fill = fill;
    b.filled = filled;
    b.frame = frame;
    b.link = link;
}

int MarkupFlow::NaturalWidth() const {
    int widest = 0;
    for (const Line& line : lines_) {
        widest = std::max(widest, ClampExtent(static_cast<long long>(line.indentLeft) + line.width +
                                              line.indentRight));
    }
    return widest;
}

int MarkupFlow::Height() const {
    long long h = pendingSpace_;
    for (const Line& line : lines_)
        h += static_cast<long long>(line.spaceBefore) + line.height;
    return ClampExtent(h);
}

int MarkupFlow::Place(int width, int dx, int dy, std::vector<MarkupItem>& out) const {
    // Where each line starts, before its space; the last entry is the end of the lines.
    std::vector<long long> lineTops(lines_.size() + 1, dy);
    for (size_t i = 0; i < lines_.size(); ++i)
        lineTops[i + 1] = lineTops[i] + lines_[i].spaceBefore + lines_[i].height;
    auto at = [&lineTops](const Mark& m) {
        return static_cast<int>(std::min<long long>(
            lineTops[std::min(m.line, lineTops.size() - 1)] + m.space, kMaxMarkupExtent));
    };
    for (const Block& b : blocks_) {
        if (!b.ended || (!b.filled && !b.frame))
            continue;
        const MarkupRect rect{dx + b.indentLeft, at(b.top),
                              std::max(dx + b.indentLeft, dx + width - b.indentRight),
                              at(b.bottom)};
        if (rect.width() <= 0 || rect.height() <= 0)
            continue;
        MarkupItem item;
        item.rect = rect;
        item.link = b.link;
        if (b.filled) {
            item.kind = MarkupItem::Kind::kFill;
            item.fill = b.fill;
            out.push_back(item);
        }
        if (b.frame) {
            item.kind = MarkupItem::Kind::kFrame;
            item.frame = *b.frame;
            out.push_back(item);
        }
    }

    long long y = dy;
    for (const Line& line : lines_) {
        y += line.spaceBefore;
        const int available = width - line.indentLeft - line.indentRight;
        long long x = dx + line.indentLeft;
        if (line.align == TextAlign::kCenter)
            x += std::max(0, (available - line.width) / 2);
        if (line.align == TextAlign::kRight)
            x += std::max(0, available - line.width);
        for (const FlowPiece& p : line.pieces) {
            const int h = p.ascent + p.descent;
            int top = 0;
            switch (p.align) {
                case VerticalAlign::kBaseline:
                    top = line.ascent - p.ascent;
                    break;
                case VerticalAlign::kTop:
                    break;
                case VerticalAlign::kMiddle:
                    top = (line.height - h) / 2;
                    break;
                case VerticalAlign::kBottom:
                    top = line.height - h;
                    break;
            }
            const int pieceTop = static_cast<int>(std::min<long long>(y, kMaxMarkupExtent)) + top;
            const int left = static_cast<int>(std::min<long long>(x, kMaxMarkupExtent));
            for (MarkupItem item : p.items) {
                item.rect.left += left;
                item.rect.right += left;
                item.rect.top += pieceTop;
                item.rect.bottom += pieceTop;
                if (item.kind == MarkupItem::Kind::kRule) {  // a rule spans its container
                    item.rect.left = dx + line.indentLeft;
                    item.rect.right = std::max(item.rect.left, dx + width - line.indentRight);
                }
                out.push_back(std::move(item));
            }
            x += p.width;
        }
        y += line.height;
    }
    y += pendingSpace_;
    return ClampExtent(y - dy);
}

}  // namespace velmora

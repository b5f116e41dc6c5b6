// Tables of tip markup: rows of cells on a grid (colspan and rowspan), columns as
// wide as their widest cell, rows as high as their highest, cellspacing between
// and around the cells, cellpadding inside them, an outer frame of `border` pixels
// and a 1-pixel frame round each cell when there is one.
#include <algorithm>
#include <memory>

#include "ui/markup/markup_layouter.h"

namespace velmora {

namespace {

constexpr int kMaxColumns = 64;
constexpr int kMaxRows = 256;
constexpr int kMaxSpan = 16;
constexpr int kMaxTableSide = 4096;
// The frame colours HTML tables are drawn with unless told otherwise.
constexpr uint32_t kDefaultLightFrame = 0x00E0E0E0;
constexpr uint32_t kDefaultDarkFrame = 0x00808080;

struct Cell {
    const MarkupNode* node;
    int row, col, rowspan, colspan;
    VerticalAlign valign;
    std::unique_ptr<MarkupFlow> flow;
    int needWidth = 0, needHeight = 0;  // outer size the cell asks for
};

// The rows of a table: its tr elements, and runs of td elements outside any.
std::vector<std::vector<const MarkupNode*>> Rows(const MarkupNode& table) {
    std::vector<std::vector<const MarkupNode*>> rows;
    bool looseRow = false;
    for (const MarkupNode& child : table.children) {
        if (child.isText)
            continue;
        if (child.tag == MarkupTag::kRow) {
            rows.emplace_back();
            for (const MarkupNode& cell : child.children) {
                if (!cell.isText && cell.tag == MarkupTag::kCell)
                    rows.back().push_back(&cell);
            }
            looseRow = false;
        } else if (child.tag == MarkupTag::kCell) {
            if (!looseRow)
                rows.emplace_back();
            rows.back().push_back(&child);
            looseRow = true;
        }
        if (static_cast<int>(rows.size()) >= kMaxRows)
            break;
    }
    return rows;
}

// The size of `span` tracks from `first` with the spacing between them.
long long Sum(const std::vector<int>& sizes, int first, int span, int spacing) {
    long long total = static_cast<long long>(span - 1) * spacing;
    for (int i = first; i < first + span; ++i)
        total += sizes[i];
    return total;
}

// Grows the sizes of the spanned tracks evenly until they hold `need`.
void Stretch(std::vector<int>& sizes, int first, int span, int spacing, int need) {
    const long long have = Sum(sizes, first, span, spacing);
    if (need <= have)
        return;
    const long long extra = need - have;
    for (int i = 0; i < span; ++i)
        sizes[first + i] += static_cast<int>(extra / span + (i < extra % span ? 1 : 0));
}

// Where track `index` starts, after the tracks before it and their spacing.
long long Offset(const std::vector<int>& sizes, int index, int spacing) {
    long long total = 0;
    for (int i = 0; i < index; ++i)
        total += sizes[i] + spacing;
    return total;
}

// The outer frame of the table (raised) or the frame of a cell (sunken) round `rect`.
void AddFrame(const MarkupNode& table, const MarkupRect& rect, int width, bool sunken,
              std::vector<MarkupItem>& items) {
    MarkupFrame f;
    f.width = width;
    const MarkupColour all = ColourAttribute(table, "bordercolor");
    MarkupColour light = ColourAttribute(table, "bordercolorlight");
    MarkupColour dark = ColourAttribute(table, "bordercolordark");
    if (!light.IsSet())
        light = all.IsSet() ? all : MarkupColour::Rgb(kDefaultLightFrame);
    if (!dark.IsSet())
        dark = all.IsSet() ? all : MarkupColour::Rgb(kDefaultDarkFrame);
    f.light = sunken ? dark : light;
    f.dark = sunken ? light : dark;
    if (const std::string* s = table.Attribute("borderstyle")) {
        static const std::pair<const char*, BorderStyle> kStyles[] = {
            {"solid", BorderStyle::kSolid},
            {"dotted", BorderStyle::kDotted},
            {"dashed", BorderStyle::kDashed},
            {"double", BorderStyle::kDouble}};
        for (const auto& [name, style] : kStyles) {
            if (*s == name)
                f.style = style;
        }
    }
    MarkupItem frame;
    frame.kind = MarkupItem::Kind::kFrame;
    frame.rect = rect;
    frame.frame = f;
    items.push_back(std::move(frame));
}

// The background of a table or cell, when it has one.
void AddBackground(const MarkupNode& e, const MarkupRect& rect, int link,
                   std::vector<MarkupItem>& items) {
    MarkupItem fill;
    fill.kind = MarkupItem::Kind::kFill;
    fill.rect = rect;
    fill.link = link;
    fill.fill.effect = EffectAttribute(e);
    fill.fill.begin = ColourAttribute(e, "bgcolor");
    fill.fill.middle = ColourAttribute(e, "bgmidcolor");
    fill.fill.end = ColourAttribute(e, "bgendcolor");
    if (fill.fill.begin.IsSet() || fill.fill.effect != 0)
        items.push_back(std::move(fill));
}

}  // namespace

FlowPiece LayOutTable(MarkupLayouter& layouter, const MarkupNode& table, const TextStyle& style,
                      int link) {
    const int border = layouter.Px(IntegerAttribute(table, "border", 0, 0, 20));
    const int spacing = layouter.Px(IntegerAttribute(table, "cellspacing", 2, 0, 100));
    const int padding = layouter.Px(IntegerAttribute(table, "cellpadding", 1, 0, 100));
    const int cellFrame = border > 0 ? layouter.Px(1) : 0;
    const int inset = cellFrame + padding;

    // Cells on the grid.
    std::vector<Cell> cells;
    std::vector<std::vector<bool>> taken;
    const std::vector<std::vector<const MarkupNode*>> rows = Rows(table);
    int columns = 0, rowCount = 0;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        if (static_cast<int>(taken.size()) <= r)
            taken.resize(r + 1, std::vector<bool>(kMaxColumns, false));
        int c = 0;
        for (const MarkupNode* td : rows[r]) {
            while (c < kMaxColumns && taken[r][c])
                ++c;
            if (c >= kMaxColumns)
                break;
            const int colspan =
                std::min(IntegerAttribute(*td, "colspan", 1, 1, kMaxSpan), kMaxColumns - c);
            const int rowspan =
                std::min(IntegerAttribute(*td, "rowspan", 1, 1, kMaxSpan), kMaxRows - r);
            if (static_cast<int>(taken.size()) < r + rowspan)
                taken.resize(r + rowspan, std::vector<bool>(kMaxColumns, false));
            for (int y = r; y < r + rowspan; ++y) {
                for (int x = c; x < c + colspan; ++x)
                    taken[y][x] = true;
            }
            cells.push_back({td, r, c, rowspan, colspan, VerticalAlign::kMiddle, nullptr});
            columns = std::max(columns, c + colspan);
            rowCount = std::max(rowCount, r + rowspan);
            c += colspan;
        }
    }
    FlowPiece piece;
    if (cells.empty())
        return piece;

    // Each cell's contents, at their natural size.
    for (Cell& cell : cells) {
        TextStyle cellStyle = layouter.ElementStyle(*cell.node, style);
        cell.valign = VerticalAlignAttribute(*cell.node, VerticalAlign::kMiddle);
        cell.flow = std::make_unique<MarkupFlow>(layouter.TabInterval(cellStyle));
        cell.flow->SetAlign(AlignAttribute(*cell.node, cellStyle.align));
        layouter.Walk(cell.node->children, cellStyle, link, *cell.flow);
        cell.flow->Break(layouter.Metrics(cellStyle), false);
        const int wantWidth =
            layouter.Px(IntegerAttribute(*cell.node, "width", 0, 0, kMaxTableSide));
        const int wantHeight =
            layouter.Px(IntegerAttribute(*cell.node, "height", 0, 0, kMaxTableSide));
        cell.needWidth =
            ClampExtent(std::max<long long>(cell.flow->NaturalWidth() + 2LL * inset, wantWidth));
        cell.needHeight =
            ClampExtent(std::max<long long>(cell.flow->Height() + 2LL * inset, wantHeight));
    }

    // Track sizes: single spans first, then the wider spans stretch their tracks.
    std::vector<int> widths(columns, 0), heights(rowCount, 0);
    std::vector<const Cell*> bySpan;
    for (const Cell& cell : cells)
        bySpan.push_back(&cell);
    std::stable_sort(bySpan.begin(), bySpan.end(), [](const Cell* a, const Cell* b) {
        return a->colspan + a->rowspan < b->colspan + b->rowspan;
    });
    for (const Cell* cell : bySpan) {
        Stretch(widths, cell->col, cell->colspan, spacing, cell->needWidth);
        Stretch(heights, cell->row, cell->rowspan, spacing, cell->needHeight);
    }
    // A table asked to be wider or higher shares the extra among its tracks.
    const int outer = border + spacing;
    Stretch(widths, 0, columns, spacing,
            layouter.Px(IntegerAttribute(table, "width", 0, 0, kMaxTableSide)) - 2 * outer);
    Stretch(heights, 0, rowCount, spacing,
            layouter.Px(IntegerAttribute(table, "height", 0, 0, kMaxTableSide)) - 2 * outer);

    const int width = ClampExtent(Sum(widths, 0, columns, spacing) + 2LL * outer);
    const int height = ClampExtent(Sum(heights, 0, rowCount, spacing) + 2LL * outer);
    const MarkupRect whole{0, 0, width, height};
    AddBackground(table, whole, link, piece.items);
    if (border > 0)
        AddFrame(table, whole, border, false, piece.items);
    for (const Cell& cell : cells) {
        const int x = ClampExtent(outer + Offset(widths, cell.col, spacing));
        const int y = ClampExtent(outer + Offset(heights, cell.row, spacing));
        const MarkupRect rect{x, y, ClampExtent(x + Sum(widths, cell.col, cell.colspan, spacing)),
                              ClampExtent(y + Sum(heights, cell.row, cell.rowspan, spacing))};
        AddBackground(*cell.node, rect, link, piece.items);
        if (cellFrame)
            AddFrame(table, rect, cellFrame, true, piece.items);
        const int innerHeight = rect.height() - 2 * inset;
        const int contents = cell.flow->Height();
        int top = 0;
        if (cell.valign == VerticalAlign::kMiddle)
            top = std::max(0, (innerHeight - contents) / 2);
        if (cell.valign == VerticalAlign::kBottom)
            top = std::max(0, innerHeight - contents);
        cell.flow->Place(rect.width() - 2 * inset, rect.left + inset, rect.top + inset + top,
                         piece.items);
    }
    piece.width = width;
    piece.ascent = height;
    return piece;
}

}  // namespace velmora

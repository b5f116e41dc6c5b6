// Covers: the outlines of Shape 1-29: each fills a square window edge to edge,
// stays inside any window, holds the window's centre and is unlike every other;
// no outline for shape 0, numbers outside 1-29 or empty sizes; no overflow.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <tuple>

#include "ui/controls/window/window_shapes.h"

namespace velmora {
namespace {

// The bounding box of all parts, and whether the centre lies inside one of them
// (a crossing-number test for polygons; the boxes of the rounded parts).
struct Facts {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    bool holdsCentre = false;
};

Facts Examine(const std::vector<ShapePart>& parts, int w, int h) {
    Facts f;
    const double cx = w / 2.0, cy = h / 2.0;
    auto add = [&f](int x, int y) {
        f.left = std::min(f.left, x), f.top = std::min(f.top, y);
        f.right = std::max(f.right, x), f.bottom = std::max(f.bottom, y);
    };
    for (const ShapePart& p : parts) {
        if (p.kind != ShapePart::Kind::kPolygon) {
            add(p.left, p.top);
            add(p.right, p.bottom);
            f.holdsCentre |= cx > p.left && cx < p.right && cy > p.top && cy < p.bottom;
            continue;
        }
        bool inside = false;
        for (size_t i = 0, j = p.points.size() - 1; i < p.points.size(); j = i++) {
            const ShapePoint &a = p.points[i], &b = p.points[j];
            add(a.x, a.y);
            if ((a.y > cy) != (b.y > cy) && cx < a.x + (cy - a.y) * (b.x - a.x) / double(b.y - a.y))
                inside = !inside;
        }
        f.holdsCentre |= inside && p.points.size() >= 3;
    }
    return f;
}

TEST(WindowShapes, EveryOutlineFillsTheWindowAndHoldsItsCentre) {
    std::set<std::vector<int>> seen;
    for (int shape = 1; shape <= kLastWindowShape; ++shape) {
        const Facts square = Examine(WindowShapeParts(shape, 200, 200), 200, 200);
        EXPECT_EQ(std::tie(square.left, square.top, square.right, square.bottom),
                  std::make_tuple(0, 0, 200, 200))
            << shape;
        for (const auto& [w, h] : {std::pair{300, 120}, std::pair{97, 311}}) {
            const Facts f = Examine(WindowShapeParts(shape, w, h), w, h);
            EXPECT_TRUE(f.left >= 0 && f.top >= 0 && f.right <= w && f.bottom <= h) << shape;
            EXPECT_TRUE(f.holdsCentre) << shape << " at " << w << "x" << h;
        }
        std::vector<int> outline;  // every number that describes it
        for (const ShapePart& p : WindowShapeParts(shape, 160, 100)) {
            outline.insert(outline.end(), {int(p.kind), p.left, p.top, p.right, p.bottom,
                                           p.cornerWidth, p.cornerHeight});
            for (const ShapePoint& pt : p.points)
                outline.insert(outline.end(), {pt.x, pt.y});
        }
        EXPECT_TRUE(seen.insert(outline).second) << "shape " << shape << " repeats another";
    }
}

TEST(WindowShapes, NoOutlineWithoutAShapeOrASize) {
    const std::tuple<int, int, int> cases[] = {{0, 100, 100},   {30, 100, 100}, {-1, 100, 100},
                                               {1, 0, 100},     {6, 100, 0},    {14, -5, 100},
                                               {INT_MIN, 1, 1}, {INT_MAX, 1, 1}};
    for (const auto& [shape, w, h] : cases)
        EXPECT_TRUE(WindowShapeParts(shape, w, h).empty()) << shape << " " << w << "x" << h;
    // Stored sizes may be as large as 32 bits go.
    for (int shape = 1; shape <= kLastWindowShape; ++shape) {
        const Facts f = Examine(WindowShapeParts(shape, INT_MAX, INT_MAX), INT_MAX, INT_MAX);
        EXPECT_TRUE(f.left >= 0 && f.top >= 0) << shape;
    }
}

}  // namespace
}  // namespace velmora

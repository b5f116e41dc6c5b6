#include "ui/controls/window/window_shapes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace velmora {

namespace {

// Polygon corners in thousandths of the window's width and height.
struct Unit {
    int x, y;
};

constexpr int kMaxCorners = 16;

struct PolygonShape {
    int shape = 0;
    int count = 0;
    Unit points[kMaxCorners] = {};
};

template <size_t N>
constexpr PolygonShape Corners(int shape, const Unit (&points)[N]) {
    static_assert(N >= 3 && N <= kMaxCorners, "a polygon of 3 to 16 corners");
    PolygonShape p;
    p.shape = shape;
    p.count = static_cast<int>(N);
    for (size_t i = 0; i < N; ++i)
        p.points[i] = points[i];
    return p;
}

constexpr PolygonShape kPolygons[] = {
    Corners(6, {{500, 0}, {1000, 500}, {500, 1000}, {0, 500}}),
    Corners(7, {{500, 0}, {1000, 1000}, {0, 1000}}),
    Corners(8, {{0, 0}, {1000, 0}, {500, 1000}}),
    Corners(9, {{1000, 0}, {1000, 1000}, {0, 500}}),
    Corners(10, {{0, 0}, {1000, 500}, {0, 1000}}),
    Corners(11, {{500, 0}, {1000, 381}, {809, 1000}, {191, 1000}, {0, 381}}),
    Corners(12, {{250, 0}, {750, 0}, {1000, 500}, {750, 1000}, {250, 1000}, {0, 500}}),
    Corners(13, {{293, 0},
                 {707, 0},
                 {1000, 293},
                 {1000, 707},
                 {707, 1000},
                 {293, 1000},
                 {0, 707},
                 {0, 293}}),
    Corners(14, {{500, 0},
                 {613, 381},
                 {1000, 381},
                 {691, 618},
                 {809, 1000},
                 {500, 764},
                 {191, 1000},
                 {309, 618},
                 {0, 381},
                 {387, 381}}),
    Corners(15, {{500, 0},
                 {666, 250},
                 {1000, 250},
                 {833, 500},
                 {1000, 750},
                 {666, 750},
                 {500, 1000},
                 {334, 750},
                 {0, 750},
                 {167, 500},
                 {0, 250},
                 {334, 250}}),
    Corners(16, {{333, 0},
                 {667, 0},
                 {667, 333},
                 {1000, 333},
                 {1000, 667},
                 {667, 667},
                 {667, 1000},
                 {333, 1000},
                 {333, 667},
                 {0, 667},
                 {0, 333},
                 {333, 333}}),
    Corners(17, {{0, 0},
                 {200, 0},
                 {500, 300},
                 {800, 0},
                 {1000, 0},
                 {1000, 200},
                 {700, 500},
                 {1000, 800},
                 {1000, 1000},
                 {800, 1000},
                 {500, 700},
                 {200, 1000},
                 {0, 1000},
                 {0, 800},
                 {300, 500},
                 {0, 200}}),
    Corners(18, {{0, 250}, {600, 250}, {600, 0}, {1000, 500}, {600, 1000}, {600, 750}, {0, 750}}),
    Corners(19,
            {{1000, 250}, {400, 250}, {400, 0}, {0, 500}, {400, 1000}, {400, 750}, {1000, 750}}),
    Corners(20,
            {{250, 1000}, {250, 400}, {0, 400}, {500, 0}, {1000, 400}, {750, 400}, {750, 1000}}),
    Corners(21, {{250, 0}, {250, 600}, {0, 600}, {500, 1000}, {1000, 600}, {750, 600}, {750, 0}}),
    Corners(22, {{250, 0}, {1000, 0}, {750, 1000}, {0, 1000}}),
    Corners(23, {{250, 0}, {750, 0}, {1000, 1000}, {0, 1000}}),
    Corners(24, {{0, 0}, {1000, 0}, {750, 1000}, {250, 1000}}),
    Corners(25, {{0, 0}, {600, 0}, {1000, 500}, {600, 1000}, {0, 1000}, {400, 500}}),
    Corners(26, {{200, 0},
                 {800, 0},
                 {1000, 200},
                 {1000, 800},
                 {800, 1000},
                 {200, 1000},
                 {0, 800},
                 {0, 200}}),
    Corners(29, {{0, 500},
                 {300, 0},
                 {300, 250},
                 {700, 250},
                 {700, 0},
                 {1000, 500},
                 {700, 1000},
                 {700, 750},
                 {300, 750},
                 {300, 1000}}),
};

// A thousandths coordinate on an edge of `size` pixels (in 64 bits: sizes come
// from stored data).
int Scale(int thousandths, int size) {
    return static_cast<int>(static_cast<int64_t>(thousandths) * size / 1000);
}

ShapePart Polygon(const PolygonShape& corners, int w, int h) {
    ShapePart part;
    part.kind = ShapePart::Kind::kPolygon;
    for (int i = 0; i < corners.count; ++i)
        part.points.push_back({Scale(corners.points[i].x, w), Scale(corners.points[i].y, h)});
    return part;
}

ShapePart Box(ShapePart::Kind kind, int left, int top, int right, int bottom, int corner = 0) {
    ShapePart part;
    part.kind = kind;
    part.left = left;
    part.top = top;
    part.right = right;
    part.bottom = bottom;
    part.cornerWidth = part.cornerHeight = corner;
    return part;
}

}  // namespace

std::vector<ShapePart> WindowShapeParts(int shape, int width, int height) {
    if (shape < 1 || shape > kLastWindowShape || width < 1 || height < 1)
        return {};
    const int w = width, h = height, shorter = std::min(w, h);
    using Kind = ShapePart::Kind;
    switch (shape) {
        case 1:
            return {Box(Kind::kEllipse, 0, 0, w, h)};
        case 2:
            return {Box(Kind::kRoundRect, 0, 0, w, h, shorter / 4)};
        case 3:
            return {Box(Kind::kRoundRect, 0, 0, w, h, shorter / 2)};
        case 4:
            return {Box(Kind::kRoundRect, 0, 0, w, h, shorter)};
        case 5:
            return {Box(Kind::kEllipse, (w - shorter) / 2, (h - shorter) / 2,
                        (w - shorter) / 2 + shorter, (h - shorter) / 2 + shorter)};
        case 27:
            // Two lobes and the point below them.
            return {Box(Kind::kEllipse, 0, 0, Scale(550, w), Scale(600, h)),
                    Box(Kind::kEllipse, Scale(450, w), 0, w, Scale(600, h)),
                    Polygon(Corners(27, {{23, 420}, {977, 420}, {500, 1000}}), w, h)};
        case 28:
            // The bubble and its tail, down at the left.
            return {Box(Kind::kRoundRect, 0, 0, w, Scale(750, h), shorter / 4),
                    Polygon(Corners(28, {{200, 700}, {450, 700}, {150, 1000}}), w, h)};
        default:
            break;
    }
    const auto it = std::find_if(std::begin(kPolygons), std::end(kPolygons),
                                 [shape](const PolygonShape& p) { return p.shape == shape; });
    if (it == std::end(kPolygons))
        return {};
    return {Polygon(*it, w, h)};
}

}  // namespace velmora

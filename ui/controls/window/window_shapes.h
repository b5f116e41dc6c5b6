#pragma once
// The outlines of `Shape` 1-29: each a union of a few parts (ellipses, rounded
// rectangles, polygons) laid over the window's rectangle, in window coordinates
// (0, 0 at the window's top left corner; right and bottom edges excluded, as
// regions take them). The choice of outlines is ours; every one fills the window's
// rectangle edge to edge (the circle only across its shorter side):
//    1 ellipse                     16 plus-shaped cross
//    2 rounded rectangle           17 diagonal cross (an X)
//    3 strongly rounded rectangle  18 arrow pointing right
//    4 capsule (round ends)        19 arrow pointing left
//    5 circle, centred             20 arrow pointing up
//    6 diamond                     21 arrow pointing down
//    7 triangle pointing up        22 parallelogram
//    8 triangle pointing down      23 trapezoid, wide at the bottom
//    9 triangle pointing left      24 trapezoid, wide at the top
//   10 triangle pointing right     25 chevron pointing right
//   11 pentagon                    26 rectangle with cut corners
//   12 hexagon                     27 heart
//   13 octagon                     28 speech bubble
//   14 five-pointed star           29 double arrow, left and right
//   15 six-pointed star

#include <vector>

namespace velmora {

constexpr int kLastWindowShape = 29;

struct ShapePoint {
    int x, y;
};

struct ShapePart {
    enum class Kind { kEllipse, kRoundRect, kPolygon };
    Kind kind = Kind::kPolygon;
    // Ellipses and rounded rectangles: the bounding box and, for rounded
    // rectangles, the width and height of the ellipse that rounds the corners.
    int left = 0, top = 0, right = 0, bottom = 0;
    int cornerWidth = 0, cornerHeight = 0;
    std::vector<ShapePoint> points;  // polygons, filled by the winding rule
};

// The parts of a shape for a window of width x height. Empty for shape 0 (the
// ordinary rectangle), for numbers outside 1-29 and for sizes below 1.
std::vector<ShapePart> WindowShapeParts(int shape, int width, int height);

}  // namespace velmora

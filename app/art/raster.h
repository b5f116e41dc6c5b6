#pragma once
// A small anti-aliased rasteriser for the program's own art: shapes are described
// in design units, sampled on a grid of ss x ss points per pixel and composited
// with "over". The design space may be scaled differently per axis, so art drawn
// for the size at which it is shown can be stored at another size.

#include <cstdint>
#include <vector>

namespace velmora::art {

// Straight (not premultiplied) colour, each channel 0..1.
struct Colour {
    double r = 0, g = 0, b = 0, a = 1;
};

// Colour from 0xRRGGBB and an opacity.
Colour Rgb(uint32_t rgb, double alpha = 1.0);

// A fill: solid, or a linear gradient from `from` at p0 to `to` at p1.
struct Paint {
    Colour from, to;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool gradient = false;
};
Paint Solid(Colour c);
Paint Linear(Colour from, double x0, double y0, Colour to, double x1, double y1);

struct Point {
    double x, y;
};

class Canvas {
  public:
    // width x height pixels; one pixel spans unitsX x unitsY design units.
    Canvas(int width, int height, double unitsX, double unitsY, int samplesPerAxis);

    void Ellipse(double cx, double cy, double rx, double ry, double angleRadians,
                 const Paint& paint);
    void Circle(double cx, double cy, double r, const Paint& paint) {
        Ellipse(cx, cy, r, r, 0, paint);
    }
    // A thick line with round ends.
    void Capsule(double x0, double y0, double x1, double y1, double radius, const Paint& paint);
    // The band between two radii, from angle a0 to a1 (radians, y pointing down).
    void Arc(double cx, double cy, double rInner, double rOuter, double a0, double a1,
             const Paint& paint);
    // A convex or concave polygon (even-odd rule).
    void Polygon(const std::vector<Point>& points, const Paint& paint);
    void RoundRect(double left, double top, double right, double bottom, double radius,
                   const Paint& paint);

    // Limits later drawing to a disc (radius < 0: no limit).
    void ClipToCircle(double cx, double cy, double r) {
        clipX_ = cx;
        clipY_ = cy;
        clipR_ = r;
    }

    int width() const { return width_; }
    int height() const { return height_; }

    // Pixel colours, straight alpha, 0xAARRGGBB, rows top-down.
    std::vector<uint32_t> Resolve() const;

  private:
    template <class Inside>
    void Fill(double minX, double minY, double maxX, double maxY, const Paint& paint,
              Inside inside);

    int width_, height_, ss_;
    double unitsX_, unitsY_;
    double clipX_ = 0, clipY_ = 0, clipR_ = -1;
    std::vector<float> samples_;  // premultiplied RGBA per sample
};

}  // namespace velmora::art

#include "app/art/raster.h"

#include <algorithm>
#include <cmath>

namespace velmora::art {

Colour Rgb(uint32_t rgb, double alpha) {
    return Colour{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0,
                  alpha};
}

Paint Solid(Colour c) {
    Paint p;
    p.from = p.to = c;
    return p;
}

Paint Linear(Colour from, double x0, double y0, Colour to, double x1, double y1) {
    Paint p;
    p.from = from;
    p.to = to;
    p.x0 = x0;
    p.y0 = y0;
    p.x1 = x1;
    p.y1 = y1;
    p.gradient = true;
    return p;
}

namespace {

Colour At(const Paint& p, double x, double y) {
    if (!p.gradient)
        return p.from;
    double dx = p.x1 - p.x0, dy = p.y1 - p.y0;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - p.x0) * dx + (y - p.y0) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return Colour{p.from.r + (p.to.r - p.from.r) * t, p.from.g + (p.to.g - p.from.g) * t,
                  p.from.b + (p.to.b - p.from.b) * t, p.from.a + (p.to.a - p.from.a) * t};
}

double Wrap(double a) {
    const double kTwoPi = 6.283185307179586;
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

}  // namespace

Canvas::Canvas(int width, int height, double unitsX, double unitsY, int samplesPerAxis)
    : width_(width),
      height_(height),
      ss_(samplesPerAxis),
      unitsX_(unitsX),
      unitsY_(unitsY),
      samples_(static_cast<size_t>(width) * height * samplesPerAxis * samplesPerAxis * 4, 0.0f) {}

template <class Inside>
void Canvas::Fill(double minX, double minY, double maxX, double maxY, const Paint& paint,
                  Inside inside) {
    const int sw = width_ * ss_, sh = height_ * ss_;
    const double sx = unitsX_ / ss_, sy = unitsY_ / ss_;  // design units per sample
    int i0 = std::max(0, static_cast<int>(std::floor(minX / sx)));
    int i1 = std::min(sw - 1, static_cast<int>(std::ceil(maxX / sx)));
    int j0 = std::max(0, static_cast<int>(std::floor(minY / sy)));
    int j1 = std::min(sh - 1, static_cast<int>(std::ceil(maxY / sy)));
    for (int j = j0; j <= j1; ++j) {
        double y = (j + 0.5) * sy;
        for (int i = i0; i <= i1; ++i) {
            double x = (i + 0.5) * sx;
            if (clipR_ >= 0 &&
                (x - clipX_) * (x - clipX_) + (y - clipY_) * (y - clipY_) > clipR_ * clipR_)
                continue;
            if (!inside(x, y))
                continue;
            Colour c = At(paint, x, y);
            float* s = &samples_[(static_cast<size_t>(j) * sw + i) * 4];
            float a = static_cast<float>(c.a);
            s[0] = static_cast<float>(c.r) * a + s[0] * (1 - a);
            s[1] = static_cast<float>(c.g) * a + s[1] * (1 - a);
            s[2] = static_cast<float>(c.b) * a + s[2] * (1 - a);
            s[3] = a + s[3] * (1 - a);
        }
    }
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry, double angle, const Paint& paint) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double r = std::max(rx, ry);
    Fill(cx - r, cy - r, cx + r, cy + r, paint, [&](double x, double y) {
        double dx = x - cx, dy = y - cy;
        double u = (dx * c + dy * s) / rx, v = (-dx * s + dy * c) / ry;
        return u * u + v * v <= 1.0;
    });
}

void Canvas::Capsule(double x0, double y0, double x1, double y1, double radius,
                     const Paint& paint) {
    const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    Fill(std::min(x0, x1) - radius, std::min(y0, y1) - radius, std::max(x0, x1) + radius,
         std::max(y0, y1) + radius, paint, [&](double x, double y) {
             double t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0, 1.0) : 0;
             double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
             return ex * ex + ey * ey <= radius * radius;
         });
}

void Canvas::Arc(double cx, double cy, double rInner, double rOuter, double a0, double a1,
                 const Paint& paint) {
    const double span = Wrap(a1 - a0);
    Fill(cx - rOuter, cy - rOuter, cx + rOuter, cy + rOuter, paint, [&](double x, double y) {
        double dx = x - cx, dy = y - cy, d2 = dx * dx + dy * dy;
        if (d2 < rInner * rInner || d2 > rOuter * rOuter)
            return false;
        return Wrap(std::atan2(dy, dx) - a0) <= span;
    });
}

void Canvas::Polygon(const std::vector<Point>& pts, const Paint& paint) {
    if (pts.size() < 3)
        return;
    double minX = pts[0].x, maxX = pts[0].x, minY = pts[0].y, maxY = pts[0].y;
    for (const Point& p : pts) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    Fill(minX, minY, maxX, maxY, paint, [&](double x, double y) {
        bool in = false;
        for (size_t i = 0, k = pts.size() - 1; i < pts.size(); k = i++) {
            if ((pts[i].y > y) != (pts[k].y > y) &&
                x < (pts[k].x - pts[i].x) * (y - pts[i].y) / (pts[k].y - pts[i].y) + pts[i].x) {
                in = !in;
            }
        }
        return in;
    });
}

void Canvas::RoundRect(double left, double top, double right, double bottom, double radius,
                       const Paint& paint) {
    Fill(left, top, right, bottom, paint, [&](double x, double y) {
        if (x < left || x > right || y < top || y > bottom)
            return false;
        double qx = std::max({left + radius - x, 0.0, x - (right - radius)});
        double qy = std::max({top + radius - y, 0.0, y - (bottom - radius)});
        return qx * qx + qy * qy <= radius * radius;
    });
}

std::vector<uint32_t> Canvas::Resolve() const {
    std::vector<uint32_t> out(static_cast<size_t>(width_) * height_);
    const int sw = width_ * ss_;
    const float n = static_cast<float>(ss_ * ss_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float acc[4] = {0, 0, 0, 0};
            for (int j = 0; j < ss_; ++j) {
                for (int i = 0; i < ss_; ++i) {
                    const float* s =
                        &samples_[(static_cast<size_t>(y * ss_ + j) * sw + x * ss_ + i) * 4];
                    for (int c = 0; c < 4; ++c)
                        acc[c] += s[c];
                }
            }
            float a = acc[3] / n;
            uint32_t px = 0;
            if (a > 0) {
                auto channel = [&](float premultipliedSum) {
                    float v = premultipliedSum / acc[3];  // straight colour
                    return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
                };
                uint32_t alpha =
                    static_cast<uint32_t>(std::lround(std::clamp(a, 0.0f, 1.0f) * 255.0f));
                px = (alpha << 24) | (channel(acc[0]) << 16) | (channel(acc[1]) << 8) |
                     channel(acc[2]);
            }
            out[static_cast<size_t>(y) * width_ + x] = px;
        }
    }
    return out;
}

}  // namespace velmora::art

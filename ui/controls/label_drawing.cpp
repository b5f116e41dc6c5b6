#include "ui/controls/label_drawing.h"

#include <algorithm>
#include <cmath>

#include "ui/loader/property_kind.h"

namespace velmora {

namespace {

uint32_t Blend(uint32_t from, uint32_t to, double s) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        const auto channel = static_cast<uint32_t>(std::lround(a + (b - a) * s));
        out |= std::min<uint32_t>(channel, 0xFF) << shift;
    }
    return out;
}

// Where x lies on 0..size-1, as 0..1 (0 for an area one pixel wide).
double Fraction(int x, int size) {
    return size > 1 ? static_cast<double>(x) / (size - 1) : 0.0;
}

}  // namespace

GradientStops UsedGradientColours(uint32_t first, uint32_t second, uint32_t third) {
    GradientStops stops;
    for (uint32_t c : {first, second, third}) {
        if (c != kSystemDefaultColour)
            stops.colours[stops.count++] = c;
    }
    return stops;
}

uint32_t GradientColourAt(const GradientStops& stops, double t) {
    if (stops.count == 0)
        return 0;
    if (stops.count == 1)
        return stops.colours[0];
    t = std::clamp(t, 0.0, 1.0);
    if (stops.count == 2)
        return Blend(stops.colours[0], stops.colours[1], t);
    return t <= 0.5 ? Blend(stops.colours[0], stops.colours[1], t * 2)
                    : Blend(stops.colours[1], stops.colours[2], t * 2 - 1);
}

double GradientPosition(int mode, int x, int y, int width, int height) {
    const double fx = Fraction(x, width), fy = Fraction(y, height);
    // Distances from the centre lines, 0 there and 1 at the edges.
    const double cx = std::fabs(fx * 2 - 1), cy = std::fabs(fy * 2 - 1);
    switch (mode) {
        case 1:
            return fx;
        case 2:
            return fy;
        case 3:
            return (fx + fy) / 2;
        case 4:
            return (fx + (1 - fy)) / 2;
        case 5:
            return cx;
        case 6:
            return cy;
        case 7:
            return std::max(cx, cy);
        case 8:
            return std::min(1.0, std::sqrt((cx * cx + cy * cy) / 2));
        default:
            return 0.0;
    }
}

void FillGradientBlock(int mode, const GradientStops& stops, int width, int height, int x0, int y0,
                       int x1, int y1, uint32_t* out) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            *out++ = DibPixelFromColour(
                GradientColourAt(stops, GradientPosition(mode, x, y, width, height)));
        }
    }
}

uint32_t BorderRingColour(const GradientStops& stops, int ring, int width) {
    return GradientColourAt(stops, Fraction(ring, width));
}

uint32_t LabelTextFormat(int32_t hAlign, int32_t vAlign, int32_t wordWrap) {
    uint32_t format = kDtNoClip;
    if (hAlign == 1)
        format |= kDtCenter;
    else if (hAlign == 2)
        format |= kDtRight;
    else
        format |= kDtLeft;
    if (wordWrap == 1)
        return format | kDtWordBreak | kDtVCenter;
    format |= kDtSingleLine;
    if (vAlign == 1)
        format |= kDtVCenter;
    else if (vAlign == 2)
        format |= kDtBottom;
    return format;
}

LabelTextPasses TextPassesFor(int32_t effect, uint32_t textColour) {
    constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;
    LabelTextPasses passes;
    passes.text.colour = textColour;
    switch (effect) {
        case 1:
            passes.hasCopy = true;
            passes.copy = {1, 1, kWhite};
            break;
        case 2:
            passes.hasCopy = true;
            passes.copy = {0, 0, kWhite};
            passes.text.dx = passes.text.dy = 1;
            break;
        case 3:
            passes.hasCopy = true;
            passes.copy = {2, 2, kBlack};
            break;
        default:
            break;
    }
    return passes;
}

}  // namespace velmora

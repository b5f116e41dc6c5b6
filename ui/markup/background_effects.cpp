#include "ui/markup/background_effects.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr const char* kNames[kBackgroundEffectCount] = {
    "hgradient",  "vgradient", "hcgradient", "vcgradient", "3hgradient",
    "3vgradient", "noise",     "diagshade",  "hshade",     "vshade",
    "hbump",      "vbump",     "softbump",   "hardbump",   "metal",
};

constexpr double kPi = 3.14159265358979323846;

int Channel(uint32_t p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}

uint32_t Pack(int r, int g, int b) {
    auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return c(r) << 16 | c(g) << 8 | c(b);
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [&](int shift) {
        return static_cast<int>(std::lround(Channel(a, shift) * (1 - t) + Channel(b, shift) * t));
    };
    return Pack(m(16), m(8), m(0));
}

// Towards white by k > 0, towards black by k < 0 (|k| <= 1).
uint32_t Shade(uint32_t p, double k) {
    return k >= 0 ? Mix(p, 0xFFFFFF, k) : Mix(p, 0x000000, -k);
}

uint32_t Offset(uint32_t p, int d) {
    return Pack(Channel(p, 16) + d, Channel(p, 8) + d, Channel(p, 0) + d);
}

// A position along a length, in steps of `step`, as 0..1.
double Along(int i, int length, int step) {
    if (length <= 1)
        return 0;
    return std::min(1.0, static_cast<double>(i / step * step) / (length - 1));
}

// A small deterministic generator: the same picture at every painting.
struct Grain {
    uint32_t state = 0x2545F491;
    int Next(int amplitude) {
        state = state * 1664525u + 1013904223u;
        if (amplitude <= 0)
            return 0;
        return static_cast<int>((state >> 8) % static_cast<uint32_t>(2 * amplitude + 1)) -
               amplitude;
    }
};

}  // namespace

int BackgroundEffectByName(std::string_view name) {
    for (int i = 0; i < kBackgroundEffectCount; ++i) {
        if (name == kNames[i])
            return i + 1;
    }
    return 0;
}

void PaintBackgroundEffect(PixelBuffer& out, int x0, int y0, int w, int h, int effect,
                           uint32_t begin, uint32_t middle, uint32_t end, int granularity) {
    const int step = std::clamp(granularity, 1, 255);
    const int left = std::max(0, x0), top = std::max(0, y0);
    const int right = std::min(out.width, x0 + std::max(0, w));
    const int bottom = std::min(out.height, y0 + std::max(0, h));
    if (effect < 0 || effect > kBackgroundEffectCount)
        effect = 0;
    Grain grain;
    int rowGrain = 0;
    for (int y = top; y < bottom; ++y) {
        const int ly = y - y0;
        const double ty = Along(ly, h, step);
        if (effect == 15)
            rowGrain = grain.Next(std::max(4, step * 2));
        for (int x = left; x < right; ++x) {
            const int lx = x - x0;
            const double tx = Along(lx, w, step);
            uint32_t p = begin;
            switch (effect) {
                case 1:
                    p = Mix(begin, end, tx);
                    break;
                case 2:
                    p = Mix(begin, end, ty);
                    break;
                case 3:
                    p = Mix(begin, end, 1 - std::fabs(2 * tx - 1));
                    break;
                case 4:
                    p = Mix(begin, end, 1 - std::fabs(2 * ty - 1));
                    break;
                case 5:
                    p = tx < 0.5 ? Mix(begin, middle, tx * 2) : Mix(middle, end, tx * 2 - 1);
                    break;
                case 6:
                    p = ty < 0.5 ? Mix(begin, middle, ty * 2) : Mix(middle, end, ty * 2 - 1);
                    break;
                case 7:
                    p = Offset(begin, grain.Next(step));
                    break;
                case 8: {
                    const int diagonal = std::max(1, w + h - 2);
                    p = Mix(begin, end, static_cast<double>((lx + ly) / step * step) / diagonal);
                    break;
                }
                case 9:
                    p = Shade(begin, 0.4 - 0.8 * ty);
                    break;
                case 10:
                    p = Shade(begin, 0.4 - 0.8 * tx);
                    break;
                case 11:
                    p = Shade(begin, 0.45 * std::sin(kPi * ty) - 0.15);
                    break;
                case 12:
                    p = Shade(begin, 0.45 * std::sin(kPi * tx) - 0.15);
                    break;
                case 13: {
                    const int edge = std::max(2, step);
                    const int near = std::min(lx, ly), far = std::min(w - 1 - lx, h - 1 - ly);
                    if (near < edge && near <= far) {
                        p = Shade(begin, 0.5 * (1 - static_cast<double>(near) / edge));
                    } else if (far < edge) {
                        p = Shade(begin, -0.4 * (1 - static_cast<double>(far) / edge));
                    }
                    break;
                }
                case 14:
                    if (lx < 2 || ly < 2) {
                        p = Shade(begin, 0.6);
                    } else if (lx >= w - 2 || ly >= h - 2) {
                        p = Shade(begin, -0.5);
                    }
                    break;
                case 15:
                    p = Offset(Shade(begin, 0.2 - 0.4 * ty), rowGrain + grain.Next(3));
                    break;
                default:
                    break;
            }
            out.at(x, y) = p;
        }
    }
}

}  // namespace velmora

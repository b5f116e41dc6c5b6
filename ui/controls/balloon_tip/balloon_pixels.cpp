#include "ui/controls/balloon_tip/balloon_pixels.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int kMaxDepth = 64;

int Channel(uint32_t p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}

// a + (b - a) * t / 255 for each channel.
uint32_t Blend(uint32_t a, uint32_t b, int t) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const int ca = Channel(a, shift), cb = Channel(b, shift);
        out |= static_cast<uint32_t>(ca + (cb - ca) * t / 255) << shift;
    }
    return out;
}

uint32_t Darken(uint32_t p, int grey) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16})
        out |= static_cast<uint32_t>(Channel(p, shift) * grey / 255) << shift;
    return out;
}

// Averages each row (or column) over a window of `size` samples.
void BoxBlur(PixelMask& m, int size, bool rows) {
    if (size <= 1)
        return;
    const int lines = rows ? m.height : m.width;
    const int length = rows ? m.width : m.height;
    std::vector<int> line(length);
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < length; ++i)
            line[i] = rows ? m.at(i, l) : m.at(l, i);
        // Prefix sums: the window [i - size/2, i - size/2 + size) clipped to the line.
        std::vector<int> sum(length + 1, 0);
        for (int i = 0; i < length; ++i)
            sum[i + 1] = sum[i] + line[i];
        for (int i = 0; i < length; ++i) {
            const int from = std::clamp(i - size / 2, 0, length);
            const int to = std::clamp(i - size / 2 + size, 0, length);
            const int v = (sum[to] - sum[from]) / size;
            (rows ? m.at(i, l) : m.at(l, i)) = static_cast<uint8_t>(v);
        }
    }
}

}  // namespace

void FillPointerBand(PixelBuffer& bg, const BalloonGeometry& g) {
    const MarkupRect& b = g.body;
    const int edge = PointerEdge(g.code);
    auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < bg.width && y < bg.height; };
    if (b.right <= b.left || b.bottom <= b.top)
        return;
    if (edge == kPointerOnTop || edge == kPointerOnBottom) {
        const int row = edge == kPointerOnTop ? b.top : b.bottom - 1;
        const int from = edge == kPointerOnTop ? g.shape.top : b.bottom;
        const int to = edge == kPointerOnTop ? b.top : g.shape.bottom;
        for (int y = from; y < to; ++y) {
            for (int x = b.left; x < b.right; ++x) {
                if (inside(x, y) && inside(x, row))
                    bg.at(x, y) = bg.at(x, row);
            }
        }
        return;
    }
    const int column = edge == kPointerOnLeft ? b.left : b.right - 1;
    const int from = edge == kPointerOnLeft ? g.shape.left : b.right;
    const int to = edge == kPointerOnLeft ? b.left : g.shape.right;
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = from; x < to; ++x) {
            if (inside(x, y) && inside(column, y))
                bg.at(x, y) = bg.at(column, y);
        }
    }
}

PixelMask ShadowMask(const PixelMask& shape, int dx, int dy, int depthX, int depthY,
                     bool gradient) {
    PixelMask m(shape.width, shape.height);
    for (int y = 0; y < shape.height; ++y) {
        const int sy = y - dy;
        if (sy < 0 || sy >= shape.height)
            continue;
        for (int x = 0; x < shape.width; ++x) {
            const int sx = x - dx;
            if (sx >= 0 && sx < shape.width)
                m.at(x, y) = shape.at(sx, sy);
        }
    }
    if (gradient) {
        BoxBlur(m, std::clamp(depthX, 1, kMaxDepth), true);
        BoxBlur(m, std::clamp(depthY, 1, kMaxDepth), false);
    }
    return m;
}

int ShadowGrey(int darkness, int transparency) {
    const int g = 255 * (100 - std::clamp(darkness, 0, 100)) / 100;
    return g + (255 - g) * std::clamp(transparency, 0, 100) / 100;
}

void ComposeBalloon(PixelBuffer& out, const PixelBuffer& balloon, const PixelMask& shape,
                    const PixelMask* shadow, int grey, int transparency) {
    const int opacity = 255 * (100 - std::clamp(transparency, 0, 100)) / 100;
    grey = std::clamp(grey, 0, 255);
    const size_t n = out.pixels.size();
    if (balloon.pixels.size() != n || shape.values.size() != n ||
        (shadow && shadow->values.size() != n))
        return;
    for (size_t i = 0; i < n; ++i) {
        uint32_t p = out.pixels[i];
        if (shadow && shadow->values[i])
            p = Blend(p, Darken(p, grey), shadow->values[i]);
        if (shape.values[i])
            p = Blend(p, balloon.pixels[i], opacity * shape.values[i] / 255);
        out.pixels[i] = p;
    }
}

}  // namespace velmora

#pragma once
// A 32-bit picture in the byte order of a top-down Windows DIB section: each pixel
// is 0x00RRGGBB in a uint32_t.

#include <cstdint>
#include <vector>

namespace velmora {

struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height, rows top to bottom

    PixelBuffer() = default;
    PixelBuffer(int w, int h, uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A mask of the same size: 0 outside, 255 inside, between for soft edges.
struct PixelMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> values;

    PixelMask() = default;
    PixelMask(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * h, 0) {}
    uint8_t& at(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
    uint8_t at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// A COLORREF (0x00BBGGRR) as a pixel, and back.
constexpr uint32_t PixelFromColorRef(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr uint32_t ColorRefFromPixel(uint32_t p) {
    return PixelFromColorRef(p);
}

}  // namespace velmora

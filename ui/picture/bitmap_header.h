#pragma once
// Checks of a Windows bitmap file ("BM") before it is handed to the platform's
// decoder: every size and offset must lie within the data.

#include <cstddef>
#include <cstdint>

namespace velmora {

enum class BitmapResult {
    kOk,
    kNotBitmap,    // no "BM", or shorter than the two headers
    kBadHeader,    // unknown header size, planes != 1, zero width or height, ...
    kUnsupported,  // bit depth / compression pair we do not hand on (JPEG, PNG, ...)
    kTooLarge,     // more than kMaxBitmapPixels pixels
    kTruncated,    // colour table or pixel data reach past the end
};

constexpr uint64_t kMaxBitmapPixels = 1u << 26;

struct BitmapLayout {
    uint32_t headerSize = 0;   // 12 (core), 40, 52, 56, 108 or 124
    int32_t width = 0;         // > 0
    int32_t height = 0;        // > 0; see topDown
    bool topDown = false;      // stored height was negative
    uint16_t bitCount = 0;     // 1, 4, 8, 16, 24 or 32
    uint32_t compression = 0;  // 0 RGB, 1 RLE8, 2 RLE4, 3 bit fields
    uint32_t colourCount = 0;  // entries in the colour table
    size_t infoOffset = 14;    // where the info header starts
    size_t colourTableOffset = 0;
    size_t pixelOffset = 0;  // pixel data: [pixelOffset, pixelOffset + pixelSize)
    size_t pixelSize = 0;
};

// Validates a bitmap file; on kOk, layout describes where everything lies.
BitmapResult CheckBitmap(const uint8_t* data, size_t size, BitmapLayout& layout);

// Row size in bytes of an uncompressed bitmap (rows are padded to 4 bytes).
uint64_t BitmapStride(uint32_t width, uint32_t bitCount);

// Whether a device-independent bitmap may have this many bits per pixel
// (1, 4, 8, 16, 24 or 32).
bool IsDibBitCount(uint32_t bitCount);

}  // namespace velmora

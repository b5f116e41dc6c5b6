#pragma once
// Checks of a Windows bitmap file ("BM") before it is handed to the platform's
// decoder: every size and offset must lie within the data.
//
// Tolerated: a colour table that the pixel data cuts short (the pixel offset lies
// inside the table, as when a writer stores fewer entries than the header claims).
// The platform still reads the whole table, so it is handed a copy in which the
// entries from the pixel offset on are zero (black), as in a zero-filled palette.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/picture/picture_limits.h"

namespace velmora {

enum class BitmapResult {
    kOk,
    kNotBitmap,    // no "BM", or shorter than the two headers
    kBadHeader,    // unknown header size, planes != 1, zero width or height, ...
    kUnsupported,  // bit depth / compression pair we do not hand on (JPEG, PNG, ...)
    kTooLarge,     // more than kMaxBitmapPixels pixels
    kTruncated,    // colour table or pixel data reach past the end
};

constexpr uint64_t kMaxBitmapPixels = kMaxPicturePixels;

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
    size_t colourTableEnd = 0;  // <= the data's size; may lie beyond pixelOffset
    size_t pixelOffset = 0;     // pixel data: [pixelOffset, pixelOffset + pixelSize)
    size_t pixelSize = 0;
    // A V5 header's colour profile, linked or embedded: where it lies from the info
    // header's start, when it lies wholly inside the data (else both 0 and
    // profileOutside set).
    size_t profileOffset = 0;
    size_t profileSize = 0;
    bool profileOutside = false;
};

// Validates a bitmap file; on kOk, layout describes where everything lies.
BitmapResult CheckBitmap(const uint8_t* data, size_t size, BitmapLayout& layout);

// The info block that the platform reads beside the pixels: the info header, the
// masks and the whole colour table, [infoOffset, colourTableEnd) of a checked file,
// with the table entries from the pixel offset on zero, and a V5 header's colour
// profile at its offset (a profile outside the data is named in no copy: the copy's
// header says sRGB); 4-byte aligned, at least 40 bytes (the tail of a shorter block
// zero).
std::vector<uint32_t> BitmapInfoBlock(const uint8_t* data, const BitmapLayout& layout);

// Row size in bytes of an uncompressed bitmap (rows are padded to 4 bytes).
uint64_t BitmapStride(uint32_t width, uint32_t bitCount);

// Whether a device-independent bitmap may have this many bits per pixel
// (1, 4, 8, 16, 24 or 32).
bool IsDibBitCount(uint32_t bitCount);

}  // namespace velmora

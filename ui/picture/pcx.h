#pragma once
// PCX pictures (8 bits per pixel with a 256-colour palette or three colour planes;
// 1 bit per pixel, black and white or four EGA planes), decoded to 24-bit RGB.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/picture/picture_limits.h"

namespace velmora {

// A decoded picture: width x height RGB triples, top row first, no row padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

enum class PcxResult {
    kOk,
    kNotPcx,       // first bytes are not one of the recognised PCX kinds
    kBadHeader,    // header shorter than 128 bytes, encoding not RLE, xmax < xmin, ...
    kUnsupported,  // a plane / bit-depth combination we do not draw
    kTooLarge,     // more than kMaxPcxPixels pixels
    kTruncated,    // the run-length data ends before the last row
};

constexpr uint64_t kMaxPcxPixels = kMaxPicturePixels;

// Decodes PCX data. On anything but kOk, out is left empty.
PcxResult DecodePcx(const uint8_t* data, size_t size, RgbImage& out);

}  // namespace velmora

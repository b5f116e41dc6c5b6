#include "ui/picture/bitmap_header.h"

#include <algorithm>
#include <cstring>

#include "runtime/byte_reader.h"

namespace velmora {
namespace {

// Colour space types of a V5 header: a profile linked or embedded, or sRGB.
constexpr uint32_t kProfileLinked = 0x4C494E4B;    // 'LINK'
constexpr uint32_t kProfileEmbedded = 0x4D424544;  // 'MBED'
constexpr uint32_t kColourSpaceSrgb = 0x73524742;  // 'sRGB'

}  // namespace

bool IsDibBitCount(uint32_t bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

uint64_t BitmapStride(uint32_t width, uint32_t bitCount) {
    return (uint64_t{width} * bitCount + 31) / 32 * 4;
}

BitmapResult CheckBitmap(const uint8_t* data, size_t size, BitmapLayout& layout) {
    layout = BitmapLayout();
    // File header, 14 bytes: +0 "BM"  +2 u32 file size  +6 u16, u16 reserved
    // +10 u32 offset of the pixel data. The file size field is often wrong and is
    // not used.
    if (data == nullptr || size < 14 + 12 || data[0] != 'B' || data[1] != 'M') {
        return BitmapResult::kNotBitmap;
    }
    ByteReader r(data, size);
    r.Skip(10);
    const uint32_t pixelOffset = r.U32();
    const uint32_t headerSize = r.U32();
    uint32_t width = 0;
    int64_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    uint32_t coloursUsed = 0;
    size_t colourEntry = 4;
    size_t masks = 0;
    if (headerSize == 12) {
        // BITMAPCOREHEADER: u16 width, u16 height, u16 planes, u16 bit count.
        width = r.U16();
        height = r.U16();
        planes = r.U16();
        bitCount = r.U16();
        colourEntry = 3;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
               headerSize == 124) {
        // BITMAPINFOHEADER and its successors: i32 width, i32 height, u16 planes,
        // u16 bit count, u32 compression, u32 image size, i32, i32 resolution,
        // u32 colours used, u32 colours important, then (52 and up) the masks.
        const int32_t w = r.I32();
        height = r.I32();
        planes = r.U16();
        bitCount = r.U16();
        compression = r.U32();
        imageSize = r.U32();
        r.Skip(8);
        coloursUsed = r.U32();
        if (w <= 0)
            return BitmapResult::kBadHeader;
        width = static_cast<uint32_t>(w);
        // A 40-byte header with bit fields is followed by its three masks.
        if (headerSize == 40 && compression == 3)
            masks = 12;
    } else {
        return BitmapResult::kBadHeader;
    }
    if (r.failed() || 14 + uint64_t{headerSize} > size)
        return BitmapResult::kTruncated;
    if (planes != 1 || width == 0 || height == 0)
        return BitmapResult::kBadHeader;

    const bool topDown = height < 0;
    const uint64_t rows = topDown ? static_cast<uint64_t>(-height) : static_cast<uint64_t>(height);
    if (!IsDibBitCount(bitCount))
        return BitmapResult::kUnsupported;
    // Uncompressed; run-length encoded 8 or 4 bits (bottom-up only); bit fields of 16 or 32.
    const bool handedOn = compression == 0 || (compression == 1 && bitCount == 8 && !topDown) ||
                          (compression == 2 && bitCount == 4 && !topDown) ||
                          (compression == 3 && (bitCount == 16 || bitCount == 32));
    if (!handedOn)
        return BitmapResult::kUnsupported;
    if (uint64_t{width} * rows > kMaxBitmapPixels)
        return BitmapResult::kTooLarge;

    uint32_t colours = 0;
    if (bitCount <= 8) {
        const uint32_t most = 1u << bitCount;
        colours = coloursUsed == 0 ? most : coloursUsed;
        if (colours > most)
            return BitmapResult::kBadHeader;
    } else if (coloursUsed <= 256) {
        colours = coloursUsed;  // an optional table for palette devices
    } else {
        return BitmapResult::kBadHeader;
    }
    const uint64_t tableOffset = 14 + uint64_t{headerSize} + masks;
    const uint64_t tableEnd = tableOffset + uint64_t{colours} * colourEntry;
    if (tableEnd > size)
        return BitmapResult::kTruncated;
    if (pixelOffset < tableOffset || pixelOffset >= size)
        return BitmapResult::kTruncated;

    uint64_t pixelSize = 0;
    if (compression == 1 || compression == 2) {
        // Run-length data has no fixed size; the platform's decoder is told to stop
        // at the end of the data.
        pixelSize = size - pixelOffset;
        if (imageSize != 0 && imageSize < pixelSize)
            pixelSize = imageSize;
    } else {
        pixelSize = BitmapStride(width, bitCount) * rows;
        if (pixelSize > size - pixelOffset)
            return BitmapResult::kTruncated;
    }

    layout.headerSize = headerSize;
    layout.width = static_cast<int32_t>(width);
    layout.height = static_cast<int32_t>(rows);
    layout.topDown = topDown;
    layout.bitCount = bitCount;
    layout.compression = compression;
    layout.colourCount = colours;
    layout.infoOffset = 14;
    layout.colourTableOffset = static_cast<size_t>(tableOffset);
    layout.colourTableEnd = static_cast<size_t>(tableEnd);
    layout.pixelOffset = pixelOffset;
    layout.pixelSize = static_cast<size_t>(pixelSize);
    if (headerSize == 124) {
        // BITMAPV5HEADER: +56 u32 colour space type, +112 u32 profile offset (from
        // the header's start), +116 u32 profile size.
        ByteReader v5(data + 14, headerSize);
        v5.Skip(56);
        const uint32_t space = v5.U32();
        v5.Skip(112 - 60);
        const uint64_t offset = v5.U32();
        const uint64_t bytes = v5.U32();
        if (space == kProfileLinked || space == kProfileEmbedded) {
            if (bytes != 0 && offset >= headerSize && 14 + offset + bytes <= size) {
                layout.profileOffset = static_cast<size_t>(offset);
                layout.profileSize = static_cast<size_t>(bytes);
            } else {
                layout.profileOutside = true;
            }
        }
    }
    return BitmapResult::kOk;
}

std::vector<uint32_t> BitmapInfoBlock(const uint8_t* data, const BitmapLayout& layout) {
    // A core header's block is padded to an info header's 40 bytes, so that a
    // reader looking at the header's size field first never reads past it.
    const size_t size = std::max({layout.colourTableEnd - layout.infoOffset, size_t{40},
                                  layout.profileOffset + layout.profileSize});
    std::vector<uint32_t> block((size + 3) / 4, 0);
    auto* bytes = reinterpret_cast<uint8_t*>(block.data());
    const size_t stored = std::min(layout.colourTableEnd, layout.pixelOffset) - layout.infoOffset;
    std::memcpy(bytes, data + layout.infoOffset, stored);
    if (layout.profileSize != 0) {
        std::memcpy(bytes + layout.profileOffset, data + layout.infoOffset + layout.profileOffset,
                    layout.profileSize);
    } else if (layout.profileOutside) {
        const uint32_t srgb = kColourSpaceSrgb, none = 0;
        std::memcpy(bytes + 56, &srgb, 4);
        std::memcpy(bytes + 112, &none, 4);
        std::memcpy(bytes + 116, &none, 4);
    }
    return block;
}

}  // namespace velmora

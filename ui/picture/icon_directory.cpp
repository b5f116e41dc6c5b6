#include "ui/picture/icon_directory.h"

#include <cstring>

#include "runtime/byte_reader.h"
#include "ui/picture/bitmap_header.h"

namespace velmora {

namespace {

bool PlausibleImage(const uint8_t* image, size_t size, bool& png) {
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    png = size >= 8 && std::memcmp(image, kPng, 8) == 0;
    if (png)
        return true;
    // BITMAPINFOHEADER whose height counts the colour image and the AND mask together.
    ByteReader r(image, size);
    const uint32_t headerSize = r.U32();
    const int32_t width = r.I32();
    const int32_t height = r.I32();
    const uint16_t planes = r.U16();
    const uint16_t bitCount = r.U16();
    const uint32_t compression = r.U32();
    r.Skip(12);
    const uint32_t coloursUsed = r.U32();
    if (r.failed() || headerSize != 40 || planes != 1)
        return false;
    if (width <= 0 || width > 1024 || height <= 0 || height > 2048)
        return false;
    if (!IsDibBitCount(bitCount))
        return false;
    // What the platform reads before the pixels: three colour masks after the header
    // of a BI_BITFIELDS image, and the colour table, which images of more than 8 bits
    // carry too when the header counts its colours.
    constexpr uint32_t kBitfields = 3;
    if (compression == kBitfields && bitCount != 16 && bitCount != 32)
        return false;
    const uint64_t masks = compression == kBitfields ? 3 : 0;
    uint64_t colours = coloursUsed;
    if (bitCount <= 8) {
        colours = coloursUsed == 0 ? (1u << bitCount) : coloursUsed;
        if (colours > (1u << bitCount))
            return false;
    }
    const uint32_t rows = static_cast<uint32_t>(height) / 2;
    const uint64_t needed = 40 + masks * 4 + colours * 4 +
                            BitmapStride(static_cast<uint32_t>(width), bitCount) * rows +
                            BitmapStride(static_cast<uint32_t>(width), 1) * rows;
    return needed <= size;
}

}  // namespace

IconResult ChooseIconImage(const uint8_t* data, size_t size, IconChoice& choice) {
    choice = IconChoice();
    // ICONDIR: +0 u16 0  +2 u16 type (1 icon, 2 cursor)  +4 u16 count; then count
    // entries of 16 bytes: +0 u8 width  +1 u8 height  +2 u8 colour count  +3 u8 0
    // +4 u16 planes (cursor: hotspot x)  +6 u16 bit count (cursor: hotspot y)
    // +8 u32 image size  +12 u32 image offset.
    ByteReader r(data, data ? size : 0);
    const uint16_t reserved = r.U16();
    const uint16_t type = r.U16();
    const uint16_t count = r.U16();
    if (r.failed() || reserved != 0 || (type != 1 && type != 2) || count == 0) {
        return IconResult::kNotIcon;
    }
    const size_t directoryEnd = 6 + size_t{count} * 16;
    if (directoryEnd > size)
        return IconResult::kDirectoryTruncated;

    unsigned chosen = count - 1;
    for (unsigned i = 0; i < count; ++i) {
        const uint8_t* entry = data + 6 + i * 16;
        if (entry[0] == 32 && entry[2] > 15) {
            chosen = i;
            break;
        }
    }
    ByteReader e(data + 6 + chosen * 16, 16);
    const uint8_t width = e.U8();
    const uint8_t height = e.U8();
    e.Skip(2);
    const uint16_t planesOrX = e.U16();
    const uint16_t bitsOrY = e.U16();
    const uint32_t imageSize = e.U32();
    const uint32_t imageOffset = e.U32();
    if (imageSize == 0 || imageOffset < directoryEnd || imageOffset > size ||
        imageSize > size - imageOffset) {
        return IconResult::kBadImage;
    }
    bool png = false;
    if (!PlausibleImage(data + imageOffset, imageSize, png))
        return IconResult::kBadImage;

    choice.cursor = type == 2;
    choice.index = chosen;
    choice.offset = imageOffset;
    choice.size = imageSize;
    choice.width = width == 0 ? 256 : width;
    choice.height = height == 0 ? 256 : height;
    if (choice.cursor) {
        choice.hotspotX = planesOrX;
        choice.hotspotY = bitsOrY;
    }
    choice.png = png;
    return IconResult::kOk;
}

}  // namespace velmora

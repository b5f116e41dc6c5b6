#include "ui/picture/pcx.h"

#include <algorithm>

#include "runtime/byte_reader.h"
#include "ui/picture/picture_format.h"

namespace velmora {

namespace {

// PCX header, 128 bytes:
//   +0 u8 manufacturer (0x0A)  +1 u8 version  +2 u8 encoding (1 = RLE)  +3 u8 bits per pixel
//   +4 u16 xmin  +6 u16 ymin  +8 u16 xmax  +10 u16 ymax  +12 u16 hdpi  +14 u16 vdpi
//   +16 48 bytes 16-colour palette  +64 u8 reserved  +65 u8 planes
//   +66 u16 bytes per line (per plane)  +68 u16 palette info  +70..127 unused
constexpr size_t kHeaderSize = 128;
// The 256-colour palette of an 8-bit picture: 0x0C, then 256 RGB triples, at the very end.
constexpr size_t kPaletteTail = 1 + 768;

// The default 16-colour EGA palette of a version 3 file (which stores no palette).
constexpr uint8_t kEgaPalette[16][3] = {
    {0, 0, 0},     {0, 0, 170},     {0, 170, 0},    {0, 170, 170},   {170, 0, 0},   {170, 0, 170},
    {170, 85, 0},  {170, 170, 170}, {85, 85, 85},   {85, 85, 255},   {85, 255, 85}, {85, 255, 255},
    {255, 85, 85}, {255, 85, 255},  {255, 255, 85}, {255, 255, 255},
};

// Expands the run-length data into exactly out.size() bytes. Runs may cross scan
// lines (some writers do that); a run longer than what is left is cut.
bool ExpandRuns(const uint8_t* p, const uint8_t* end, std::vector<uint8_t>& out) {
    size_t n = 0;
    const size_t total = out.size();
    while (n < total) {
        if (p >= end)
            return false;
        uint8_t b = *p++;
        size_t count = 1;
        if ((b & 0xC0) == 0xC0) {
            count = b & 0x3F;
            if (p >= end)
                return false;
            b = *p++;
        }
        if (count > total - n)
            count = total - n;
        for (size_t i = 0; i < count; ++i)
            out[n++] = b;
    }
    return true;
}

}  // namespace

PcxResult DecodePcx(const uint8_t* data, size_t size, RgbImage& out) {
    out = RgbImage();
    PictureKind kind = RecognizePicture(data, size);
    if (kind != PictureKind::kPcx8 && kind != PictureKind::kPcx1)
        return PcxResult::kNotPcx;
    if (size < kHeaderSize)
        return PcxResult::kBadHeader;

    ByteReader r(data, size);
    r.Skip(3);
    const uint8_t bitsPerPixel = r.U8();
    const uint16_t xmin = r.U16(), ymin = r.U16(), xmax = r.U16(), ymax = r.U16();
    r.Skip(65 - 12);
    const uint8_t planes = r.U8();
    const uint16_t bytesPerLine = r.U16();
    if (xmax < xmin || ymax < ymin)
        return PcxResult::kBadHeader;
    const uint32_t width = uint32_t{xmax} - xmin + 1;
    const uint32_t height = uint32_t{ymax} - ymin + 1;

    const bool eightBit = bitsPerPixel == 8 && (planes == 1 || planes == 3);
    const bool oneBit = bitsPerPixel == 1 && planes >= 1 && planes <= 4;
    if (!eightBit && !oneBit)
        return PcxResult::kUnsupported;
    if (uint64_t{bytesPerLine} * 8 < uint64_t{width} * bitsPerPixel)
        return PcxResult::kBadHeader;
    if (uint64_t{width} * height > kMaxPcxPixels)
        return PcxResult::kTooLarge;

    const uint8_t* runs = data + kHeaderSize;
    const uint8_t* runsEnd = data + size;
    const uint8_t* palette = nullptr;
    if (eightBit && planes == 1 && size >= kHeaderSize + kPaletteTail &&
        data[size - kPaletteTail] == 0x0C) {
        palette = data + size - kPaletteTail + 1;
        runsEnd = palette - 1;
    }

    const size_t lineBytes = size_t{bytesPerLine} * planes;
    const uint64_t needed = uint64_t{lineBytes} * height;
    // Each two-byte run gives at most 63 bytes: refuse before allocating when the
    // data cannot possibly hold the picture.
    if (needed > uint64_t(runsEnd - runs) * 63)
        return PcxResult::kTruncated;
    std::vector<uint8_t> lines(static_cast<size_t>(needed));
    if (!ExpandRuns(runs, runsEnd, lines))
        return PcxResult::kTruncated;

    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.rgb.resize(size_t{width} * height * 3);
    uint8_t* dst = out.rgb.data();
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* line = lines.data() + y * lineBytes;
        for (uint32_t x = 0; x < width; ++x, dst += 3) {
            if (eightBit && planes == 3) {
                dst[0] = line[x];
                dst[1] = line[bytesPerLine + x];
                dst[2] = line[2 * bytesPerLine + x];
            } else if (eightBit) {
                const uint8_t i = line[x];
                if (palette) {
                    std::copy_n(palette + i * 3, 3, dst);
                } else {
                    dst[0] = dst[1] = dst[2] = i;  // no palette stored: grey levels
                }
            } else {
                unsigned index = 0;
                for (unsigned plane = 0; plane < planes; ++plane) {
                    const uint8_t byte = line[plane * bytesPerLine + (x >> 3)];
                    index |= ((byte >> (7 - (x & 7))) & 1u) << plane;
                }
                if (planes == 1) {
                    dst[0] = dst[1] = dst[2] = index ? 255 : 0;
                } else {
                    std::copy_n(kEgaPalette[index], 3, dst);
                }
            }
        }
    }
    return PcxResult::kOk;
}

}  // namespace velmora

// Covers: PCX decoding to RGB.
//  - 8 bits with the 256-colour palette at the end, runs and literal bytes, runs
//    crossing scan lines, padding bytes beyond the width;
//  - 8 bits in three colour planes; 8 bits without a palette (grey levels);
//  - 1 bit black and white, and four EGA planes;
//  - cut at every byte: kTruncated or kBadHeader, never a read past the data;
//  - headers with xmax < xmin, a line too short for the width, unsupported depths.
#include <gtest/gtest.h>

#include "runtime/byte_reader.h"
#include "ui/picture/pcx.h"

namespace velmora {
namespace {

std::string Header(uint8_t version, uint8_t bits, int width, int height, uint8_t planes,
                   uint16_t bytesPerLine) {
    ByteWriter w;
    w.U8(0x0A);
    w.U8(version);
    w.U8(1);
    w.U8(bits);
    w.U16(0);
    w.U16(0);
    w.U16(static_cast<uint16_t>(width - 1));
    w.U16(static_cast<uint16_t>(height - 1));
    w.Zeros(65 - 12);
    w.U8(planes);
    w.U16(bytesPerLine);
    w.Zeros(128 - 68);
    return w.Take();
}

std::string Palette(const std::vector<uint32_t>& colours) {
    std::string s(1, '\x0C');
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = i < int(colours.size()) ? colours[i] : 0;
        s.push_back(static_cast<char>(c >> 16));
        s.push_back(static_cast<char>(c >> 8));
        s.push_back(static_cast<char>(c));
    }
    return s;
}

std::vector<uint32_t> Pixels(const RgbImage& image) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
        out.push_back((uint32_t{image.rgb[i]} << 16) | (image.rgb[i + 1] << 8) | image.rgb[i + 2]);
    }
    return out;
}

PcxResult Decode(const std::string& s, RgbImage& image, size_t size = std::string::npos) {
    return DecodePcx(reinterpret_cast<const uint8_t*>(s.data()),
                     size == std::string::npos ? s.size() : size, image);
}

// 3x2, 8 bits, 4 bytes per line (one padding byte). Row 0: 1 2 3 | pad; row 1: 2 2 2 | pad.
// The run of three 2s is written as one run crossing into the padding.
std::string EightBit() {
    return Header(5, 8, 3, 2, 1, 4) + std::string("\x01\x02\x03\x00\xC3\x02\x00", 7) +
           Palette({0x000000, 0xFF0000, 0x00FF00, 0x0000FF});
}

TEST(Pcx, EightBitsWithPalette) {
    RgbImage image;
    ASSERT_EQ(Decode(EightBit(), image), PcxResult::kOk);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(Pixels(image),
              (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x00FF00, 0x00FF00, 0x00FF00}));
}

TEST(Pcx, RunsCrossingLinesAndNoPalette) {
    // 2x2, 2 bytes per line: one run of four 0x40 covers both lines; no palette: grey.
    const std::string pcx = Header(5, 8, 2, 2, 1, 2) + "\xC4\x40";
    RgbImage image;
    ASSERT_EQ(Decode(pcx, image), PcxResult::kOk);
    EXPECT_EQ(Pixels(image), std::vector<uint32_t>(4, 0x404040));
}

TEST(Pcx, ThreePlanesOfEightBits) {
    // 2x1: planes R, G, B each 2 bytes.
    const std::string pcx = Header(5, 8, 2, 1, 3, 2) + "\x10\x20\x30\x40\x50\x60";
    RgbImage image;
    ASSERT_EQ(Decode(pcx, image), PcxResult::kOk);
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x103050, 0x204060}));
}

TEST(Pcx, OneBitBlackAndWhiteAndEgaPlanes) {
    // 10x1 mono, 2 bytes per line: 1010 0000 11 -> pixels.
    std::string pcx = Header(3, 1, 10, 1, 1, 2) + "\xA0\xC1\xC0";
    RgbImage image;
    ASSERT_EQ(Decode(pcx, image), PcxResult::kOk);
    const uint32_t W = 0xFFFFFF, K = 0;
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{W, K, W, K, K, K, K, K, W, W}));
    // 2x1 in four planes: pixel 0 has planes 0 and 2 (index 5), pixel 1 plane 3 (8).
    pcx = Header(3, 1, 2, 1, 4, 1) + std::string("\x80\x00\x80\x40", 4);
    ASSERT_EQ(Decode(pcx, image), PcxResult::kOk);
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xAA00AA, 0x555555}));
}

TEST(Pcx, EveryCutIsRejectedCleanly) {
    const std::string pcx = EightBit();
    RgbImage image;
    for (size_t n = 0; n < pcx.size(); ++n) {
        SCOPED_TRACE(n);
        const PcxResult r = Decode(pcx, image, n);
        // Cut inside the palette, the palette is not found, and the pixels decode as grey.
        if (n >= 128 + 7) {
            EXPECT_EQ(r, PcxResult::kOk);
            continue;
        }
        EXPECT_NE(r, PcxResult::kOk);
        EXPECT_TRUE(image.rgb.empty());
    }
}

TEST(Pcx, BadHeaders) {
    RgbImage image;
    std::string pcx = EightBit();
    pcx[8] = 0;  // xmax 0 < ... fine (width 1), so make xmin larger
    pcx[4] = 5;
    EXPECT_EQ(Decode(pcx, image), PcxResult::kBadHeader);
    EXPECT_EQ(Decode(Header(5, 8, 9, 1, 1, 8) + "\xC9\x01", image), PcxResult::kBadHeader);
    EXPECT_EQ(Decode(Header(5, 8, 2, 1, 2, 2) + "\xC4\x01", image), PcxResult::kUnsupported);
    EXPECT_EQ(Decode(Header(5, 8, 60000, 60000, 1, 60000) + "\xFF\x01", image),
              PcxResult::kTooLarge);
    EXPECT_EQ(Decode(Header(5, 8, 2000, 2000, 1, 2000) + "\xFF\x01", image), PcxResult::kTruncated);
    EXPECT_EQ(Decode("GIF89a", image), PcxResult::kNotPcx);
}

}  // namespace
}  // namespace velmora

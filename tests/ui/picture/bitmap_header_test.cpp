// Covers: the checks on a bitmap file before the platform decodes it.
//  - 24-bit and 8-bit (colour table) files, core headers, top-down rows, bit fields;
//  - cut at every byte: never kOk unless all the pixel data is there;
//  - offsets pointing into the headers or past the end, bad planes, zero sizes,
//    colour counts above the depth, RLE with the wrong depth or top-down, JPEG inside;
//  - huge dimensions rejected before any size arithmetic can overflow;
//  - the info block handed to the platform holds the whole colour table, also when
//    the pixel offset lies inside it (those entries zero), never reading past the file,
//    and a V5 header's colour profile at its offset (one outside the file: none).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "runtime/byte_reader.h"
#include "ui/picture/bitmap_header.h"

namespace velmora {
namespace {

std::string Bitmap(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                   uint32_t colours, size_t pixelBytes, int32_t offsetDelta = 0) {
    ByteWriter w;
    const uint32_t table = colours * 4 + (compression == 3 ? 12 : 0);
    w.Bytes("BM");
    w.U32(0);
    w.U32(0);
    w.U32(static_cast<uint32_t>(14 + 40 + table + offsetDelta));
    w.U32(40);
    w.I32(width);
    w.I32(height);
    w.U16(1);
    w.U16(bits);
    w.U32(compression);
    w.U32(0);
    w.Zeros(8);
    w.U32(colours);
    w.U32(0);
    w.Zeros(table + pixelBytes);
    return w.Take();
}

BitmapResult Check(const std::string& s, BitmapLayout& layout, size_t size = std::string::npos) {
    return CheckBitmap(reinterpret_cast<const uint8_t*>(s.data()),
                       size == std::string::npos ? s.size() : size, layout);
}

TEST(BitmapHeader, ValidFilesDescribeTheirLayout) {
    BitmapLayout l;
    // 3x2 at 24 bits: rows of 9 bytes padded to 12.
    ASSERT_EQ(Check(Bitmap(3, 2, 24, 0, 0, 24), l), BitmapResult::kOk);
    EXPECT_EQ(l.width, 3);
    EXPECT_EQ(l.height, 2);
    EXPECT_FALSE(l.topDown);
    EXPECT_EQ(l.pixelOffset, 54u);
    EXPECT_EQ(l.pixelSize, 24u);
    // 8 bits, 16 colours, top-down.
    ASSERT_EQ(Check(Bitmap(5, -3, 8, 0, 16, 24), l), BitmapResult::kOk);
    EXPECT_TRUE(l.topDown);
    EXPECT_EQ(l.height, 3);
    EXPECT_EQ(l.colourCount, 16u);
    EXPECT_EQ(l.pixelOffset, 54u + 64);
    // 1 bit with the default table of 2; 32 bits with bit fields.
    EXPECT_EQ(Check(Bitmap(33, 1, 1, 0, 0, 8), l), BitmapResult::kOk);
    EXPECT_EQ(Check(Bitmap(2, 2, 32, 3, 0, 16), l), BitmapResult::kOk);
    EXPECT_EQ(l.colourTableOffset, 54u + 12);
    // RLE8: as many bytes as the file has.
    ASSERT_EQ(Check(Bitmap(100, 100, 8, 1, 2, 10), l), BitmapResult::kOk);
    EXPECT_EQ(l.pixelSize, 10u);
}

// 2 x 2 at 1 bit with a core header and its table of two RGB triples.
std::string CoreBitmap() {
    ByteWriter w;
    w.Bytes("BM");
    w.U32(0);
    w.U32(0);
    w.U32(14 + 12 + 6);
    w.U32(12);
    w.U16(2);
    w.U16(2);
    w.U16(1);
    w.U16(1);
    w.Zeros(6 + 8);
    return w.Take();
}

TEST(BitmapHeader, CoreHeader) {
    BitmapLayout l;
    ASSERT_EQ(Check(CoreBitmap(), l), BitmapResult::kOk);
    EXPECT_EQ(l.colourCount, 2u);
    EXPECT_EQ(l.pixelSize, 8u);
}

TEST(BitmapHeader, EveryCutIsRejected) {
    const std::string bmp = Bitmap(3, 2, 8, 0, 4, 8);
    BitmapLayout l;
    for (size_t n = 0; n < bmp.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_NE(Check(bmp, l, n), BitmapResult::kOk);
    }
    EXPECT_EQ(Check(bmp, l), BitmapResult::kOk);
}

TEST(BitmapHeader, BadFieldsAreRejected) {
    BitmapLayout l;
    EXPECT_EQ(Check(Bitmap(0, 2, 24, 0, 0, 24), l), BitmapResult::kBadHeader);
    EXPECT_EQ(Check(Bitmap(-3, 2, 24, 0, 0, 24), l), BitmapResult::kBadHeader);
    EXPECT_EQ(Check(Bitmap(3, 0, 24, 0, 0, 24), l), BitmapResult::kBadHeader);
    EXPECT_EQ(Check(Bitmap(3, 2, 7, 0, 0, 24), l), BitmapResult::kUnsupported);
    EXPECT_EQ(Check(Bitmap(3, 2, 8, 0, 300, 24), l), BitmapResult::kBadHeader);
    EXPECT_EQ(Check(Bitmap(3, 2, 24, 1, 0, 24), l), BitmapResult::kUnsupported);
    EXPECT_EQ(Check(Bitmap(3, -2, 8, 1, 0, 24), l), BitmapResult::kUnsupported);
    EXPECT_EQ(Check(Bitmap(3, 2, 24, 4, 0, 24), l), BitmapResult::kUnsupported);  // JPEG
    EXPECT_EQ(Check(Bitmap(3, 2, 24, 0, 0, 24, -1), l), BitmapResult::kTruncated);
    EXPECT_EQ(Check(Bitmap(3, 2, 24, 0, 0, 24, 1), l), BitmapResult::kTruncated);
    EXPECT_EQ(Check(Bitmap(0x7FFFFFFF, -0x7FFFFFFF - 1, 32, 0, 0, 0), l), BitmapResult::kTooLarge);
    EXPECT_EQ(Check(Bitmap(60000, 60000, 32, 0, 0, 0), l), BitmapResult::kTooLarge);
    std::string planes = Bitmap(3, 2, 24, 0, 0, 24);
    planes[26] = 2;
    EXPECT_EQ(Check(planes, l), BitmapResult::kBadHeader);
    std::string header = Bitmap(3, 2, 24, 0, 0, 24);
    header[14] = 41;
    EXPECT_EQ(Check(header, l), BitmapResult::kBadHeader);
}

TEST(BitmapHeader, InfoBlockHoldsTheWholeColourTable) {
    // Every byte after the info header is non-zero, so zeroed entries show.
    auto patterned = [](std::string bmp, int coloursUsed = -1) {
        for (size_t i = 14 + uint8_t(bmp[14]); i < bmp.size(); ++i)
            bmp[i] = static_cast<char>(i % 251 + 1);
        if (coloursUsed >= 0)
            bmp[46] = static_cast<char>(coloursUsed);  // u32 colours used, low byte
        return std::vector<uint8_t>(bmp.begin(), bmp.end());
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        size_t entrySize, tableEntries, storedEntries;
    };
    const Case cases[] = {
        // 8 bits, colours used 0 (so 256), pixels at 54: the table lies over them.
        {"pixels at the table's start", patterned(Bitmap(32, 32, 8, 0, 0, 1024)), 4, 256, 0},
        {"16 of 256 entries stored", patterned(Bitmap(32, 30, 8, 0, 16, 960), 0), 4, 256, 16},
        {"gap after the table", patterned(Bitmap(3, 2, 8, 0, 4, 16, 8)), 4, 4, 4},
        {"core header", patterned(CoreBitmap()), 3, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BitmapLayout l;
        ASSERT_EQ(CheckBitmap(c.file.data(), c.file.size(), l), BitmapResult::kOk);
        const std::vector<uint32_t> words = BitmapInfoBlock(c.file.data(), l);
        const auto* block = reinterpret_cast<const uint8_t*>(words.data());
        const size_t table = l.headerSize + c.tableEntries * c.entrySize;
        ASSERT_GE(words.size() * 4, std::max<size_t>(table, 40));
        const size_t stored = l.headerSize + c.storedEntries * c.entrySize;
        for (size_t i = 0; i < table; ++i) {
            SCOPED_TRACE(i);
            ASSERT_EQ(block[i], i < stored ? c.file[14 + i] : 0);
        }
    }
}

// A 2 x 2 24-bit file with a V5 header naming a colour profile of `profileSize`
// bytes at `profileOffset` from the header's start; the file holds 16 bytes of
// profile after the pixels.
std::vector<uint8_t> V5Bitmap(uint32_t space, uint32_t profileOffset, uint32_t profileSize) {
    ByteWriter w;
    w.Bytes("BM");
    w.U32(0);
    w.U32(0);
    w.U32(14 + 124);
    w.U32(124);
    w.I32(2);
    w.I32(2);
    w.U16(1);
    w.U16(24);
    w.Zeros(40);       // compression .. alpha mask
    w.U32(space);      // +56
    w.Zeros(52);       // end points, gammas, intent
    w.U32(profileOffset);  // +112
    w.U32(profileSize);
    w.U32(0);
    w.Zeros(16);  // pixels
    for (int i = 0; i < 16; ++i)
        w.U8(static_cast<uint8_t>(0xA0 + i));  // the profile
    const std::string s = w.Take();
    return std::vector<uint8_t>(s.begin(), s.end());
}

TEST(BitmapHeader, InfoBlockCarriesTheV5ProfileInsideTheFile) {
    const uint32_t kEmbedded = 0x4D424544, kLinked = 0x4C494E4B, kSrgb = 0x73524742;
    const struct {
        uint32_t space, offset, size;
        bool carried;  // the profile's bytes at its offset; else the copy says sRGB
    } cases[] = {
        {kEmbedded, 124 + 16, 16, true},
        {kLinked, 124 + 16, 8, true},
        {kEmbedded, 124 + 16, 17, false},         // one byte past the end
        {kEmbedded, 0xFFFFFFF0u, 0x20, false},   // offset and size overflow 32 bits
        {kEmbedded, 40, 16, false},              // inside the header itself
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset << " + " << c.size);
        const std::vector<uint8_t> file = V5Bitmap(c.space, c.offset, c.size);
        BitmapLayout l;
        ASSERT_EQ(CheckBitmap(file.data(), file.size(), l), BitmapResult::kOk);
        const std::vector<uint32_t> words = BitmapInfoBlock(file.data(), l);
        const auto* block = reinterpret_cast<const uint8_t*>(words.data());
        auto u32 = [&](size_t at) { return uint32_t(block[at]) | uint32_t(block[at + 1]) << 8 |
                                           uint32_t(block[at + 2]) << 16 | uint32_t(block[at + 3]) << 24; };
        if (c.carried) {
            ASSERT_GE(words.size() * 4, size_t{c.offset} + c.size);
            EXPECT_EQ(u32(56), c.space);
            for (size_t i = 0; i < c.size; ++i)
                EXPECT_EQ(block[c.offset + i], 0xA0 + i);
        } else {
            EXPECT_EQ(u32(56), kSrgb);
            EXPECT_EQ(u32(112), 0u);
            EXPECT_EQ(u32(116), 0u);
        }
    }
    // An sRGB header keeps its fields as they are.
    const std::vector<uint8_t> srgb = V5Bitmap(kSrgb, 7, 9);
    BitmapLayout l;
    ASSERT_EQ(CheckBitmap(srgb.data(), srgb.size(), l), BitmapResult::kOk);
    const std::vector<uint32_t> words = BitmapInfoBlock(srgb.data(), l);
    EXPECT_EQ(words[112 / 4], 7u);
    EXPECT_EQ(words.size(), 124u / 4);
}

}  // namespace
}  // namespace velmora

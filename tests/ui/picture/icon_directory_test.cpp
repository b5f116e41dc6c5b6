// Covers: the choice of the image in an icon or cursor file.
//  - the first entry 32 pixels wide with a colour-count byte above 15 wins, even
//    after a larger or smaller one; otherwise the last entry (colour count 0,
//    meaning 256 or more colours, and 15 do not count);
//  - cursor hot spots; PNG images;
//  - directories reaching past the data, images outside the data or overlapping
//    the directory, headers whose pixels do not fit (counting the colour masks of
//    BI_BITFIELDS and the colour table of images of more than 8 bits).
#include <gtest/gtest.h>

#include "runtime/byte_reader.h"
#include "ui/picture/icon_directory.h"

namespace velmora {
namespace {

struct Entry {
    uint8_t width;
    uint8_t colours;
};

// An icon file whose entries each point at a valid 4-bit DIB of that width.
std::string IconFile(const std::vector<Entry>& entries, uint16_t type = 1) {
    ByteWriter w;
    w.U16(0);
    w.U16(type);
    w.U16(static_cast<uint16_t>(entries.size()));
    std::vector<std::string> images;
    size_t offset = 6 + entries.size() * 16;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        ByteWriter img;
        img.U32(40);
        img.I32(e.width);
        img.I32(e.width * 2);
        img.U16(1);
        img.U16(4);
        img.Zeros(24);
        img.Zeros(16 * 4 + ((e.width * 4 + 31) / 32 * 4) * e.width +
                  ((e.width + 31) / 32 * 4) * e.width);
        images.push_back(img.Take());
        w.U8(e.width);
        w.U8(e.width);
        w.U8(e.colours);
        w.U8(0);
        w.U16(static_cast<uint16_t>(type == 2 ? 3 + i : 1));
        w.U16(static_cast<uint16_t>(type == 2 ? 7 + i : 4));
        w.U32(static_cast<uint32_t>(images.back().size()));
        w.U32(static_cast<uint32_t>(offset));
        offset += images.back().size();
    }
    for (const std::string& img : images)
        w.Bytes(img);
    return w.Take();
}

IconResult Choose(const std::string& s, IconChoice& c, size_t size = std::string::npos) {
    return ChooseIconImage(reinterpret_cast<const uint8_t*>(s.data()),
                           size == std::string::npos ? s.size() : size, c);
}

TEST(IconDirectory, ChoosesFirst32PixelEntryWithMoreThan15Colours) {
    IconChoice c;
    ASSERT_EQ(Choose(IconFile({{16, 16}, {32, 16}, {32, 255}, {48, 16}}), c), IconResult::kOk);
    EXPECT_EQ(c.index, 1u);
    EXPECT_EQ(c.width, 32);
    ASSERT_EQ(Choose(IconFile({{32, 15}, {32, 0}, {16, 16}}), c), IconResult::kOk);
    EXPECT_EQ(c.index, 2u);  // none qualifies: the last
    ASSERT_EQ(Choose(IconFile({{48, 16}}), c), IconResult::kOk);
    EXPECT_EQ(c.index, 0u);
    EXPECT_FALSE(c.cursor);
}

TEST(IconDirectory, CursorHotSpots) {
    IconChoice c;
    ASSERT_EQ(Choose(IconFile({{16, 2}, {32, 16}}, 2), c), IconResult::kOk);
    EXPECT_TRUE(c.cursor);
    EXPECT_EQ(c.index, 1u);
    EXPECT_EQ(c.hotspotX, 4);
    EXPECT_EQ(c.hotspotY, 8);
}

TEST(IconDirectory, PngImages) {
    ByteWriter w;
    w.U16(0);
    w.U16(1);
    w.U16(1);
    w.U8(0);
    w.U8(0);
    w.U8(0);
    w.U8(0);
    w.U32(0);
    w.U32(8);
    w.U32(22);
    w.Bytes("\x89PNG\r\n\x1A\n");
    IconChoice c;
    ASSERT_EQ(Choose(w.bytes(), c), IconResult::kOk);
    EXPECT_TRUE(c.png);
    EXPECT_EQ(c.width, 256);
}

TEST(IconDirectory, MalformedFilesAreRejected) {
    IconChoice c;
    const std::string ico = IconFile({{16, 16}, {32, 16}});
    for (size_t n = 0; n < ico.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_NE(Choose(ico, c, n), IconResult::kOk);
    }
    EXPECT_EQ(Choose(ico, c, 6 + 16), IconResult::kDirectoryTruncated);
    std::string bad = ico;
    bad[6 + 16 + 12] = 0;  // chosen image's offset into the directory
    EXPECT_EQ(Choose(bad, c), IconResult::kBadImage);
    bad = ico;
    bad[6 + 16 + 11] = 0x10;  // chosen image's size past the end
    EXPECT_EQ(Choose(bad, c), IconResult::kBadImage);
    bad = ico;
    bad[6 + 16 * 2 + 296 + 8] = 0x7F;  // the 32-pixel DIB claims a huge height
    EXPECT_EQ(Choose(bad, c), IconResult::kBadImage);
    EXPECT_EQ(Choose(std::string("\0\0\1\0\0\0", 6), c), IconResult::kNotIcon);
}

// One 8 x 8 image of the given depth, compression and colour count, with `bytes`
// bytes after its 40-byte header.
std::string OneImageIcon(uint16_t bitCount, uint32_t compression, uint32_t coloursUsed, size_t bytes) {
    ByteWriter img;
    img.U32(40);
    img.I32(8);
    img.I32(16);
    img.U16(1);
    img.U16(bitCount);
    img.U32(compression);
    img.Zeros(12);
    img.U32(coloursUsed);
    img.Zeros(4);
    img.Zeros(bytes);
    const std::string image = img.Take();
    ByteWriter w;
    w.U16(0);
    w.U16(1);
    w.U16(1);
    w.U8(8);
    w.U8(8);
    w.Zeros(6);
    w.U32(static_cast<uint32_t>(image.size()));
    w.U32(22);
    w.Bytes(image);
    return w.Take();
}

TEST(IconDirectory, EverythingThePlatformReadsMustFit) {
    // 8 rows of colour pixels, then 8 rows of the AND mask (4 bytes each).
    const size_t mask = 8 * 4;
    const struct {
        uint16_t bitCount;
        uint32_t compression;
        uint32_t coloursUsed;
        size_t before;  // masks and colour table
        size_t pixels;
    } cases[] = {
        {32, 0, 0, 0, 8 * 32},       {32, 3, 0, 12, 8 * 32},     {16, 3, 0, 12, 8 * 16},
        {24, 0, 2, 2 * 4, 8 * 24},   {32, 3, 5, 12 + 5 * 4, 8 * 32}, {4, 0, 0, 16 * 4, 8 * 4},
        {8, 0, 3, 3 * 4, 8 * 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bitCount << " bits, compression " << c.compression);
        IconChoice choice;
        const size_t needed = c.before + c.pixels + mask;
        EXPECT_EQ(Choose(OneImageIcon(c.bitCount, c.compression, c.coloursUsed, needed), choice), IconResult::kOk);
        EXPECT_EQ(Choose(OneImageIcon(c.bitCount, c.compression, c.coloursUsed, needed - 1), choice),
                  IconResult::kBadImage);
    }
    IconChoice choice;
    EXPECT_EQ(Choose(OneImageIcon(8, 3, 0, 4096), choice), IconResult::kBadImage);  // masks of 8 bits
}

}  // namespace
}  // namespace velmora

// Covers: the program's generated art.
//  - the animated picture: GIF89a, 142 x 144, 256-colour global table, loops for
//    ever, six full-screen frames with delay 0, disposal 2 and transparent index
//    233; the transparent entry is white and unique; every frame decodes to the
//    whole screen, shows art on a transparent ground, and differs from the next;
//  - the same bytes on every call (the picture is embedded in the descriptions);
//  - the icon: one 32 x 32 image with 32 bits per pixel, its AND mask matching the
//    alpha, transparent corners and an opaque middle;
//  - the cursor: one 32 x 32 monochrome image with its hot spot at (6, 1), on a
//    white pixel of the finger tip, transparent elsewhere around it.
#include <gtest/gtest.h>

#include "app/art/velmora_art.h"
#include "runtime/byte_reader.h"
#include "tests/app/art/gif_test_reader.h"

namespace velmora::art {
namespace {

const std::string& Gif() {
    static const std::string gif = MosquitoAnimationGif();
    return gif;
}

TEST(VelmoraArt, AnimatedPictureHasTheRequiredProperties) {
    test::ReadGif gif;
    ASSERT_TRUE(test::ReadGifFile(Gif(), gif));
    EXPECT_EQ(gif.width, 142);
    EXPECT_EQ(gif.height, 144);
    EXPECT_EQ(gif.loopCount, 0);
    EXPECT_EQ(gif.palette[233], 0xFFFFFFu);
    for (int i = 0; i < 256; ++i) {
        if (i != 233) {
            EXPECT_NE(gif.palette[i], 0xFFFFFFu) << i;
        }
    }
    ASSERT_EQ(gif.frames.size(), 6u);
    for (size_t k = 0; k < gif.frames.size(); ++k) {
        const test::ReadFrame& f = gif.frames[k];
        SCOPED_TRACE(k);
        EXPECT_EQ(f.disposal, 2);
        EXPECT_TRUE(f.transparent);
        EXPECT_EQ(f.delay, 0);
        EXPECT_EQ(f.transparentIndex, 233);
        EXPECT_EQ(f.left, 0);
        EXPECT_EQ(f.top, 0);
        EXPECT_EQ(f.width, 142);
        EXPECT_EQ(f.height, 144);
        EXPECT_EQ(f.descriptorFlags, 0);
        ASSERT_EQ(f.pixels.size(), 142u * 144u);
        EXPECT_EQ(f.pixels[0], 233);  // the corners are ground
        EXPECT_EQ(f.pixels[141], 233);
        size_t ground = 0;
        for (uint8_t p : f.pixels)
            ground += p == 233;
        EXPECT_GT(ground, f.pixels.size() / 10);
        EXPECT_LT(ground, f.pixels.size() / 2);
        EXPECT_NE(f.pixels, gif.frames[(k + 1) % 6].pixels);
    }
}

TEST(VelmoraArt, SameBytesEveryTime) {
    EXPECT_EQ(MosquitoAnimationGif(), Gif());
    EXPECT_EQ(DefaultIconFile(), DefaultIconFile());
    EXPECT_EQ(HandCursorFile(), HandCursorFile());
}

TEST(VelmoraArt, IconIsOne32BitImageOf32By32) {
    const std::string ico = DefaultIconFile();
    ASSERT_EQ(ico.size(), 6u + 16 + 40 + 32 * 32 * 4 + 32 * 4);
    ByteReader r(reinterpret_cast<const uint8_t*>(ico.data()), ico.size());
    EXPECT_EQ(r.U16(), 0);
    EXPECT_EQ(r.U16(), 1);  // icon
    EXPECT_EQ(r.U16(), 1);  // one image
    EXPECT_EQ(r.U8(), 32);
    EXPECT_EQ(r.U8(), 32);
    EXPECT_EQ(r.U8(), 0);
    EXPECT_EQ(r.U8(), 0);
    EXPECT_EQ(r.U16(), 1);   // planes
    EXPECT_EQ(r.U16(), 32);  // bits per pixel
    EXPECT_EQ(r.U32(), ico.size() - 22);
    EXPECT_EQ(r.U32(), 22u);
    EXPECT_EQ(r.U32(), 40u);
    EXPECT_EQ(r.I32(), 32);
    EXPECT_EQ(r.I32(), 64);
    EXPECT_EQ(r.U16(), 1);
    EXPECT_EQ(r.U16(), 32);
    // Pixels bottom-up (BGRA), then the AND mask, 4 bytes a row.
    auto alpha = [&](int x, int y) {
        return static_cast<uint8_t>(ico[62 + ((31 - y) * 32 + x) * 4 + 3]);
    };
    auto masked = [&](int x, int y) {
        return (static_cast<uint8_t>(ico[62 + 4096 + (31 - y) * 4 + x / 8]) >> (7 - x % 8)) & 1;
    };
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(masked(x, y), alpha(x, y) == 0 ? 1 : 0) << x << "," << y;
    }
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(31, 31), 0);
    EXPECT_EQ(alpha(16, 16), 255);
    const std::vector<uint32_t> px = DefaultIconPixels();
    ASSERT_EQ(px.size(), 1024u);
    EXPECT_EQ(px[16 * 32 + 16] >> 24, 255u);
}

TEST(VelmoraArt, CursorIsAMonochromeHandWithItsHotSpotAtTheFingerTip) {
    const std::string cur = HandCursorFile();
    ByteReader r(reinterpret_cast<const uint8_t*>(cur.data()), cur.size());
    EXPECT_EQ(r.U16(), 0);
    EXPECT_EQ(r.U16(), 2);  // cursor
    EXPECT_EQ(r.U16(), 1);
    EXPECT_EQ(r.U8(), 32);
    EXPECT_EQ(r.U8(), 32);
    r.U8();
    r.U8();
    EXPECT_EQ(r.U16(), 6);  // hot spot x
    EXPECT_EQ(r.U16(), 1);  // hot spot y
    EXPECT_EQ(r.U32(), cur.size() - 22);
    EXPECT_EQ(r.U32(), 22u);
    EXPECT_EQ(r.U32(), 40u);
    EXPECT_EQ(r.I32(), 32);
    EXPECT_EQ(r.I32(), 64);
    EXPECT_EQ(r.U16(), 1);
    EXPECT_EQ(r.U16(), 1);  // monochrome
    ASSERT_EQ(cur.size(), 22u + 40 + 8 + 128 + 128);
    const size_t xorAt = 22 + 40 + 8, andAt = xorAt + 128;
    auto bit = [&](size_t plane, int x, int y) {
        return (static_cast<uint8_t>(cur[plane + (31 - y) * 4 + x / 8]) >> (7 - x % 8)) & 1;
    };
    EXPECT_EQ(bit(andAt, 6, 1), 0);  // opaque
    EXPECT_EQ(bit(xorAt, 6, 1), 1);  // white
    EXPECT_EQ(bit(andAt, 6, 0), 0);  // black outline above it
    EXPECT_EQ(bit(xorAt, 6, 0), 0);
    EXPECT_EQ(bit(andAt, 5, 0), 1);  // transparent beside the tip
    EXPECT_EQ(bit(andAt, 31, 31), 1);
}

}  // namespace
}  // namespace velmora::art

// Covers: the GIF writer of the program's art, read back by an independent
// reader written here.
//  - header, logical screen, 256-entry global table, NETSCAPE2.0 loop count;
//  - one graphic control extension per frame (disposal, transparency, delay) and
//    a full-screen image descriptor;
//  - LZW image data decodes to the written indexes: single pixel, empty, runs
//    long enough to widen the codes to 12 bits and to fill the table (clear
//    codes), noise, and every byte value;
//  - frames of the wrong size are left out.
#include <gtest/gtest.h>

#include <random>

#include "app/art/gif_writer.h"
#include "tests/app/art/gif_test_reader.h"

namespace velmora::art {
namespace {

using test::DecodeImageData;

std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& indexes) {
    std::string data = EncodeGifImageData(indexes);
    size_t pos = 0;
    std::vector<uint8_t> out;
    EXPECT_TRUE(DecodeImageData(data, pos, out));
    EXPECT_EQ(pos, data.size());
    return out;
}

TEST(GifWriter, LzwRoundTrips) {
    EXPECT_EQ(RoundTrip({}), std::vector<uint8_t>{});
    EXPECT_EQ(RoundTrip({7}), std::vector<uint8_t>{7});
    std::vector<uint8_t> run(100000, 233);  // one long run: codes widen to 12 bits, the table fills
    EXPECT_EQ(RoundTrip(run), run);
    std::mt19937 rng(12345);
    std::vector<uint8_t> noise(60000);
    for (uint8_t& b : noise)
        b = static_cast<uint8_t>(rng());
    EXPECT_EQ(RoundTrip(noise), noise);
    std::vector<uint8_t> fewColours(50000);
    for (uint8_t& b : fewColours)
        b = static_cast<uint8_t>(rng() % 5);
    EXPECT_EQ(RoundTrip(fewColours), fewColours);
    std::vector<uint8_t> ramp;
    for (int rep = 0; rep < 40; ++rep) {
        for (int i = 0; i < 256; ++i)
            ramp.push_back(static_cast<uint8_t>(i));
    }
    EXPECT_EQ(RoundTrip(ramp), ramp);
}

TEST(GifWriter, FileStructure) {
    GifAnimation gif;
    gif.width = 5;
    gif.height = 3;
    for (int i = 0; i < 256; ++i)
        gif.palette[i] = 0x010203u * static_cast<uint32_t>(i);
    gif.loopCount = 0;
    gif.delay = 7;
    gif.disposal = 2;
    gif.transparentIndex = 233;
    gif.frames = {std::vector<uint8_t>(15, 1), std::vector<uint8_t>(14, 2),
                  std::vector<uint8_t>(15, 3)};
    const std::string f = EncodeGif(gif);
    auto u8 = [&](size_t at) { return static_cast<uint8_t>(f.at(at)); };
    auto u16 = [&](size_t at) { return u8(at) | (u8(at + 1) << 8); };
    EXPECT_EQ(f.substr(0, 6), "GIF89a");
    EXPECT_EQ(u16(6), 5);
    EXPECT_EQ(u16(8), 3);
    EXPECT_EQ(u8(10), 0xF7);  // global table, 256 entries
    EXPECT_EQ(u8(13 + 3 * 10 + 1), 0x02 * 10 % 256);
    size_t pos = 13 + 768;
    EXPECT_EQ(f.substr(pos, 3), std::string("\x21\xFF\x0B", 3));
    EXPECT_EQ(f.substr(pos + 3, 11), "NETSCAPE2.0");
    EXPECT_EQ(f.substr(pos + 14, 5), std::string("\x03\x01\x00\x00\x00", 5));  // loop for ever
    pos += 19;
    int frames = 0;
    while (u8(pos) == 0x21) {
        EXPECT_EQ(u8(pos + 1), 0xF9);
        EXPECT_EQ(u8(pos + 2), 4);
        EXPECT_EQ(u8(pos + 3), (2 << 2) | 1);
        EXPECT_EQ(u16(pos + 4), 7);
        EXPECT_EQ(u8(pos + 6), 233);
        EXPECT_EQ(u8(pos + 7), 0);
        pos += 8;
        ASSERT_EQ(u8(pos), 0x2C);
        EXPECT_EQ(u16(pos + 1), 0);
        EXPECT_EQ(u16(pos + 3), 0);
        EXPECT_EQ(u16(pos + 5), 5);
        EXPECT_EQ(u16(pos + 7), 3);
        EXPECT_EQ(u8(pos + 9), 0);
        pos += 10;
        std::vector<uint8_t> pixels;
        ASSERT_TRUE(DecodeImageData(f, pos, pixels));
        ++frames;
        EXPECT_EQ(pixels, std::vector<uint8_t>(15, frames == 1 ? 1 : 3));
    }
    EXPECT_EQ(frames, 2);  // the 14-pixel frame is left out
    EXPECT_EQ(u8(pos), 0x3B);
    EXPECT_EQ(pos + 1, f.size());
}

}  // namespace
}  // namespace velmora::art

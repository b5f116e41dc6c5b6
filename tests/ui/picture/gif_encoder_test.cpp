// Covers: the GIF encoder, read back by a reader written apart from the decoder
// (tests/ui/picture/gif_test_reader.h) and by the decoder itself.
//  - LZW data: empty, a single index, a long run, noise that fills the table many
//    times (clear codes), few colours, every byte value, at minimum code sizes 8
//    and 2;
//  - sub-block framing at 0, 255 and 256 bytes;
//  - the file byte by byte: header, logical screen, global table, NETSCAPE2.0
//    loop for ever, per-frame graphic control (disposal, delay, transparency),
//    image descriptors;
//  - tables padded to a power of two, no global table, local tables, the
//    interlace flag and the rows' pass order, frames without graphic control,
//    no application block when not looping;
//  - frames whose indices fall short are written as given, never read past;
//  - round trip through the decoder (local tables, interlacing, big frames).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/ui/picture/gif_test_reader.h"
#include "tests/ui/picture/gif_text.h"
#include "ui/picture/gif_animation.h"
#include "ui/picture/gif_encoder.h"

namespace velmora {
namespace {

using testing::DecodeImageData;
using testing::ReadGif;
using testing::ReadGifFile;

std::vector<uint8_t> LzwRoundTrip(const std::vector<uint8_t>& indices, unsigned minCodeSize) {
    const std::string data = std::string(1, static_cast<char>(minCodeSize)) +
                             SubBlocks(LzwCompress(indices.data(), indices.size(), minCodeSize));
    size_t pos = 0;
    std::vector<uint8_t> out;
    EXPECT_TRUE(DecodeImageData(data, pos, out));
    EXPECT_EQ(pos, data.size());
    return out;
}

GifFramePlan Frame(int width, int height, std::vector<uint8_t> indices) {
    GifFramePlan f;
    f.width = width;
    f.height = height;
    f.indices = std::move(indices);
    return f;
}

TEST(GifEncoder, LzwRoundTrips) {
    std::mt19937 rng(12345);
    for (unsigned minCodeSize : {8u, 2u}) {
        SCOPED_TRACE(minCodeSize);
        const unsigned colours = 1u << minCodeSize;
        EXPECT_EQ(LzwRoundTrip({}, minCodeSize), std::vector<uint8_t>{});
        EXPECT_EQ(LzwRoundTrip({3}, minCodeSize), std::vector<uint8_t>{3});
        std::vector<uint8_t> run(100000, static_cast<uint8_t>(colours - 1));
        EXPECT_EQ(LzwRoundTrip(run, minCodeSize), run);
        std::vector<uint8_t> noise(60000);  // fills the table many times over
        for (uint8_t& b : noise)
            b = static_cast<uint8_t>(rng() % colours);
        EXPECT_EQ(LzwRoundTrip(noise, minCodeSize), noise);
        std::vector<uint8_t> fewColours(50000);
        for (uint8_t& b : fewColours)
            b = static_cast<uint8_t>(rng() % 3);
        EXPECT_EQ(LzwRoundTrip(fewColours, minCodeSize), fewColours);
        std::vector<uint8_t> ramp;
        for (int rep = 0; rep < 40; ++rep) {
            for (unsigned i = 0; i < colours; ++i)
                ramp.push_back(static_cast<uint8_t>(i));
        }
        EXPECT_EQ(LzwRoundTrip(ramp, minCodeSize), ramp);
    }
}

TEST(GifEncoder, SubBlocksOfAtMost255Bytes) {
    EXPECT_EQ(SubBlocks(""), std::string(1, '\0'));
    const std::string full(255, 'x');
    EXPECT_EQ(SubBlocks(full), "\xFF" + full + std::string(1, '\0'));
    EXPECT_EQ(SubBlocks(full + "y"), "\xFF" + full + "\x01y" + std::string(1, '\0'));
}

TEST(GifEncoder, FileByteByByte) {
    GifPlan plan;
    plan.width = 5;
    plan.height = 3;
    for (uint32_t i = 0; i < 256; ++i)
        plan.globalPalette.push_back(0x010203u * i);
    plan.loopForever = true;
    for (uint8_t index : {1, 2}) {
        GifFramePlan f = Frame(5, 3, std::vector<uint8_t>(15, index));
        f.delay = 7;
        f.disposal = 2;
        f.transparentIndex = 233;
        plan.frames.push_back(f);
    }
    const std::string f = EncodeGif(plan);
    auto u8 = [&](size_t at) { return static_cast<uint8_t>(f.at(at)); };
    auto u16 = [&](size_t at) { return u8(at) | (u8(at + 1) << 8); };
    EXPECT_EQ(f.substr(0, 6), "GIF89a");
    EXPECT_EQ(u16(6), 5);
    EXPECT_EQ(u16(8), 3);
    EXPECT_EQ(u8(10), 0xF7);  // global table of 256 entries, 8 bits of colour resolution
    EXPECT_EQ(u8(11), 0);     // background
    EXPECT_EQ(u8(12), 0);     // aspect ratio
    EXPECT_EQ(u8(13 + 3 * 10), 0x01 * 10);
    EXPECT_EQ(u8(13 + 3 * 10 + 1), 0x02 * 10);
    EXPECT_EQ(u8(13 + 3 * 255 + 2), 0x03 * 255 % 256);
    size_t pos = 13 + 768;
    EXPECT_EQ(f.substr(pos, 3), std::string("\x21\xFF\x0B", 3));
    EXPECT_EQ(f.substr(pos + 3, 11), "NETSCAPE2.0");
    EXPECT_EQ(f.substr(pos + 14, 5), std::string("\x03\x01\x00\x00\x00", 5));  // loop for ever
    pos += 19;
    for (int frame = 1; frame <= 2; ++frame) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(f.substr(pos, 3), std::string("\x21\xF9\x04", 3));
        EXPECT_EQ(u8(pos + 3), (2 << 2) | 1);  // disposal 2, transparent
        EXPECT_EQ(u16(pos + 4), 7);
        EXPECT_EQ(u8(pos + 6), 233);
        EXPECT_EQ(u8(pos + 7), 0);
        pos += 8;
        ASSERT_EQ(u8(pos), 0x2C);
        EXPECT_EQ(u16(pos + 1), 0);
        EXPECT_EQ(u16(pos + 3), 0);
        EXPECT_EQ(u16(pos + 5), 5);
        EXPECT_EQ(u16(pos + 7), 3);
        EXPECT_EQ(u8(pos + 9), 0);  // no local table, not interlaced
        EXPECT_EQ(u8(pos + 10), 8);
        pos += 10;
        std::vector<uint8_t> pixels;
        ASSERT_TRUE(DecodeImageData(f, pos, pixels));
        EXPECT_EQ(pixels, std::vector<uint8_t>(15, static_cast<uint8_t>(frame)));
    }
    EXPECT_EQ(u8(pos), 0x3B);
    EXPECT_EQ(pos + 1, f.size());
}

TEST(GifEncoder, TablesFlagsAndOptionalBlocks) {
    // Five global colours take a table of eight; no loop block; the first frame has
    // no graphic control, the second one without transparency, the third a local
    // table of two colours and interlaced rows at a position.
    GifPlan plan{4, 5, {0x111111, 0x222222, 0x333333, 0x444444, 0x555555}, false, {}};
    plan.frames.push_back(Frame(4, 5, std::vector<uint8_t>(20, 4)));
    plan.frames[0].graphicControl = false;
    plan.frames.push_back(Frame(4, 5, std::vector<uint8_t>(20, 3)));
    plan.frames[1].disposal = 3;
    plan.frames[1].delay = 300;
    std::vector<uint8_t> rows;
    for (uint8_t y = 0; y < 5; ++y)
        rows.insert(rows.end(), 3, y % 2);
    plan.frames.push_back(Frame(3, 5, rows));
    plan.frames[2].left = 1;
    plan.frames[2].top = 0;
    plan.frames[2].localPalette = {0xABCDEF, 0x123456};
    plan.frames[2].interlaced = true;
    plan.frames[2].transparentIndex = 1;

    ReadGif gif;
    ASSERT_TRUE(ReadGifFile(EncodeGif(plan), gif));
    EXPECT_EQ(gif.flags, 0x80 | 0x70 | 2);
    EXPECT_EQ(gif.palette,
              (std::vector<uint32_t>{0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0, 0, 0}));
    EXPECT_EQ(gif.loopCount, -1);
    ASSERT_EQ(gif.frames.size(), 3u);
    EXPECT_FALSE(gif.frames[0].graphicControl);
    EXPECT_EQ(gif.frames[0].minCodeSize, 3);
    EXPECT_EQ(gif.frames[0].pixels, std::vector<uint8_t>(20, 4));
    EXPECT_TRUE(gif.frames[1].graphicControl);
    EXPECT_EQ(gif.frames[1].disposal, 3);
    EXPECT_EQ(gif.frames[1].delay, 300);
    EXPECT_FALSE(gif.frames[1].transparent);
    EXPECT_EQ(gif.frames[1].transparentIndex, 0);
    const testing::ReadFrame& local = gif.frames[2];
    EXPECT_EQ(local.left, 1);
    EXPECT_EQ(local.width, 3);
    EXPECT_EQ(local.descriptorFlags, 0x80 | 0x40 | 0);
    EXPECT_EQ(local.localPalette, (std::vector<uint32_t>{0xABCDEF, 0x123456}));
    EXPECT_EQ(local.minCodeSize, 2);  // never below 2
    EXPECT_TRUE(local.transparent);
    EXPECT_EQ(local.transparentIndex, 1);
    // Rows stored in pass order 0, 4, 2, 1, 3.
    EXPECT_EQ(local.pixels, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}));

    gif = ReadGif{};
    ASSERT_TRUE(ReadGifFile(EncodeGif(GifPlan{1, 1, {}, false, {Frame(1, 1, {0})}}), gif));
    EXPECT_EQ(gif.flags, 0x70);  // no global table
    EXPECT_TRUE(gif.palette.empty());
}

TEST(GifEncoder, ShortIndicesAreWrittenAsGiven) {
    // Five and a half rows of a frame of nine: plain frames keep all the indices,
    // interlaced ones the whole rows in pass order.
    std::vector<uint8_t> indices;
    for (uint8_t y = 0; y < 5; ++y)
        indices.insert(indices.end(), 4, y);
    indices.insert(indices.end(), {7, 7});
    GifPlan plan{4, 9, {0, 1, 2, 3, 4, 5, 6, 7}, false, {Frame(4, 9, indices)}};
    ReadGif gif;
    ASSERT_TRUE(ReadGifFile(EncodeGif(plan), gif));
    ASSERT_EQ(gif.frames.size(), 1u);
    EXPECT_EQ(gif.frames[0].pixels, indices);

    plan.frames[0].interlaced = true;
    gif = ReadGif{};
    ASSERT_TRUE(ReadGifFile(EncodeGif(plan), gif));
    ASSERT_EQ(gif.frames.size(), 1u);
    std::vector<uint8_t> expected;
    for (uint8_t y : {0, 4, 2, 1, 3})
        expected.insert(expected.end(), 4, y);
    EXPECT_EQ(gif.frames[0].pixels, expected);

    plan.frames[0].indices.clear();
    gif = ReadGif{};
    ASSERT_TRUE(ReadGifFile(EncodeGif(plan), gif));
    EXPECT_TRUE(gif.frames[0].pixels.empty());
}

TEST(GifEncoder, RoundTripThroughTheDecoder) {
    std::mt19937 rng(42);
    for (int trial = 0; trial < 12; ++trial) {
        SCOPED_TRACE(trial);
        const int w = 1 + rng() % 300, h = 1 + rng() % 120;
        const unsigned colours = 2u << (rng() % 8);
        std::vector<uint32_t> palette(colours);
        for (auto& c : palette)
            c = rng() & 0xFFFFFF;
        std::vector<uint8_t> px(size_t(w) * h);
        const int flatness = trial % 3;  // noise, runs, flat
        uint8_t v = 0;
        for (auto& p : px) {
            if (flatness == 0 || (flatness == 1 && rng() % 16 == 0))
                v = rng() % colours;
            p = v;
        }
        GifPlan plan{w, h, {}, false, {Frame(w, h, px)}};
        plan.frames[0].localPalette = palette;
        plan.frames[0].interlaced = trial % 4 == 3;
        const std::string gif = EncodeGif(plan);
        GifCanvas canvas;
        ASSERT_EQ(DecodeGifStill(testing::Bytes(gif), gif.size(), canvas), GifResult::kOk);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                ASSERT_EQ(canvas.Pixel(x, y), palette[px[size_t(y) * w + x]]) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace velmora

// Covers: the GIF player's portable core.
//  - header checks: 13 bytes or less, signature, global table reaching the end;
//  - delays: 0 -> 50 ms, 7 -> 70 ms, the delay in force outlives its round;
//  - the animation repeats after the last frame whatever the loop count says;
//  - disposal 2 on every frame draws each frame on white; disposal 1 accumulates;
//    disposal 3 restores; disposal is cleared every round;
//  - transparency leaves out every pixel whose colour equals the transparent
//    entry's colour (not only that index) and stays in force; still pictures are opaque;
//  - single-image detection; a stream from another encoder;
//  - interlaced images land on the right rows;
//  - every named quirk against its artificial file (tests/data/picture);
//  - every truncation point of a valid animation loads or is rejected, never hangs.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/ui/picture/gif_text.h"
#include "ui/picture/gif_animation.h"
#include "ui/picture/gif_encoder.h"

namespace velmora {
namespace {

using testing::AssembleGifText;
using testing::Bytes;
using testing::LoadGifText;

const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

// The canvas as one letter per pixel (W white, K black, R red, G green, B blue,
// ? other), rows separated by '/'.
std::string Picture(const GifCanvas& canvas) {
    std::string s;
    for (int y = 0; y < canvas.height(); ++y) {
        if (y)
            s += '/';
        for (int x = 0; x < canvas.width(); ++x) {
            switch (canvas.Pixel(x, y)) {
                case 0xFFFFFF:
                    s += 'W';
                    break;
                case 0x000000:
                    s += 'K';
                    break;
                case 0xFF0000:
                    s += 'R';
                    break;
                case 0x00FF00:
                    s += 'G';
                    break;
                case 0x0000FF:
                    s += 'B';
                    break;
                default:
                    s += '?';
                    break;
            }
        }
    }
    return s;
}

GifFramePlan Frame(int left, int top, int width, int height, std::vector<uint8_t> indices) {
    GifFramePlan f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    f.indices = std::move(indices);
    return f;
}

struct Played {
    std::vector<std::string> pictures;
    std::vector<GifRound> rounds;
};

Played Play(const std::string& gif, int rounds) {
    GifAnimation a;
    EXPECT_EQ(a.Open(Bytes(gif), gif.size()), GifResult::kOk);
    a.Restart();
    Played p;
    for (int i = 0; i < rounds; ++i) {
        p.rounds.push_back(a.Step());
        p.pictures.push_back(Picture(a.canvas()));
    }
    return p;
}

TEST(GifHeader, RejectsShortOrUnsignedOrTableReachingTheEnd) {
    GifHeader h;
    const std::string ok = AssembleGifText(R"("GIF89a" u16:1 u16:1 80 00 00 000000 FFFFFF 3B)");
    EXPECT_EQ(ParseGifHeader(Bytes(ok), ok.size(), h), GifResult::kOk);
    EXPECT_EQ(h.streamOffset, 19u);
    // The table ends exactly at the end of the data: no stream left.
    EXPECT_EQ(ParseGifHeader(Bytes(ok), ok.size() - 1, h), GifResult::kColourTableTruncated);
    const std::string bare = AssembleGifText(R"("GIF87a" u16:1 u16:1 00 00 00)");
    EXPECT_EQ(ParseGifHeader(Bytes(bare), bare.size(), h), GifResult::kNotGif);  // 13 bytes
    EXPECT_EQ(ParseGifHeader(Bytes(bare + ";"), 14, h), GifResult::kOk);
    std::string wrong = ok;
    wrong[4] = '8';
    EXPECT_EQ(ParseGifHeader(Bytes(wrong), wrong.size(), h), GifResult::kNotGif);
    const std::string empty = AssembleGifText(R"("GIF89a" u16:0 u16:5 00 00 00 3B)");
    EXPECT_EQ(ParseGifHeader(Bytes(empty), empty.size(), h), GifResult::kEmptyScreen);
}

TEST(GifPlayer, DelaysAreHundredthsTimesTenAndZeroMeansFifty) {
    EXPECT_EQ(GifDelayMs(0), 50u);
    EXPECT_EQ(GifDelayMs(7), 70u);
    GifPlan plan{1, 1, kPalette, false, {}};
    plan.frames.push_back(Frame(0, 0, 1, 1, {1}));
    plan.frames.back().delay = 0;
    plan.frames.push_back(Frame(0, 0, 1, 1, {2}));
    plan.frames.back().delay = 7;
    plan.frames.push_back(Frame(0, 0, 1, 1, {3}));
    plan.frames.back().graphicControl = false;  // the delay of 7 stays in force
    Played p = Play(EncodeGif(plan), 4);
    EXPECT_EQ(p.rounds[0].delayMs, 50u);
    EXPECT_EQ(p.rounds[1].delayMs, 70u);
    EXPECT_EQ(p.rounds[2].delayMs, 70u);
    // Round 4 is the first frame again; its own graphic control block says 0.
    EXPECT_EQ(p.rounds[3].delayMs, 50u);
}

TEST(GifPlayer, RepeatsAfterTheLastFrameWhateverTheLoopCount) {
    for (bool loop : {false, true}) {
        GifPlan plan{1, 1, kPalette, loop, {}};
        plan.frames.push_back(Frame(0, 0, 1, 1, {1}));
        plan.frames.push_back(Frame(0, 0, 1, 1, {2}));
        std::string gif = EncodeGif(plan);
        if (!loop) {
            // A NETSCAPE block with loop count 1 must not stop the animation either.
            const std::string once = AssembleGifText(R"(21 FF 0B "NETSCAPE2.0" 03 01 u16:1 00)");
            gif.insert(13 + 12, once);
        }
        Played p = Play(gif, 6);
        EXPECT_EQ(p.pictures, (std::vector<std::string>{"R", "G", "R", "G", "R", "G"}));
    }
}

TEST(GifPlayer, DisposalTwoOnEveryFrameDrawsEachFrameOnWhite) {
    // Like the program's own animation: full frames, disposal 2, transparent 0.
    GifPlan plan{3, 1, kPalette, true, {}};
    const std::vector<std::vector<uint8_t>> frames = {{1, 0, 0}, {0, 2, 0}, {0, 0, 3}};
    for (const auto& f : frames) {
        plan.frames.push_back(Frame(0, 0, 3, 1, f));
        plan.frames.back().disposal = 2;
        plan.frames.back().transparentIndex = 0;
    }
    Played p = Play(EncodeGif(plan), 4);
    EXPECT_EQ(p.pictures, (std::vector<std::string>{"RWW", "WGW", "WWB", "RWW"}));

    // The same with disposal 1 accumulates.
    for (auto& f : plan.frames)
        f.disposal = 1;
    p = Play(EncodeGif(plan), 4);
    EXPECT_EQ(p.pictures, (std::vector<std::string>{"RWW", "RGW", "RGB", "RGB"}));
}

TEST(GifPlayer, DisposalThreeRestoresAndIsClearedEveryRound) {
    GifPlan plan{2, 1, kPalette, false, {}};
    plan.frames.push_back(Frame(0, 0, 2, 1, {1, 1}));  // disposal 0: stays
    plan.frames.push_back(Frame(1, 0, 1, 1, {2}));
    plan.frames.back().disposal = 3;  // restored before the next image
    plan.frames.push_back(Frame(0, 0, 1, 1, {3}));
    plan.frames.back().graphicControl = false;  // disposal does not carry over
    plan.frames.push_back(Frame(1, 0, 1, 1, {0}));
    plan.frames.back().graphicControl = false;
    Played p = Play(EncodeGif(plan), 4);
    EXPECT_EQ(p.pictures, (std::vector<std::string>{"RR", "RG", "BR", "BK"}));
}

TEST(GifPlayer, DisposalTwoWithPartlyDecodedOrShiftedFrames) {
    // All with disposal 2. Frame 2 covers the place of frame 1 but ends early: the
    // rest is restored. Frame 3 is smaller than the saved place: restore, then draw
    // inside it. Frames 4 and 5 have index 0 transparent; frame 5 covers exactly the
    // place saved before frame 4 (restore, save and draw in one pass).
    const std::string gif = AssembleGifText(R"("GIF89a" u16:3 u16:1 81 00 00
        000000 FF0000 00FF00 0000FF
        21 F9 04 08 u16:0 00 00  2C u16:0 u16:0 u16:3 u16:1 00  lzw 2 1 1 1
        21 F9 04 08 u16:0 00 00  2C u16:0 u16:0 u16:3 u16:1 00  codes 2 4 2 5
        21 F9 04 08 u16:0 00 00  2C u16:1 u16:0 u16:1 u16:1 00  lzw 2 3
        21 F9 04 09 u16:0 00 00  2C u16:0 u16:0 u16:3 u16:1 00  lzw 2 1 0 2
        21 F9 04 09 u16:0 00 00  2C u16:0 u16:0 u16:3 u16:1 00  lzw 2 0 3 0
        3B)");
    Played p = Play(gif, 5);
    EXPECT_EQ(p.pictures, (std::vector<std::string>{"RRR", "GWW", "WBW", "RWG", "WBW"}));
}

TEST(GifPlayer, TransparencyComparesColoursAndStaysInForce) {
    // Palette entries 0 and 3 are both blue; index 3 is transparent.
    const std::vector<uint32_t> palette = {0x0000FF, 0xFF0000, 0x00FF00, 0x0000FF};
    GifPlan plan{4, 1, palette, false, {}};
    plan.frames.push_back(Frame(0, 0, 4, 1, {1, 1, 1, 1}));
    plan.frames.back().graphicControl = false;
    plan.frames.push_back(Frame(0, 0, 4, 1, {0, 2, 3, 2}));
    plan.frames.back().transparentIndex = 3;
    plan.frames.push_back(Frame(0, 0, 4, 1, {3, 0, 2, 3}));
    plan.frames.back().graphicControl = false;  // transparency still in force
    const std::string gif = EncodeGif(plan);
    Played p = Play(gif, 3);
    EXPECT_EQ(p.pictures, (std::vector<std::string>{"RRRR", "RGRG", "RGGG"}));

    // The still picture of an image with a transparent colour is drawn opaque.
    GifPlan still{2, 1, palette, false, {Frame(0, 0, 2, 1, {3, 2})}};
    still.frames[0].transparentIndex = 3;
    GifCanvas canvas;
    ASSERT_EQ(DecodeGifStill(Bytes(EncodeGif(still)), EncodeGif(still).size(), canvas),
              GifResult::kOk);
    EXPECT_EQ(Picture(canvas), "BG");
}

TEST(GifPlayer, StillPictureIsTheFirstImageOnlyOnWhite) {
    GifPlan plan{3, 1, kPalette, false, {}};
    plan.frames.push_back(Frame(1, 0, 1, 1, {1}));
    plan.frames.push_back(Frame(0, 0, 3, 1, {2, 2, 2}));
    const std::string gif = EncodeGif(plan);
    GifCanvas canvas;
    ASSERT_EQ(DecodeGifStill(Bytes(gif), gif.size(), canvas), GifResult::kOk);
    EXPECT_EQ(Picture(canvas), "WRW");
}

// A stream from another encoder: the widely published 10 x 10 sample (white, red,
// blue and black in a four-entry table, codes that grow to 4 bits across a sub-block).
TEST(GifPlayer, TheWellKnownTenByTenSampleFromAnotherEncoder) {
    const std::string gif(
        "GIF89a\x0A\x00\x0A\x00\x91\x00\x00"
        "\xFF\xFF\xFF\xFF\x00\x00\x00\x00\xFF\x00\x00\x00"
        "\x21\xF9\x04\x00\x00\x00\x00\x00"
        "\x2C\x00\x00\x00\x00\x0A\x00\x0A\x00\x00"
        "\x02\x16\x8C\x2D\x99\x87\x2A\x1C\xDC\x33\xA0\x02\x75\xEC\x95\xFA\xA8\xDE"
        "\x60\x8C\x04\x91\x4C\x01\x00\x3B",
        69);
    GifCanvas canvas;
    ASSERT_EQ(DecodeGifStill(Bytes(gif), gif.size(), canvas), GifResult::kOk);
    EXPECT_EQ(Picture(canvas),
              "RRRRRBBBBB/RRRRRBBBBB/RRRRRBBBBB/RRRWWWWBBB/RRRWWWWBBB/"
              "BBBWWWWRRR/BBBWWWWRRR/BBBBBRRRRR/BBBBBRRRRR/BBBBBRRRRR");
}

TEST(GifPlayer, SingleImageDetection) {
    GifPlan plan{1, 1, kPalette, true, {Frame(0, 0, 1, 1, {1})}};
    std::string gif = EncodeGif(plan);
    GifAnimation a;
    ASSERT_EQ(a.Open(Bytes(gif), gif.size()), GifResult::kOk);
    EXPECT_TRUE(a.singleImage());  // only the trailer after the image
    // Without a trailer, the read position is at the end of the data.
    ASSERT_EQ(a.Open(Bytes(gif), gif.size() - 1), GifResult::kOk);
    EXPECT_TRUE(a.singleImage());
    // Anything after the trailer counts as more stream.
    const std::string longer = gif + ";";
    ASSERT_EQ(a.Open(Bytes(longer), longer.size()), GifResult::kOk);
    EXPECT_FALSE(a.singleImage());
    plan.frames.push_back(Frame(0, 0, 1, 1, {2}));
    gif = EncodeGif(plan);
    ASSERT_EQ(a.Open(Bytes(gif), gif.size()), GifResult::kOk);
    EXPECT_FALSE(a.singleImage());
    // A comment after the only image is more stream too.
    gif = EncodeGif(GifPlan{1, 1, kPalette, false, {Frame(0, 0, 1, 1, {1})}});
    gif.insert(gif.size() - 1, AssembleGifText(R"(21 FE 01 "x" 00)"));
    ASSERT_EQ(a.Open(Bytes(gif), gif.size()), GifResult::kOk);
    EXPECT_FALSE(a.singleImage());
}

TEST(GifPlayer, InterlacedRowsLandInPassOrder) {
    // 1 x 10 image, row y has colour index y % 4; stored in pass order.
    GifPlan plan{1, 10, kPalette, false, {}};
    plan.frames.push_back(Frame(0, 0, 1, 10, {0, 1, 2, 3, 0, 1, 2, 3, 0, 1}));
    plan.frames.back().interlaced = true;
    Played p = Play(EncodeGif(plan), 1);
    EXPECT_EQ(p.pictures[0], "K/R/G/B/K/R/G/B/K/R");
    // Cut the stored rows after pass 1 (rows 0 and 8): only they are drawn.
    const std::string cut = AssembleGifText(R"("GIF89a" u16:1 u16:10 81 00 00
        000000 FF0000 00FF00 0000FF
        2C u16:0 u16:0 u16:1 u16:10 40
        codes 2 4 1 2 5
        3B)");
    p = Play(cut, 1);
    EXPECT_EQ(p.pictures[0], "R/W/W/W/W/W/W/W/G/W");
}

TEST(GifQuirks, EachArtificialFile) {
    struct Case {
        const char* file;
        int rounds;
        std::vector<std::string> pictures;
        std::vector<GifRoundOutcome> outcomes;
    };
    using O = GifRoundOutcome;
    const Case cases[] = {
        {"frame_clipped.gif.txt", 1, {"WWWW/WWWW/WWRR/WWRR"}, {O::kDrawn}},
        {"excess_output.gif.txt", 1, {"GG/BB"}, {O::kDrawn}},
        {"empty_image.gif.txt", 3, {"WW", "RR", "RR"}, {O::kEmptyImage, O::kDrawn, O::kEmptyImage}},
        {"truncated_image.gif.txt", 2, {"RWWW", "RWWW"}, {O::kDrawn, O::kDrawn}},
        {"early_end_code.gif.txt", 1, {"BWW"}, {O::kDrawn}},
        {"no_trailer.gif.txt", 3, {"R", "G", "R"}, {O::kDrawn, O::kDrawn, O::kDrawn}},
        {"index_beyond_table.gif.txt", 1, {"RGK"}, {O::kDrawn}},
        {"unknown_extension.gif.txt",
         4,
         {"R", "R", "G", "R"},
         {O::kDrawn, O::kUnknownExtension, O::kDrawn, O::kDrawn}},
        {"short_graphic_control.gif.txt", 2, {"R", "G"}, {O::kDrawn, O::kDrawn}},
        {"bad_min_code_size.gif.txt", 3, {"R", "R", "B"}, {O::kDrawn, O::kAbandoned, O::kDrawn}},
        {"invalid_code.gif.txt", 3, {"RR", "RR", "GG"}, {O::kDrawn, O::kAbandoned, O::kDrawn}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Played p = Play(LoadGifText(c.file), c.rounds);
        EXPECT_EQ(p.pictures, c.pictures);
        std::vector<O> outcomes;
        for (const GifRound& r : p.rounds)
            outcomes.push_back(r.outcome);
        EXPECT_EQ(outcomes, c.outcomes);
    }
    // The short graphic control block left the delay of 7 in force.
    Played p = Play(LoadGifText("short_graphic_control.gif.txt"), 2);
    EXPECT_EQ(p.rounds[1].delayMs, 70u);
    p = Play(LoadGifText("no_trailer.gif.txt"), 1);
    EXPECT_EQ(p.rounds[0].delayMs, 70u);
}

TEST(GifQuirks, NoImageInAWholePassIsNoPicture) {
    const std::string gif = LoadGifText("no_image.gif.txt");
    GifAnimation a;
    EXPECT_EQ(a.Open(Bytes(gif), gif.size()), GifResult::kNoImage);
    // A stream that is only a trailer, or only garbage, ends as well.
    for (const char* stream : {"3B", "00", "99 98 97", "21 99 00", "2C 00"}) {
        SCOPED_TRACE(stream);
        const std::string g =
            AssembleGifText(std::string(R"("GIF89a" u16:1 u16:1 00 00 00 )") + stream);
        EXPECT_EQ(a.Open(Bytes(g), g.size()), GifResult::kNoImage);
    }
    // Only abandoned images: no picture either.
    const std::string bad = AssembleGifText(R"("GIF89a" u16:1 u16:1 00 00 00
        2C u16:0 u16:0 u16:1 u16:1 00 codes 2 6 3B)");
    EXPECT_EQ(a.Open(Bytes(bad), bad.size()), GifResult::kNoImage);
}

TEST(GifQuirks, SizeLimits) {
    GifPlan plan{100, 100, kPalette, false, {Frame(0, 0, 1, 1, {1})}};
    const std::string gif = EncodeGif(plan);
    GifAnimation a;
    GifOptions small;
    small.maxCanvasPixels = 100 * 100 - 1;
    EXPECT_EQ(a.Open(Bytes(gif), gif.size(), small), GifResult::kScreenTooLarge);
    // A frame of 2^24 + 1 pixels is not decoded: its round ends without an image.
    const std::string huge = AssembleGifText(R"("GIF89a" u16:2 u16:1 81 00 00
        000000 FF0000 00FF00 0000FF
        2C u16:0 u16:0 u16:65535 u16:257 00 lzw 2 1 1
        2C u16:0 u16:0 u16:2 u16:1 00 lzw 2 2 2 3B)");
    Played p = Play(huge, 2);
    EXPECT_EQ(p.rounds[0].outcome, GifRoundOutcome::kFrameTooLarge);
    EXPECT_EQ(p.pictures[1], "GG");
}

TEST(GifQuirks, SizeLimitsHoldAPictureOf2048By2048) {
    // A 1 x 1 image on logical screens around the canvas limit: the 40-byte file
    // with a 65535 x 256 screen would need 64 MiB for each copy of its canvas.
    struct Case {
        int width, height;
        GifResult result;
    };
    const Case cases[] = {
        {2048, 2048, GifResult::kOk},
        {4096, 1024, GifResult::kOk},
        {2049, 2048, GifResult::kScreenTooLarge},
        {65535, 256, GifResult::kScreenTooLarge},
        {65535, 65535, GifResult::kScreenTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const std::string gif = AssembleGifText(
            "\"GIF89a\" u16:" + std::to_string(c.width) + " u16:" + std::to_string(c.height) +
            " 80 00 00 000000 FF0000 2C u16:0 u16:0 u16:1 u16:1 00 lzw 2 1\n3B");
        GifAnimation a;
        ASSERT_EQ(a.Open(Bytes(gif), gif.size()), c.result);
        if (c.result == GifResult::kOk) {
            EXPECT_EQ(a.canvas().Pixel(0, 0), 0xFF0000u);
        }
    }
    // A frame as large as the limit is decoded; one row more is not.
    for (int rows : {2048, 2049}) {
        SCOPED_TRACE(rows);
        GifPlan plan{2048, 2048, kPalette, false, {}};
        plan.frames.push_back(Frame(0, 0, 2048, rows, std::vector<uint8_t>(2048 * rows, 2)));
        plan.frames.push_back(Frame(0, 0, 1, 1, {1}));
        const Played p = Play(EncodeGif(plan), 1);
        EXPECT_EQ(p.rounds[0].outcome,
                  rows == 2048 ? GifRoundOutcome::kDrawn : GifRoundOutcome::kFrameTooLarge);
    }
}

TEST(GifPlayer, EveryTruncationPointLoadsOrIsRejected) {
    GifPlan plan{8, 6, kPalette, true, {}};
    std::mt19937 rng(7);
    for (int i = 0; i < 3; ++i) {
        std::vector<uint8_t> px(48);
        for (auto& v : px)
            v = rng() % 4;
        plan.frames.push_back(Frame(0, 0, 8, 6, px));
        plan.frames.back().disposal = 2;
        plan.frames.back().transparentIndex = 1;
        plan.frames.back().interlaced = i == 1;
    }
    const std::string gif = EncodeGif(plan);
    const Played whole = Play(gif, 3);
    // Where the data of each frame ends (the file without frames after it and
    // without its trailer).
    std::vector<size_t> frameEnd;
    for (size_t k = 1; k <= plan.frames.size(); ++k) {
        GifPlan part = plan;
        part.frames.resize(k);
        frameEnd.push_back(EncodeGif(part).size() - 1);
    }
    for (size_t n = 0; n <= gif.size(); ++n) {
        SCOPED_TRACE(n);
        GifAnimation a;
        const GifResult r = a.Open(Bytes(gif), n);
        if (n <= 13 + 12) {
            EXPECT_NE(r, GifResult::kOk);
            continue;
        }
        if (r != GifResult::kOk) {
            EXPECT_EQ(r, GifResult::kNoImage);
            continue;
        }
        a.Restart();
        // Every round ends; the frames complete in the data come out unchanged.
        for (size_t round = 0; round < 8; ++round) {
            a.Step();
            if (round < frameEnd.size() && frameEnd[round] <= n) {
                EXPECT_EQ(Picture(a.canvas()), whole.pictures[round]);
            }
        }
    }
    // A truncation inside the first frame's data still shows a (partial) image.
    GifAnimation a;
    EXPECT_EQ(a.Open(Bytes(gif), frameEnd[0] - 5), GifResult::kOk);
}

}  // namespace
}  // namespace velmora

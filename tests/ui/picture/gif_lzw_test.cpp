// Covers: the LZW decoder on its own.
//  - round trip with the encoder for every minimum code size, noise and runs
//    (table resets at 4096 entries), decoded whole and in small pieces (strings
//    cut across calls);
//  - the code being defined (KwKwK), clear codes in the middle;
//  - invalid codes: beyond the next entry, the next entry right after a clear,
//    bad minimum code sizes;
//  - a full table without a clear code (deferred clear);
//  - data ending before the end code.
#include <gtest/gtest.h>

#include <random>

#include "tests/ui/picture/gif_text.h"
#include "ui/picture/gif_encoder.h"
#include "ui/picture/gif_lzw.h"

namespace velmora {
namespace {

using testing::Bytes;
using testing::PackCodes;

std::vector<uint8_t> DecodeAll(const std::string& codes, unsigned minCodeSize, size_t capacity,
                               size_t piece, LzwState* state = nullptr) {
    LzwDecoder d;
    EXPECT_TRUE(d.Start(minCodeSize, Bytes(codes), codes.size()));
    std::vector<uint8_t> out(capacity + LzwDecoder::kSlack);
    size_t n = 0;
    while (n < capacity) {
        const size_t want = std::min(piece, capacity - n);
        const size_t got = d.Decode(out.data() + n, want);
        n += got;
        if (got < want)
            break;
    }
    if (state)
        *state = d.state();
    out.resize(n);
    return out;
}

TEST(Lzw, RoundTripWholeAndInPieces) {
    std::mt19937 rng(1);
    for (unsigned minCodeSize = 2; minCodeSize <= 8; ++minCodeSize) {
        for (int kind = 0; kind < 2; ++kind) {
            SCOPED_TRACE(::testing::Message() << minCodeSize << " " << kind);
            std::vector<uint8_t> px(20000);
            uint8_t v = 0;
            for (auto& p : px) {
                if (kind == 0 || rng() % 32 == 0)
                    v = rng() % (1u << minCodeSize);
                p = v;
            }
            const std::string codes = LzwCompress(px.data(), px.size(), minCodeSize);
            for (size_t piece : {size_t(1), size_t(3), size_t(97), px.size()}) {
                LzwState state;
                EXPECT_EQ(DecodeAll(codes, minCodeSize, px.size() + 10, piece, &state), px);
                EXPECT_EQ(state, LzwState::kEnded);
            }
        }
    }
}

TEST(Lzw, CodeBeingDefinedAndClearInTheMiddle) {
    // 1, then 6 (= the entry being defined: "1" + "1"), clear, 2, 2, end.
    const std::string codes = PackCodes(2, {4, 1, 6, 4, 2, 2, 5});
    LzwState state;
    EXPECT_EQ(DecodeAll(codes, 2, 100, 100, &state), (std::vector<uint8_t>{1, 1, 1, 2, 2}));
    EXPECT_EQ(state, LzwState::kEnded);
}

TEST(Lzw, InvalidCodesStopTheImage) {
    const std::vector<std::vector<uint32_t>> bad = {
        {4, 6},           // the next entry with no previous code
        {4, 1, 7},        // beyond the next entry (6)
        {4, 1, 2, 4, 6},  // the next entry right after a clear
    };
    for (const auto& c : bad) {
        LzwState state;
        DecodeAll(PackCodes(2, c), 2, 100, 100, &state);
        EXPECT_EQ(state, LzwState::kInvalidCode);
    }
    LzwDecoder d;
    EXPECT_FALSE(d.Start(1, nullptr, 0));
    EXPECT_FALSE(d.Start(9, nullptr, 0));
    EXPECT_FALSE(d.Start(0, nullptr, 0));
}

TEST(Lzw, FullTableWithoutClearKeepsDecoding) {
    // Literals only: 4090 of them fill the table (entries 6..4095), then more
    // literals and a reference to entry 4095 follow at 12 bits without a clear.
    std::vector<uint32_t> codes = {4};
    std::vector<uint8_t> expected;
    for (int i = 0; i < 4100; ++i) {
        codes.push_back(i % 4);
        expected.push_back(i % 4);
    }
    // Entry 4095 was made from the 4090th and 4091st literals: (4089 % 4), (4090 % 4).
    codes.push_back(4095);
    expected.push_back(4089 % 4);
    expected.push_back(4090 % 4);
    codes.push_back(5);
    LzwState state;
    EXPECT_EQ(DecodeAll(PackCodes(2, codes), 2, 10000, 10000, &state), expected);
    EXPECT_EQ(state, LzwState::kEnded);
}

TEST(Lzw, DataEndingEarlyKeepsWhatWasDecoded) {
    std::string codes = PackCodes(8, {256, 10, 20, 30, 40, 257});
    codes.resize(5);  // 40 bits: four 9-bit codes and a piece of the fifth
    LzwState state;
    const auto out = DecodeAll(codes, 8, 100, 100, &state);
    EXPECT_EQ(out, (std::vector<uint8_t>{10, 20, 30}));
    EXPECT_EQ(state, LzwState::kOutOfData);
}

}  // namespace
}  // namespace velmora

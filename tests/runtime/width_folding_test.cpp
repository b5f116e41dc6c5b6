// Covers: width folding of GBK text.
//  - every row of the folding table (space, tilde, stars, A3 A1..A3 FE incl. the yen
//    sign and the macron), and that neighbours of those codes are kept;
//  - other two-byte characters and single bytes are copied unchanged, pairs stay
//    aligned (a trail byte that looks like ASCII is never read as a character);
//  - a lead byte before the terminating zero is dropped; null gives "";
//  - ReadFolded agrees with FoldWidth and never steps past the terminator.
#include <gtest/gtest.h>

#include <string>

#include "runtime/width_folding.h"

namespace velmora {
namespace {

TEST(WidthFolding, TableRows) {
    EXPECT_EQ(FoldWidth("\xA1\xA1"), " ");
    EXPECT_EQ(FoldWidth("\xA1\xAB"), "~");
    EXPECT_EQ(FoldWidth("\xA1\xEE\xA1\xEF"), "**");
    EXPECT_EQ(FoldWidth("\xA3\xA1"), "!");
    EXPECT_EQ(FoldWidth("\xA3\xA4"), "$");  // full-width yen sign
    EXPECT_EQ(FoldWidth("\xA3\xFE"), "~");  // full-width macron
    EXPECT_EQ(FoldWidth("\xA3\xB0\xA3\xB9\xA3\xAB\xA3\xAD\xA3\xAE"), "09+-.");
    EXPECT_EQ(FoldWidth("\xA3\xC5\xA3\xE5\xA3\xC4\xA3\xE4"), "EeDd");
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
        char text[3] = {'\xA3', static_cast<char>(trail), 0};
        ASSERT_EQ(FoldWidth(text), std::string(1, static_cast<char>(trail - 0x80))) << trail;
    }
}

TEST(WidthFolding, OtherCharactersAreKept) {
    const char* kept[] = {"\xA1\xA2", "\xA1\xAC", "\xA1\xED", "\xA1\xF0", "\xA3\xA0",
                          "\xA3\xFF", "\xA2\xB0", "\xA4\xA1", "\xCD\xA3", "\x81\x40"};
    for (const char* k : kept)
        EXPECT_EQ(FoldWidth(k), k);
    EXPECT_EQ(FoldWidth("440Hz \t"), "440Hz \t");
    // The trail byte 0x35 ('5') belongs to its lead byte: nothing folds, nothing splits.
    EXPECT_EQ(FoldWidth("\x81\x35\xA3\xB1"),
              "\x81\x35"
              "1");
    // "A3" as a trail byte is not the start of a full-width character.
    EXPECT_EQ(FoldWidth("\x81\xA3\xB1"), "\x81\xA3");
}

TEST(WidthFolding, LoneLeadByteAtTheEndIsDropped) {
    EXPECT_EQ(FoldWidth("12\xA3"), "12");
    EXPECT_EQ(FoldWidth("\xA3\xB1\xA3"), "1");
    EXPECT_EQ(FoldWidth(""), "");
    EXPECT_EQ(FoldWidth(nullptr), "");
}

TEST(WidthFolding, ReadFoldedStepsThroughTheText) {
    // A buffer whose terminator is the last byte, so reading past it would be caught
    // by the sanitizers.
    const char raw[] = "1\xA3\xB2\xCD\xA3\xA1\xA1\xFF";
    const uint8_t* p = reinterpret_cast<const uint8_t*>(raw);
    const uint8_t* next;
    EXPECT_EQ(ReadFolded(p, &next), '1');
    EXPECT_EQ(next, p + 1);
    EXPECT_EQ(ReadFolded(next, &next), '2');
    EXPECT_EQ(ReadFolded(next, &next), kUnfoldedCharacter);
    EXPECT_EQ(ReadFolded(next, &next), ' ');
    const uint8_t* last = next;
    EXPECT_EQ(ReadFolded(last, &next), 0);  // lone lead byte 0xFF
    EXPECT_EQ(next, last + 1);
    EXPECT_EQ(ReadFolded(next, &next), 0);  // the terminator itself stays put
    EXPECT_EQ(next, reinterpret_cast<const uint8_t*>(raw) + sizeof raw - 1);
}

}  // namespace
}  // namespace velmora

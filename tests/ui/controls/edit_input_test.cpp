// Covers: the edit box's input modes and spin arithmetic.
//  - the typed-character filter of every mode (control characters always pass);
//  - rewriting on focus loss: integer modes limited to their ranges, parsed
//    saturating (never wrapping round), "0" becoming empty; the shortest round-trip
//    texts of modes 9 and 10; dates and times of mode 11, the zero date and
//    invalid dates becoming empty;
//  - the automatic spin wrapping round at both ends.
#include <gtest/gtest.h>

#include "ui/controls/edit_input.h"

namespace velmora {
namespace {

TEST(EditInput, TypedCharactersByMode) {
    const struct {
        int32_t mode;
        const char* accepted;
        const char* refused;
    } cases[] = {
        {0, "a-.9x", ""},   {1, "a-.9", ""},   {2, "a-.9", ""},     {3, "0-9", "a.x+"},
        {4, "0-9.", "ax+"}, {5, "09", "-.a"},  {6, "0-9", ".a"},    {7, "0-9", ".ax"},
        {8, "0-9", ".a"},   {9, "0-9.", "ae"}, {10, "0-9.", "ae+"}, {11, "a-:9", ""},
    };
    for (const auto& c : cases) {
        for (const char* p = c.accepted; *p; ++p)
            EXPECT_TRUE(AcceptsTypedCharacter(c.mode, static_cast<unsigned char>(*p)))
                << c.mode << *p;
        for (const char* p = c.refused; *p; ++p)
            EXPECT_FALSE(AcceptsTypedCharacter(c.mode, static_cast<unsigned char>(*p)))
                << c.mode << *p;
        EXPECT_TRUE(AcceptsTypedCharacter(c.mode, '\b'));
        EXPECT_TRUE(AcceptsTypedCharacter(c.mode, 0x16));  // Ctrl+V
    }
    EXPECT_FALSE(AcceptsTypedCharacter(7, 0xFF11));  // a full-width digit is not a digit here
}

TEST(EditInput, RewritingOnFocusLoss) {
    const std::string nines11(11, '9'), nines20(20, '9');
    const struct {
        int32_t mode;
        std::string text, result;
    } cases[] = {
        {7, "007", "7"},
        {7, "0", ""},
        {7, "", ""},
        {7, nines11, "2147483647"},
        {7, "-" + nines11, "-2147483648"},
        {7, "  -12x", "-12"},
        {7, "+5", "5"},
        {7, "abc", ""},
        {5, "256", "255"},
        {5, "4294967295", "255"},  // saturates, never wraps round to -1
        {5, "-3", ""},
        {6, nines11, "32767"},
        {6, "-40000", "-32768"},
        {8, nines20, "9223372036854775807"},
        {8, "-" + nines20, "-9223372036854775808"},
        {8, "-9223372036854775808", "-9223372036854775808"},
        {9, "0.1", "0.1"},
        {9, "3.14159265358979", "3.1415927"},
        {9, "1e39", "3.4028235e+38"},
        {9, "-0", ""},
        {10, "0.1", "0.1"},
        {10, "-2.50", "-2.5"},
        {10, "1e400", "1.7976931348623157e+308"},
        {10, "000", ""},
        {11, "2026-12-09", "2026-12-09"},
        {11, "2026/1/2 7:05", "2026-01-02 07:05:00"},
        {11, " 2024.02.29 23:59:59 ", "2024-02-29 23:59:59"},
        {11, "2026年12月9日", "2026-12-09"},
        {11, "2023-02-29", ""},
        {11, "2026-13-01", ""},
        {11, "2026-12-09 24:00", ""},
        {11, "1899-12-30", ""},  // the zero date
        {11, "1899-12-30 00:00:01", "1899-12-30 00:00:01"},
        {11, "yesterday", ""},
        {11, "2026-12-09x", ""},
    };
    for (const auto& c : cases) {
        std::optional<std::string> r = RewriteForInputMode(c.mode, c.text);
        ASSERT_TRUE(r.has_value()) << c.mode << " " << c.text;
        EXPECT_EQ(*r, c.result) << c.mode << " [" << c.text << "]";
    }
    for (int32_t mode : {0, 1, 2, 3, 4})
        EXPECT_FALSE(RewriteForInputMode(mode, "007").has_value()) << mode;
}

TEST(EditInput, TheSpinWrapsRoundAtBothEnds) {
    const struct {
        const char* text;
        bool up;
        int32_t result;
    } cases[] = {
        {"20", true, 15}, {"15", false, 20},        {"", true, 15},   {"100", false, 20},
        {"17", true, 18}, {"17", false, 16},        {"14", true, 15}, {"21", false, 20},
        {"x", false, 20}, {"2147483647", true, 15},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpinStep(c.text, 15, 20, c.up), c.result) << c.text << " " << c.up;
    EXPECT_EQ(SpinStep("-2147483648", INT32_MIN, INT32_MAX, false), INT32_MAX);
}

}  // namespace
}  // namespace velmora

// Covers: the conversions that handlers use.
//  - ToNumber's grammar: white space, signs, digits with one point (5. and .5),
//    exponents marked e, E, d, D with or without sign, a marker without digits,
//    stopping at the first byte that does not fit, texts without a number;
//  - full-width digits, signs, points and markers read like ASCII; an ideographic
//    space ends a number; an unfolded two-byte character ends it; null gives 0;
//  - overflow to +-infinity, underflow to +-0, negative zero, huge exponents and
//    very long digit strings (no overflow of the exponent arithmetic);
//  - ToText on the integer range ends, zero and as a service command (fresh block,
//    tag 0), other kinds; ToNumber as a service command on texts and numbers;
//  - TruncateToInteger toward zero, at and beyond the 64-bit range, NaN and
//    infinities, and the low 32 bits the program uses (wrapping, indefinite -> 0);
//  - CompareText's null rules and unsigned byte order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "runtime/conversions.h"
#include "runtime/text_block.h"

namespace velmora {
namespace {

uint64_t Bits(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

// Compares bit for bit, so that -0 and 0 differ.
#define EXPECT_NUMBER(text, expected) \
    EXPECT_EQ(Bits(ToNumber(text)), Bits(expected)) << "text: " << (text)

const double kInf = std::numeric_limits<double>::infinity();

TEST(ToNumber, Grammar) {
    EXPECT_NUMBER("", 0.0);
    EXPECT_NUMBER("440", 440.0);
    EXPECT_NUMBER("   440", 440.0);
    EXPECT_NUMBER(" \t\n\v\f\r440", 440.0);
    EXPECT_NUMBER("440Hz", 440.0);
    EXPECT_NUMBER("+1e3", 1000.0);
    EXPECT_NUMBER("1d3", 1000.0);
    EXPECT_NUMBER("1D3", 1000.0);
    EXPECT_NUMBER("1E+3", 1000.0);
    EXPECT_NUMBER("25e-1", 2.5);
    EXPECT_NUMBER("1e", 1.0);
    EXPECT_NUMBER("1e+", 1.0);
    EXPECT_NUMBER("1e-x", 1.0);
    EXPECT_NUMBER("1ee3", 1.0);
    EXPECT_NUMBER("-", 0.0);
    EXPECT_NUMBER("+", 0.0);
    EXPECT_NUMBER(".", 0.0);
    EXPECT_NUMBER("-.", 0.0);
    EXPECT_NUMBER("e5", 0.0);
    EXPECT_NUMBER(".5", 0.5);
    EXPECT_NUMBER("5.", 5.0);
    EXPECT_NUMBER("-.5e1", -5.0);
    EXPECT_NUMBER("0x1A", 0.0);
    EXPECT_NUMBER("1,000", 1.0);
    EXPECT_NUMBER("1.2.3", 1.2);
    EXPECT_NUMBER("+-1", 0.0);
    EXPECT_NUMBER("- 1", 0.0);
    EXPECT_NUMBER("inf", 0.0);
    EXPECT_NUMBER("nan", 0.0);
    EXPECT_NUMBER("000440.000", 440.0);
    EXPECT_NUMBER("0.1", 0.1);
    EXPECT_NUMBER("123.456e-2", 1.23456);
    EXPECT_NUMBER("1e0000000000000000000000000003", 1000.0);
    EXPECT_NUMBER(nullptr, 0.0);
}

TEST(ToNumber, SignsAndZeros) {
    EXPECT_NUMBER("-0", -0.0);
    EXPECT_NUMBER("-0.000e99", -0.0);
    EXPECT_NUMBER("+0", 0.0);
    EXPECT_NUMBER("-440", -440.0);
    EXPECT_NUMBER("-abc", 0.0);  // not a number: plain 0, not -0
}

TEST(ToNumber, FullWidthForms) {
    EXPECT_NUMBER("\xA3\xB4\xA3\xB4\xA3\xB0", 440.0);
    // 1, 2, ideographic space, 3: the space ends the number.
    EXPECT_NUMBER("\xA3\xB1\xA3\xB2\xA1\xA1\xA3\xB3", 12.0);
    // Ideographic spaces before the number are white space.
    EXPECT_NUMBER(
        "\xA1\xA1\xA1\xA1"
        "7",
        7.0);
    // Full-width minus, point, exponent letters and plus.
    EXPECT_NUMBER("\xA3\xAD\xA3\xB1\xA3\xAE\xA3\xB5\xA3\xE5\xA3\xAB\xA3\xB2", -150.0);
    EXPECT_NUMBER("\xA3\xB2\xA3\xC4\xA3\xB2", 200.0);
    // Mixed widths.
    EXPECT_NUMBER(
        "4\xA3\xB4"
        "0.5",
        440.5);
    // A character that does not fold ends the number, as does a lone lead byte.
    EXPECT_NUMBER(
        "12\xCD\xA3"
        "3",
        12.0);
    EXPECT_NUMBER("12\xA3", 12.0);
    EXPECT_NUMBER(
        "\xCD\xA3"
        "12",
        0.0);
    // The yen sign and the stars are not part of a number.
    EXPECT_NUMBER(
        "\xA3\xA4"
        "5",
        0.0);
}

TEST(ToNumber, RangeEnds) {
    EXPECT_NUMBER("1e999", kInf);
    EXPECT_NUMBER("-1e999", -kInf);
    EXPECT_NUMBER("1e99999999999999999999999", kInf);
    EXPECT_NUMBER("1e-400", 0.0);
    EXPECT_NUMBER("-1e-400", -0.0);
    EXPECT_NUMBER("1e-99999999999999999999999", 0.0);
    EXPECT_NUMBER("0e99999999999999999999999", 0.0);
    EXPECT_NUMBER("1.7976931348623157e308", std::numeric_limits<double>::max());
    EXPECT_NUMBER("1.7976931348623159e308", kInf);
    EXPECT_NUMBER("4.9406564584124654e-324", std::numeric_limits<double>::denorm_min());
    EXPECT_NUMBER("2.2250738585072014e-308", std::numeric_limits<double>::min());
    EXPECT_NUMBER("2.2250738585072011e-308", 2.2250738585072009e-308);
}

TEST(ToNumber, LongDigitStrings) {
    // A thousand zeros after the point, then a digit.
    std::string tiny = "0." + std::string(1000, '0') + "1e1100";
    EXPECT_NUMBER(tiny.c_str(), 1e99);
    // A thousand-digit integer part scaled back down.
    std::string big = "1" + std::string(1000, '0') + "e-1000";
    EXPECT_NUMBER(big.c_str(), 1.0);
    // Trailing zeros beyond the kept digits do not make a value inexact.
    EXPECT_NUMBER("4400000000000000000000000000000000000000", 4.4e39);
    // 2^53 + 1 is halfway: it rounds to even unless any later digit is nonzero.
    EXPECT_NUMBER("9007199254740993", 9007199254740992.0);
    std::string above = "9007199254740993." + std::string(2000, '0') + "1";
    EXPECT_NUMBER(above.c_str(), 9007199254740994.0);
    // A million digits.
    std::string million(1000000, '9');
    EXPECT_NUMBER(million.c_str(), kInf);
    std::string fraction = "0." + std::string(1000000, '3');
    EXPECT_NUMBER(fraction.c_str(), 1.0 / 3.0);
}

TEST(ToNumber, ServiceCommand) {
    TypedValue arg = MakeText("  -2.5x");
    TypedValue result = CallServiceCommand(static_cast<ServiceCommand>(&ToNumber), 1, &arg);
    EXPECT_EQ(result.tag, 0u);
    EXPECT_EQ(DoubleOf(result), -2.5);

    TypedValue integer = MakeInteger(-7);
    result = CallServiceCommand(static_cast<ServiceCommand>(&ToNumber), 1, &integer);
    EXPECT_EQ(DoubleOf(result), -7.0);
    TypedValue d = MakeDouble(1.25);
    result = CallServiceCommand(static_cast<ServiceCommand>(&ToNumber), 1, &d);
    EXPECT_EQ(DoubleOf(result), 1.25);

    TypedValue omitted;
    result = CallServiceCommand(static_cast<ServiceCommand>(&ToNumber), 1, &omitted);
    EXPECT_EQ(Bits(DoubleOf(result)), 0u);
    result = CallServiceCommand(static_cast<ServiceCommand>(&ToNumber), 0, nullptr);
    EXPECT_EQ(Bits(DoubleOf(result)), 0u);
    TypedValue nullText = MakeText(nullptr);
    result = CallServiceCommand(static_cast<ServiceCommand>(&ToNumber), 1, &nullText);
    EXPECT_EQ(Bits(DoubleOf(result)), 0u);
}

std::string TakeText(char* block) {
    std::string s = block ? block : "";
    FreeBlock(block);
    return s;
}

TEST(ToText, Integers) {
    EXPECT_EQ(TakeText(ToText(0)), "0");
    EXPECT_EQ(TakeText(ToText(440)), "440");
    EXPECT_EQ(TakeText(ToText(-1)), "-1");
    EXPECT_EQ(TakeText(ToText(INT32_MAX)), "2147483647");
    std::string minimum = TakeText(ToText(INT32_MIN));
    EXPECT_EQ(minimum, "-2147483648");
    EXPECT_EQ(minimum.size(), 11u);
}

TEST(ToText, ServiceCommand) {
    TypedValue arg = MakeInteger(-2147483647 - 1);
    TypedValue result = CallServiceCommand(static_cast<ServiceCommand>(&ToText), 1, &arg);
    EXPECT_EQ(result.tag, 0u);
    ASSERT_NE(TextOf(result), nullptr);
    EXPECT_EQ(TakeText(const_cast<char*>(TextOf(result))), "-2147483648");

    arg = MakeInteger(0);
    result = CallServiceCommand(static_cast<ServiceCommand>(&ToText), 1, &arg);
    EXPECT_EQ(TakeText(const_cast<char*>(TextOf(result))), "0");

    TypedValue wide = {0xFFFFFFFFu, 0x7FFFFFFFu, kTagLong};
    result = CallServiceCommand(static_cast<ServiceCommand>(&ToText), 1, &wide);
    EXPECT_EQ(TakeText(const_cast<char*>(TextOf(result))), "9223372036854775807");

    TypedValue omitted;
    result = CallServiceCommand(static_cast<ServiceCommand>(&ToText), 1, &omitted);
    EXPECT_EQ(TextOf(result), nullptr);
}

TEST(TruncateToInteger, TowardZero) {
    EXPECT_EQ(TruncateToInteger(440.9), 440);
    EXPECT_EQ(TruncateToInteger(-1.7), -1);
    EXPECT_EQ(TruncateToInteger(-0.5), 0);
    EXPECT_EQ(TruncateToInteger(0.0), 0);
    EXPECT_EQ(TruncateToInteger(-0.0), 0);
    EXPECT_EQ(TruncateToInteger(5e-324), 0);
    EXPECT_EQ(TruncateToInteger(0.9999999999999999), 0);
    EXPECT_EQ(TruncateToInteger(1.0), 1);
    EXPECT_EQ(TruncateToInteger(4503599627370495.5), 4503599627370495);
    EXPECT_EQ(TruncateToInteger(-4503599627370495.5), -4503599627370495);
    EXPECT_EQ(TruncateToInteger(9007199254740993.0), 9007199254740992);
}

TEST(TruncateToInteger, SixtyFourBitRange) {
    // The largest doubles of magnitude below 2^63 are in range; -2^63 gives the
    // indefinite value, which is -2^63 too.
    EXPECT_EQ(TruncateToInteger(9223372036854774784.0), 9223372036854774784);
    EXPECT_EQ(TruncateToInteger(-9223372036854774784.0), -9223372036854774784);
    // What the program sees of them, the low 32 bits, tells an integer in range (its
    // bits wrap) from the indefinite value (0), where a wrapped -(2^63 + 2048) would
    // give -2048.
    EXPECT_EQ(LowInteger(TruncateToInteger(9223372036854774784.0)), -1024);
    EXPECT_EQ(LowInteger(TruncateToInteger(-9223372036854774784.0)), 1024);
    EXPECT_EQ(LowInteger(TruncateToInteger(-9223372036854775808.0)), 0);
    EXPECT_EQ(LowInteger(TruncateToInteger(-9223372036854777856.0)), 0);
    EXPECT_EQ(TruncateToInteger(9223372036854775808.0), kIntegerIndefinite);
    EXPECT_EQ(TruncateToInteger(-9223372036854777856.0), kIntegerIndefinite);
    EXPECT_EQ(TruncateToInteger(1e300), kIntegerIndefinite);
    EXPECT_EQ(TruncateToInteger(std::numeric_limits<double>::infinity()), kIntegerIndefinite);
    EXPECT_EQ(TruncateToInteger(-std::numeric_limits<double>::infinity()), kIntegerIndefinite);
    EXPECT_EQ(TruncateToInteger(std::numeric_limits<double>::quiet_NaN()), kIntegerIndefinite);
    EXPECT_EQ(static_cast<uint64_t>(kIntegerIndefinite), 0x8000000000000000ULL);
}

TEST(TruncateToInteger, LowThirtyTwoBits) {
    EXPECT_EQ(LowInteger(TruncateToInteger(4294967297.0)), 1);
    EXPECT_EQ(LowInteger(TruncateToInteger(2147483648.0)), INT32_MIN);
    EXPECT_EQ(LowInteger(TruncateToInteger(2147483647.9)), INT32_MAX);
    EXPECT_EQ(LowInteger(TruncateToInteger(-2147483649.0)), INT32_MAX);
    EXPECT_EQ(LowInteger(TruncateToInteger(-1.5)), -1);
    EXPECT_EQ(LowInteger(TruncateToInteger(ToNumber("1e999"))), 0);
    EXPECT_EQ(LowInteger(TruncateToInteger(std::numeric_limits<double>::quiet_NaN())), 0);
    EXPECT_EQ(LowInteger(TruncateToInteger(9.3e18)), 0);
}

TEST(CompareText, NullRules) {
    EXPECT_EQ(CompareText(nullptr, nullptr), 0);
    EXPECT_EQ(CompareText(nullptr, ""), 0);
    EXPECT_EQ(CompareText("", nullptr), 0);
    EXPECT_EQ(CompareText(nullptr, "停止"), -1);
    EXPECT_EQ(CompareText("停止", nullptr), 1);
    EXPECT_EQ(CompareText("", ""), 0);
}

TEST(CompareText, ByteOrder) {
    EXPECT_EQ(CompareText("停止", "停止"), 0);
    EXPECT_NE(CompareText("停止", "播放"), 0);
    EXPECT_EQ(CompareText("播放", "停止"), -CompareText("停止", "播放"));
    // Bytes compare unsigned: 0x80 and above sort after ASCII.
    EXPECT_EQ(CompareText("\x80", "\x7F"), 1);
    EXPECT_EQ(CompareText("\x7F", "\xFF"), -1);
    // No case folding; a prefix is smaller.
    EXPECT_EQ(CompareText("a", "A"), 1);
    EXPECT_EQ(CompareText("ab", "abc"), -1);
    EXPECT_EQ(CompareText("abc", "ab"), 1);
    EXPECT_EQ(CompareText("", "a"), -1);
}

}  // namespace
}  // namespace velmora

// Covers: correct rounding of ToNumber, with the same results in every build.
//  - a fixed table of hard texts (midpoints between neighbouring doubles and texts
//    just above and below them, subnormals, the overflow limit, 19 to 40 digit
//    significands) against the bits of the nearest double, in ASCII and in
//    full-width digits;
//  - the 128-bit powers of five the fast method starts from, at their seams;
//  - the fast method and the exact method agree wherever the fast one decides,
//    for random significands and exponents over the whole range;
//  - natively: random texts of every form against the C library's strtod and
//    std::from_chars (both correctly rounded here), and independence from the
//    C library's LC_NUMERIC setting.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "runtime/conversions.h"
#include "runtime/decimal_to_binary.h"
#include "runtime/powers_of_five.h"

#if !defined(_WIN32)
#include <charconv>
#endif

namespace velmora {
namespace {

struct Case {
    const char* text;
    uint64_t bits;
};

const Case kCases[] = {
#include "tests/runtime/to_number_cases.inc"
};

uint64_t Bits(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

// The text with its ASCII digits, signs, point and 'e' written in full width.
std::string FullWidth(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out += '\xA3';
        out += static_cast<char>(c | 0x80);
    }
    return out;
}

TEST(ToNumberRounding, HardCases) {
    for (const Case& c : kCases) {
        EXPECT_EQ(Bits(ToNumber(c.text)), c.bits) << c.text;
        std::string negative = std::string("-") + c.text;
        EXPECT_EQ(Bits(ToNumber(negative.c_str())), c.bits | kSignBit) << negative;
    }
}

TEST(ToNumberRounding, HardCasesInFullWidth) {
    for (const Case& c : kCases) {
        std::string text = FullWidth(c.text);
        EXPECT_EQ(Bits(ToNumber(text.c_str())), c.bits) << c.text;
    }
}

TEST(ToNumberRounding, PowersOfFiveAtTheSeams) {
    // The ends of the range, both sides of 5^0, and both sides of where the
    // approximations stop being exact (5^-27 and 5^55 still are).
    const struct {
        int q;
        Uint128Parts bits;
    } kPowers[] = {
        {-342, {0xeef453d6923bd65aULL, 0x113faa2906a13b3fULL}},
        {-28, {0xfd87b5f28300ca0dULL, 0x8bca9d6e188853fcULL}},
        {-27, {0x9e74d1b791e07e48ULL, 0x775ea264cf55347eULL}},
        {-1, {0xccccccccccccccccULL, 0xcccccccccccccccdULL}},
        {0, {0x8000000000000000ULL, 0}},
        {27, {0xcecb8f27f4200f3aULL, 0}},
        {55, {0xd0cf4b50cfe20765ULL, 0xfff4b4e3f741cf6dULL}},
        {56, {0x82818f1281ed449fULL, 0xbff8f10e7a8921a4ULL}},
        {308, {0x8e679c2f5e44ff8fULL, 0x570f09eaa7ea7648ULL}},
    };
    for (const auto& p : kPowers) {
        const Uint128Parts& bits = kPowersOfFive[p.q - kSmallestPowerOfTen];
        EXPECT_EQ(bits.high, p.bits.high) << "5^" << p.q;
        EXPECT_EQ(bits.low, p.bits.low) << "5^" << p.q;
    }
}

uint64_t ExactBitsOf(uint64_t w, int q) {
    DecimalDigits decimal;
    std::string digits = std::to_string(w);
    for (char c : digits)
        decimal.AddDigit(c - '0', true);
    decimal.Scale(q);
    return decimal.ToBits();
}

TEST(ToNumberRounding, FastAndExactMethodsAgree) {
    std::mt19937_64 random(12345);
    int decided = 0;
    for (int i = 0; i < 20000; ++i) {
        int bitLength = 1 + static_cast<int>(random() % 64);
        uint64_t w = random() >> (64 - bitLength);
        if (w == 0)
            w = 1;
        // Mostly 19-digit-or-less significands over the full exponent range, with
        // the ends of the range (subnormals, overflow) well represented.
        int q = static_cast<int>(random() % 700) - 360;
        uint64_t fast;
        if (!EiselLemire(w, q, &fast))
            continue;
        ++decided;
        ASSERT_EQ(fast, ExactBitsOf(w, q)) << w << "e" << q;
    }
    EXPECT_GT(decided, 19000);
}

TEST(ToNumberRounding, ExactMethodOnPowersOfTwo) {
    // 2^k written in decimal converts exactly, from the smallest subnormal up.
    for (int k = -1074; k <= 1023; k += 7) {
        // 2^k = 5^-k x 10^k for negative k; build it as digits of 5^-k.
        DecimalDigits decimal;
        if (k >= 0) {
            // Multiply a decimal digit string by two, k times.
            std::string digits = "1";
            for (int i = 0; i < k; ++i) {
                int carry = 0;
                for (size_t j = digits.size(); j-- > 0;) {
                    int v = (digits[j] - '0') * 2 + carry;
                    digits[j] = static_cast<char>('0' + v % 10);
                    carry = v / 10;
                }
                if (carry)
                    digits.insert(digits.begin(), static_cast<char>('0' + carry));
            }
            for (char c : digits)
                decimal.AddDigit(c - '0', true);
        } else {
            std::string digits = "1";
            for (int i = 0; i < -k; ++i) {
                int carry = 0;
                for (size_t j = digits.size(); j-- > 0;) {
                    int v = (digits[j] - '0') * 5 + carry;
                    digits[j] = static_cast<char>('0' + v % 10);
                    carry = v / 10;
                }
                if (carry)
                    digits.insert(digits.begin(), static_cast<char>('0' + carry));
            }
            for (char c : digits)
                decimal.AddDigit(c - '0', true);
            decimal.Scale(k);
        }
        uint64_t expected = k >= -1022 ? static_cast<uint64_t>(k + 1023) << 52 : 1ULL << (k + 1074);
        ASSERT_EQ(decimal.ToBits(), expected) << "2^" << k;
    }
}

#if !defined(_WIN32)

// The number that the grammar reads, as the C library would be given it.
double Reference(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

std::string RandomNumberText(std::mt19937_64& random) {
    std::string s;
    if (random() % 4 == 0)
        s += '-';
    int digits = 1 + static_cast<int>(random() % (random() % 8 == 0 ? 60 : 20));
    int point = static_cast<int>(random() % (digits + 2)) - 1;  // -1: no point
    for (int i = 0; i < digits; ++i) {
        if (i == point)
            s += '.';
        s += static_cast<char>('0' + random() % 10);
    }
    if (random() % 3 != 0) {
        s += 'e';
        s += std::to_string(static_cast<int>(random() % 700) - 350);
    }
    return s;
}

TEST(ToNumberRounding, RandomTextsAgainstTheCLibrary) {
    std::mt19937_64 random(777);
    for (int i = 0; i < 200000; ++i) {
        std::string text = RandomNumberText(random);
        ASSERT_EQ(Bits(ToNumber(text.c_str())), Bits(Reference(text))) << text;
    }
}

TEST(ToNumberRounding, ShortestAndNeighbouringTextsOfRandomDoubles) {
    std::mt19937_64 random(4242);
    char buffer[64];
    for (int i = 0; i < 100000; ++i) {
        uint64_t bits = random() & ~kSignBit;
        if ((bits >> 52) == 0x7FF)
            continue;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        for (int precision : {15, 16, 17}) {
            std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, d);
            ASSERT_EQ(Bits(ToNumber(buffer)), Bits(Reference(buffer))) << buffer;
            // The same digits with the last one changed.
            std::string text = buffer;
            size_t last = text.find('e') - 1;
            text[last] = static_cast<char>(text[last] == '9' ? '0' : text[last] + 1);
            ASSERT_EQ(Bits(ToNumber(text.c_str())), Bits(Reference(text))) << text;
        }
        // from_chars must agree wherever it gives a value.
        std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, d);
        double parsed = 0;
        std::from_chars(buffer, r.ptr, parsed);
        *r.ptr = 0;
        ASSERT_EQ(Bits(ToNumber(buffer)), Bits(parsed)) << buffer;
    }
}

TEST(ToNumberRounding, IgnoresTheNumericLocale) {
    const char* locales[] = {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    const char* chosen = nullptr;
    for (const char* l : locales) {
        if (std::setlocale(LC_NUMERIC, l)) {
            chosen = l;
            break;
        }
    }
    if (!chosen)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    double value = ToNumber("1.5");
    double comma = ToNumber("1,5");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(value, 1.5);
    EXPECT_EQ(comma, 1.0);
}

#endif

}  // namespace
}  // namespace velmora

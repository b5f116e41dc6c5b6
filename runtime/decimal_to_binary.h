#pragma once
// Decimal significands and exponents rounded to the nearest binary64 value, with
// integer arithmetic only: the result never depends on the floating-point unit's
// precision or rounding settings, nor on any locale.

#include <cstddef>
#include <cstdint>

namespace velmora {

struct Uint128Parts {
    uint64_t high;
    uint64_t low;
};

// Decimal exponents outside this range give 0 or infinity for any 19-digit significand.
constexpr int kSmallestPowerOfTen = -342;
constexpr int kLargestPowerOfTen = 308;

constexpr uint64_t kInfinityBits = 0x7FF0000000000000ULL;
constexpr uint64_t kSignBit = 0x8000000000000000ULL;

// The bits of the nonnegative double nearest to w * 10^q (ties to even), by the
// Eisel-Lemire method. Returns false, leaving *bits alone, in the rare cases where
// the 128-bit product cannot decide the rounding; the caller then uses DecimalDigits.
bool EiselLemire(uint64_t w, int64_t q, uint64_t* bits);

// An exact decimal of up to kMaxDigits significant digits (any further nonzero digit
// is remembered as `truncated`), converted by repeated binary shifts. Slow but exact
// for every input: the nearest double depends on at most 768 significant digits.
class DecimalDigits {
  public:
    static constexpr int kMaxDigits = 800;

    // Appends the next digit (0 to 9) of the significand; integerPart says whether it
    // stands before the decimal point.
    void AddDigit(int digit, bool integerPart);
    // Multiplies by 10^exponent.
    void Scale(int64_t exponent) { decimalPoint_ += exponent; }
    // The bits of the nonnegative double nearest to the value (ties to even).
    uint64_t ToBits();

  private:
    void TrimTrailingZeros();
    void ShiftRight(int k);  // divides by 2^k, 1 <= k <= kMaxShift
    void ShiftLeft(int k);   // multiplies by 2^k, 1 <= k <= kMaxShift
    void Shift(int k);       // either, any amount
    uint64_t RoundedInteger() const;

    static constexpr int kMaxShift = 60;

    // value = 0.d[0] d[1] ... d[count-1] x 10^decimalPoint
    uint8_t digits_[kMaxDigits];
    int count_ = 0;
    int64_t decimalPoint_ = 0;
    bool truncated_ = false;
};

}  // namespace velmora

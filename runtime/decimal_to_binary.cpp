#include "runtime/decimal_to_binary.h"

#include <cstring>

#include "runtime/powers_of_five.h"

namespace velmora {

namespace {

constexpr int kMantissaBits = 52;
constexpr int kExponentBias = 1023;

Uint128Parts Multiply(uint64_t a, uint64_t b) {
#if defined(__SIZEOF_INT128__)
    unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
    return {static_cast<uint64_t>(p >> 64), static_cast<uint64_t>(p)};
#else
    // Four 32x32 products; the 32-bit program has no 128-bit type.
    uint64_t aLow = static_cast<uint32_t>(a), aHigh = a >> 32;
    uint64_t bLow = static_cast<uint32_t>(b), bHigh = b >> 32;
    uint64_t lowLow = aLow * bLow;
    uint64_t highLow = aHigh * bLow;
    uint64_t lowHigh = aLow * bHigh;
    uint64_t highHigh = aHigh * bHigh;
    uint64_t middle =
        (lowLow >> 32) + static_cast<uint32_t>(highLow) + static_cast<uint32_t>(lowHigh);
    return {highHigh + (highLow >> 32) + (lowHigh >> 32) + (middle >> 32),
            (middle << 32) | static_cast<uint32_t>(lowLow)};
#endif
}

int LeadingZeros(uint64_t v) {  // v != 0
    return __builtin_clzll(v);
}

// floor(q * log2(10)) + 63, exact for |q| <= 1000 or so.
int BinaryExponentOfPowerOfTen(int q) {
    return ((217706 * q) >> 16) + 63;
}

}  // namespace

bool EiselLemire(uint64_t w, int64_t q64, uint64_t* bits) {
    if (w == 0 || q64 < kSmallestPowerOfTen) {
        *bits = 0;
        return true;
    }
    if (q64 > kLargestPowerOfTen) {
        *bits = kInfinityBits;
        return true;
    }
    int q = static_cast<int>(q64);
    int lz = LeadingZeros(w);
    w <<= lz;
    const Uint128Parts& power = kPowersOfFive[q - kSmallestPowerOfTen];

    // 55 bits of the product are needed (52 stored, the hidden bit, one for rounding
    // and one for the position of the top bit); the low word is only consulted when
    // the bits below them are all ones and a carry from it could change them.
    Uint128Parts product = Multiply(w, power.high);
    const uint64_t precisionMask = ~0ULL >> (kMantissaBits + 3);
    if ((product.high & precisionMask) == precisionMask) {
        Uint128Parts second = Multiply(w, power.low);
        product.low += second.high;
        if (second.high > product.low)
            ++product.high;
        // Outside this range 5^q is not exact in 128 bits and the product may still
        // be one unit short; let the exact method decide.
        if (product.low == ~0ULL && (q < -27 || q > 55))
            return false;
    }

    int upperBit = static_cast<int>(product.high >> 63);
    int shift = upperBit + 64 - kMantissaBits - 3;
    uint64_t mantissa = product.high >> shift;
    int power2 = BinaryExponentOfPowerOfTen(q) + upperBit - lz + kExponentBias;

    if (power2 <= 0) {
        // Subnormal (or zero): shift the extra bits out, keep one for rounding.
        if (-power2 + 1 >= 64) {
            *bits = 0;
            return true;
        }
        mantissa >>= -power2 + 1;
        mantissa += mantissa & 1;
        mantissa >>= 1;
        // Rounding up may reach the smallest normal number.
        uint64_t exponentField = mantissa < (1ULL << kMantissaBits) ? 0 : 1;
        *bits = (exponentField << kMantissaBits) | (mantissa & ((1ULL << kMantissaBits) - 1));
        return true;
    }

    // Exactly halfway between two doubles can only happen for these exponents; then
    // round to even instead of up.
    if (product.low <= 1 && q >= -4 && q <= 23 && (mantissa & 3) == 1 &&
        (mantissa << shift) == product.high) {
        mantissa &= ~1ULL;
    }
    mantissa += mantissa & 1;
    mantissa >>= 1;
    if (mantissa >= (2ULL << kMantissaBits)) {
        mantissa = 1ULL << kMantissaBits;
        ++power2;
    }
    mantissa &= ~(1ULL << kMantissaBits);
    if (power2 >= 0x7FF) {
        *bits = kInfinityBits;
        return true;
    }
    *bits = (static_cast<uint64_t>(power2) << kMantissaBits) | mantissa;
    return true;
}

void DecimalDigits::AddDigit(int digit, bool integerPart) {
    if (count_ == 0 && digit == 0) {
        // A leading zero: only its place counts.
        if (!integerPart)
            --decimalPoint_;
        return;
    }
    if (count_ < kMaxDigits) {
        digits_[count_++] = static_cast<uint8_t>(digit);
    } else if (digit != 0) {
        truncated_ = true;
    }
    if (integerPart)
        ++decimalPoint_;
}

void DecimalDigits::TrimTrailingZeros() {
    while (count_ > 0 && digits_[count_ - 1] == 0)
        --count_;
    if (count_ == 0)
        decimalPoint_ = 0;
}

void DecimalDigits::ShiftRight(int k) {
    int read = 0, write = 0;
    uint64_t n = 0;
    // Take in leading digits until the quotient has a first digit.
    for (; (n >> k) == 0; ++read) {
        if (read >= count_) {
            if (n == 0) {
                count_ = 0;
                return;
            }
            while ((n >> k) == 0) {
                n *= 10;
                ++read;
            }
            break;
        }
        n = n * 10 + digits_[read];
    }
    decimalPoint_ -= read - 1;
    const uint64_t mask = (1ULL << k) - 1;
    // n < 10 * 2^k throughout, which fits for k <= 60.
    for (; read < count_; ++read) {
        uint64_t digit = n >> k;
        n &= mask;
        digits_[write++] = static_cast<uint8_t>(digit);
        n = n * 10 + digits_[read];
    }
    while (n > 0) {
        uint64_t digit = n >> k;
        n &= mask;
        if (write < kMaxDigits) {
            digits_[write++] = static_cast<uint8_t>(digit);
        } else if (digit > 0) {
            truncated_ = true;
        }
        n *= 10;
    }
    count_ = write;
    TrimTrailingZeros();
}

void DecimalDigits::ShiftLeft(int k) {
    // Multiplying by 2^60 adds at most 19 digits; work from the last digit up into
    // a scratch area, then move the result back.
    uint8_t scratch[kMaxDigits + 20];
    int out = static_cast<int>(sizeof scratch);
    uint64_t carry = 0;  // < 2^k
    for (int i = count_ - 1; i >= 0; --i) {
        uint64_t n = (static_cast<uint64_t>(digits_[i]) << k) + carry;
        scratch[--out] = static_cast<uint8_t>(n % 10);
        carry = n / 10;
    }
    while (carry > 0) {
        scratch[--out] = static_cast<uint8_t>(carry % 10);
        carry /= 10;
    }
    int produced = static_cast<int>(sizeof scratch) - out;
    decimalPoint_ += produced - count_;
    int kept = produced < kMaxDigits ? produced : kMaxDigits;
    for (int i = kept; i < produced; ++i) {
        if (scratch[out + i] != 0)
            truncated_ = true;
    }
    std::memcpy(digits_, scratch + out, kept);
    count_ = kept;
    TrimTrailingZeros();
}

void DecimalDigits::Shift(int k) {
    while (k > kMaxShift) {
        ShiftLeft(kMaxShift);
        k -= kMaxShift;
    }
    while (k < -kMaxShift) {
        ShiftRight(kMaxShift);
        k += kMaxShift;
    }
    if (k > 0)
        ShiftLeft(k);
    if (k < 0)
        ShiftRight(-k);
}

uint64_t DecimalDigits::RoundedInteger() const {
    if (decimalPoint_ > 20)
        return ~0ULL;
    uint64_t n = 0;
    int64_t i = 0;
    for (; i < decimalPoint_ && i < count_; ++i)
        n = n * 10 + digits_[i];
    for (; i < decimalPoint_; ++i)
        n *= 10;
    // Round half to even; a truncated tail lies above the half.
    int64_t at = decimalPoint_;
    if (at >= 0 && at < count_) {
        bool up;
        if (digits_[at] == 5 && at + 1 == count_) {
            up = truncated_ || (at > 0 && (digits_[at - 1] & 1) != 0);
        } else {
            up = digits_[at] >= 5;
        }
        if (up)
            ++n;
    }
    return n;
}

uint64_t DecimalDigits::ToBits() {
    TrimTrailingZeros();
    if (count_ == 0)
        return 0;
    if (decimalPoint_ > 310)
        return kInfinityBits;  // at least 10^309
    if (decimalPoint_ < -330)
        return 0;  // below 10^-330
    // Shift amounts that bring a value with a given decimal point position below 1.
    static const int kPowerSteps[] = {1, 3, 6, 9, 13, 16, 19, 23, 26};
    const int kSteps = static_cast<int>(sizeof kPowerSteps / sizeof kPowerSteps[0]);

    // Scale into [0.5, 1), counting the binary exponent.
    int exponent = 0;
    while (decimalPoint_ > 0) {
        int n = decimalPoint_ >= kSteps ? 27 : kPowerSteps[decimalPoint_];
        ShiftRight(n);
        exponent += n;
    }
    while (decimalPoint_ < 0 || (decimalPoint_ == 0 && digits_[0] < 5)) {
        int n = -decimalPoint_ >= kSteps ? 27 : kPowerSteps[-decimalPoint_];
        ShiftLeft(n);
        exponent -= n;
    }
    // Now in [1, 2) x 2^exponent.
    --exponent;
    const int minExponent = 1 - kExponentBias;
    if (exponent < minExponent) {
        Shift(-(minExponent - exponent));  // subnormal: fewer mantissa bits
        exponent = minExponent;
    }
    if (exponent + kExponentBias >= 0x7FF)
        return kInfinityBits;

    Shift(kMantissaBits + 1);
    uint64_t mantissa = RoundedInteger();
    if (mantissa == (2ULL << kMantissaBits)) {
        mantissa >>= 1;
        ++exponent;
        if (exponent + kExponentBias >= 0x7FF)
            return kInfinityBits;
    }
    uint64_t exponentField = (mantissa & (1ULL << kMantissaBits)) ? exponent + kExponentBias : 0;
    return (exponentField << kMantissaBits) | (mantissa & ((1ULL << kMantissaBits) - 1));
}

}  // namespace velmora

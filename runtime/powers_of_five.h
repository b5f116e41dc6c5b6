#pragma once
// 128-bit approximations of 5^q, q = kSmallestPowerOfTen..kLargestPowerOfTen, as the
// decimal-to-binary conversion needs them, worked out by the compiler:
//  - q >= 0: 5^q shifted so that its top bit is bit 127, truncated;
//  - q < 0: floor(2^b / 5^-q) + 1, truncated to 128 bits with its top bit at bit 127,
//    where z is the bit length of 5^-q and b = z + 127 for q >= -27 (so the value is
//    exact in 128 bits) and b = 2z + 128 below.

#include <array>
#include <cstdint>

#include "runtime/decimal_to_binary.h"

namespace velmora {

namespace powers_of_five {

// floor(2^b / 5^k) for every b needed is floor(2^kScale / 5^k) shifted right.
constexpr int kScale = 1728;

// A nonnegative integer below 2^1760, in little-endian 32-bit words.
struct BigNumber {
    uint32_t word[55] = {};

    constexpr bool Bit(int i) const { return i >= 0 && ((word[i / 32] >> (i % 32)) & 1) != 0; }
    constexpr int BitLength() const {
        for (int i = 54; i >= 0; --i) {
            if (word[i] == 0)
                continue;
            int length = i * 32;
            for (uint32_t w = word[i]; w != 0; w >>= 1)
                ++length;
            return length;
        }
        return 0;
    }
    constexpr void MultiplyByFive() {
        uint64_t carry = 0;
        for (uint32_t& w : word) {
            uint64_t v = uint64_t{w} * 5 + carry;
            w = static_cast<uint32_t>(v);
            carry = v >> 32;
        }
    }
    constexpr void DivideByFive() {
        uint64_t remainder = 0;
        for (int i = 54; i >= 0; --i) {
            uint64_t v = (remainder << 32) | word[i];
            word[i] = static_cast<uint32_t>(v / 5);
            remainder = v % 5;
        }
    }
    // The 128 bits from bit `lowest` up; bits below bit 0 read as zeros.
    constexpr Uint128Parts Bits128(int lowest) const {
        Uint128Parts out{0, 0};
        for (int i = 127; i >= 0; --i) {
            out.high = (out.high << 1) | (out.low >> 63);
            out.low = (out.low << 1) | (Bit(lowest + i) ? 1 : 0);
        }
        return out;
    }
    constexpr bool AllOnes(int from, int to) const {
        for (int i = from; i < to; ++i)
            if (!Bit(i))
                return false;
        return true;
    }
};

constexpr std::array<Uint128Parts, kLargestPowerOfTen - kSmallestPowerOfTen + 1> Table() {
    std::array<Uint128Parts, kLargestPowerOfTen - kSmallestPowerOfTen + 1> table{};
    BigNumber power;       // 5^k
    BigNumber reciprocal;  // floor(2^kScale / 5^k)
    power.word[0] = 1;
    reciprocal.word[kScale / 32] = 1u << (kScale % 32);
    for (int k = 0; k <= -kSmallestPowerOfTen; ++k) {
        int z = power.BitLength();
        if (k <= kLargestPowerOfTen)
            table[k - kSmallestPowerOfTen] = power.Bits128(z - 128);
        if (k > 0) {
            // X = floor(2^b / 5^k) is the reciprocal without its lowest kScale - b bits;
            // X + 1 carries into X's top 128 bits only when all the bits below them
            // are ones.
            int b = k <= 27 ? z + 127 : 2 * z + 128;
            int length = reciprocal.BitLength();
            Uint128Parts top = reciprocal.Bits128(length - 128);
            if (reciprocal.AllOnes(kScale - b, length - 128) && ++top.low == 0 && ++top.high == 0)
                top.high = 1ULL << 63;
            table[-k - kSmallestPowerOfTen] = top;
        }
        power.MultiplyByFive();
        reciprocal.DivideByFive();
    }
    return table;
}

}  // namespace powers_of_five

inline constexpr auto kPowersOfFive = powers_of_five::Table();

}  // namespace velmora

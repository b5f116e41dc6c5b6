#pragma once
// The sweep's step: the next frequency after `f`, in the program's 32-bit
// arithmetic. After 2147483647 comes -2147483648, as the two's complement sum
// gives it (computed unsigned, so the wrap is defined behaviour).

#include <cstdint>

namespace velmora {

constexpr int32_t NextSweepFrequency(int32_t f) {
    return static_cast<int32_t>(static_cast<uint32_t>(f) + 1u);
}

}  // namespace velmora

// Covers: the sweep's step in 32-bit arithmetic, across zero and at the top,
// where it wraps to the bottom of the range (no undefined overflow: the host
// tests run under UBSan too).
#include <gtest/gtest.h>

#include <climits>

#include "app/sweep_frequency.h"

namespace velmora {
namespace {

TEST(SweepFrequency, StepsUpAndWrapsAtTheTop) {
    const struct {
        int32_t from, next;
    } cases[] = {
        {0, 1}, {-1, 0}, {32767, 32768}, {INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MIN + 1}};
    for (const auto& c : cases)
        EXPECT_EQ(NextSweepFrequency(c.from), c.next) << c.from;
}

}  // namespace
}  // namespace velmora

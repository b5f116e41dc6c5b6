#pragma once
// Own properties of the `Timer` (type code 0x00010020). Block, highest version 1:
//   u32 version, i32 Interval

#include <cstdint>
#include <limits>
#include <tuple>

#include "ui/controls/own_data.h"

namespace velmora {

// Global indexes of the timer's own properties.
enum TimerProperty : int32_t {
    kTimerInterval = 8,
};

struct TimerProperties {
    int32_t interval = 0;  // milliseconds between ticks; 0 = stopped

    auto Tie() const { return std::tie(interval); }
};
inline bool operator==(const TimerProperties& a, const TimerProperties& b) {
    return a.Tie() == b.Tie();
}

constexpr uint32_t kTimerHighestVersion = 1;
extern const PropertyTable kTimerPropertyTable;
// The block's fields, with the bound of a written interval.
extern const OwnLayout<TimerProperties> kTimerLayout;

}  // namespace velmora

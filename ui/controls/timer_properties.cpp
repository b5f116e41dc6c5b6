#include "ui/controls/timer_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {kTimerInterval, "Interval", PropertyKind::kInteger},
};

using P = TimerProperties;
constexpr OwnField<P> kFields[] = {
    Field<P>(kTimerInterval, &P::interval).Clamp(0, std::numeric_limits<int32_t>::max()),
};

}  // namespace

const PropertyTable kTimerPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kTimerLayout{kFields, std::size(kFields), kTimerHighestVersion, true,
                                &kTimerPropertyTable};

}  // namespace velmora

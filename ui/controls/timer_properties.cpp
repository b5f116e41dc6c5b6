#include "ui/controls/timer_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {kTimerInterval, "Interval", PropertyKind::kInteger},
};

using P = TimerProperties;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(kTimerInterval, &P::interval).Clamp(0, std::numeric_limits<int32_t>::max()),
};

}  // namespace

const PropertyTable kTimerPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kTimerLayout{kFields, std::size(kFields), kTimerHighestVersion, true,
                                &kTimerPropertyTable};

OwnDataError DecodeTimerProperties(const uint8_t* data, size_t size, TimerProperties& out) {
    return DecodeOwnData(kTimerLayout, data, size, TimerProperties{}, out);
}

std::string EncodeTimerProperties(const TimerProperties& p, uint32_t version) {
    return EncodeOwnData(kTimerLayout, p, version);
}

std::vector<OwnPropertyValue> ListTimerProperties(const TimerProperties& p) {
    return ListOwnData(kTimerLayout, p);
}

}  // namespace velmora

#include "ui/controls/timer_properties.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {8, "Interval", PropertyKind::kInteger},
};

using P = TimerProperties;
constexpr OwnField<P> kFields[] = {
    I32Field<P>(8, &P::interval),
};

}  // namespace

const PropertyTable kTimerPropertyTable = MakePropertyTable(kRows);

namespace {
const OwnLayout<P> kLayout{kFields, std::size(kFields), kTimerHighestVersion, true,
                           &kTimerPropertyTable};
}

OwnDataError DecodeTimerProperties(const uint8_t* data, size_t size, TimerProperties& out) {
    return DecodeOwnData(kLayout, data, size, TimerProperties{}, out);
}

std::string EncodeTimerProperties(const TimerProperties& p, uint32_t version) {
    return EncodeOwnData(kLayout, p, version);
}

std::vector<OwnPropertyValue> ListTimerProperties(const TimerProperties& p) {
    return ListOwnData(kLayout, p);
}

}  // namespace velmora

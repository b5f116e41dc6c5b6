#include "ui/loader/display_scale.h"

#include <algorithm>
#include <limits>

namespace velmora {

namespace {

constexpr int64_t kStoredDpi = 96;

int EffectiveDpi(int dpi) {
    return dpi > 0 ? dpi : static_cast<int>(kStoredDpi);
}

// value * numerator / denominator (denominator > 0), rounded half away from zero,
// clamped to the int32 range. All operands fit in 32 bits, so the product fits in 64.
int Scale(int value, int64_t numerator, int64_t denominator) {
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = denominator / 2;
    int64_t q = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    q = std::clamp<int64_t>(q, std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max());
    return static_cast<int>(q);
}

int NonNegative(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, 0, std::numeric_limits<int32_t>::max()));
}

}  // namespace

int DisplayScale::ToDevice(int stored) const {
    return Scale(stored, EffectiveDpi(dpi), kStoredDpi);
}

int DisplayScale::ToStored(int device) const {
    return Scale(device, kStoredDpi, EffectiveDpi(dpi));
}

bool DisplayScale::Is96() const {
    return EffectiveDpi(dpi) == kStoredDpi;
}

ScaleChangeLayout LayoutForScaleChange(int suggestedLeft, int suggestedTop, int suggestedRight,
                                       int suggestedBottom,
                                       const std::vector<PixelRect>& storedChildren,
                                       DisplayScale newScale) {
    ScaleChangeLayout layout;
    layout.window = {suggestedLeft, suggestedTop,
                     NonNegative(static_cast<int64_t>(suggestedRight) - suggestedLeft),
                     NonNegative(static_cast<int64_t>(suggestedBottom) - suggestedTop)};
    layout.children.reserve(storedChildren.size());
    for (const PixelRect& c : storedChildren) {
        layout.children.push_back({newScale.ToDevice(c.left), newScale.ToDevice(c.top),
                                   std::max(0, newScale.ToDevice(c.width)),
                                   std::max(0, newScale.ToDevice(c.height))});
    }
    return layout;
}

}  // namespace velmora

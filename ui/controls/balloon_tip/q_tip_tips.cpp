#include "ui/controls/balloon_tip/q_tip_tips.h"

#include <algorithm>
#include <cstdio>

namespace velmora {

namespace {

int32_t Limited(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

MarkupRect NormalisedTipRect(int32_t left, int32_t top, int32_t width, int32_t height) {
    const int32_t right = Limited(int64_t{left} + width);
    const int32_t bottom = Limited(int64_t{top} + height);
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

std::string IconTipText(uint32_t iconHandle, std::string_view text) {
    char handle[16];
    std::snprintf(handle, sizeof handle, "0x%X", static_cast<unsigned>(iconHandle));
    std::string out = "<table><tr><td><icon handle=";
    out += handle;
    out += "></td><td>";
    out += text;
    out += "</td></tr></table>";
    return out;
}

}  // namespace velmora

#include "ui/controls/border_styles.h"

namespace velmora {

namespace {
// The Windows values, spelled out: this file is portable.
constexpr uint32_t kWsBorder = 0x00800000;
constexpr uint32_t kWsExDlgModalFrame = 0x00000001;
constexpr uint32_t kWsExClientEdge = 0x00000200;
constexpr uint32_t kWsExStaticEdge = 0x00020000;
}  // namespace

BorderStyles AllBorderStyles() {
    return {kWsBorder, kWsExClientEdge | kWsExStaticEdge | kWsExDlgModalFrame};
}

BorderStyles BorderStylesFor(int32_t border) {
    switch (border) {
        case 1:
            return {0, kWsExClientEdge};
        case 2:
            return {0, kWsExDlgModalFrame};
        case 3:
            return {0, kWsExStaticEdge};
        case 4:
            return {0, kWsExClientEdge | kWsExDlgModalFrame};
        case 5:
            return {kWsBorder, 0};
        default:
            return {};
    }
}

}  // namespace velmora

#include "ui/controls/window/window_focus_order.h"

namespace velmora {

int NextFocusIndex(const std::vector<bool>& eligible, int current, bool forward) {
    const int n = static_cast<int>(eligible.size());
    const bool fromNowhere = current < 0 || current >= n;
    // From an entry the walk goes round once and may end at the entry itself.
    for (int step = 1; step <= n; ++step) {
        int i;
        if (fromNowhere) {
            i = forward ? step - 1 : n - step;
        } else {
            i = forward ? (current + step) % n : (current - step + n) % n;
        }
        if (eligible[i])
            return i;
    }
    return -1;
}

}  // namespace velmora

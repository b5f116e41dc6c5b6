#pragma once
// Where Tab and Shift+Tab move the focus among a window's controls.

#include <vector>

namespace velmora {

// The entry the focus moves to from `current` (-1: no entry has the focus), among
// the entries marked eligible, in creation order: the next one after it, wrapping
// round after the last (forward), or the previous one, wrapping round before the
// first. From no entry, forward gives the first eligible one and backward the last.
// -1 when none is eligible.
int NextFocusIndex(const std::vector<bool>& eligible, int current, bool forward);

}  // namespace velmora

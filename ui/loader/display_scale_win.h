#pragma once
// The display scale of windows on this system: per window where the system tells
// it (each screen may have its own), else the screen's.

#include <windows.h>

#include "ui/loader/display_scale.h"

namespace velmora {

// The scale of the screens as the system started: what a new top-level window gets.
DisplayScale SystemScale();

// The scale of the screen a window is on (its top-level window's); the system
// scale for a null window or where the system answers per screen only.
DisplayScale ScaleOfWindow(HWND hwnd);

// A system metric (SM_CXICON, ...) for a screen of that scale where the system
// answers per scale; else the metric at the system scale.
int SystemMetricAt(int index, DisplayScale scale);

// A window's rectangle in device pixels, in its parent's client coordinates for a
// child window and in screen coordinates for a top-level one.
RECT PlacedRect(HWND hwnd);

}  // namespace velmora

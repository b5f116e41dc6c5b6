#pragma once
// The live control types and service commands of library 2, the balloon tips.

#include <windows.h>

#include <string>

#include "ui/loader/control_win.h"
#include "ui/markup/markup_layout.h"

namespace velmora {

extern const ControlType kQTipControlType;  // q_tip_control_win.cpp

// Adds a tip for the window `target` to a balloon tip box (AddTip steps 3 to 6):
// the icon at `iconIndex` of its IconList (none when negative or missing), the
// text as given or in the icon's table, replacing the tip of an equal rectangle.
// False when `box` is not a balloon tip box.
bool AddTipToBox(Control* box, HWND target, const std::string& text, int32_t iconIndex,
                 const MarkupRect& rect);

}  // namespace velmora

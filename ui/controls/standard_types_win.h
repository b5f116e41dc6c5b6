#pragma once
// The live control types of the standard library, each defined beside its control.

#include "ui/loader/control_win.h"

namespace velmora {

extern const ControlType kWindowControlType;       // window_control_win.cpp
extern const ControlType kEditBoxControlType;      // edit_box_control_win.cpp
extern const ControlType kPicBoxControlType;       // pic_box_control_win.cpp
extern const ControlType kLabelControlType;        // label_control_win.cpp
extern const ControlType kButtonControlType;       // button_control_win.cpp
extern const ControlType kTimerControlType;        // timer_control_win.cpp
extern const ControlType kHyperLinkerControlType;  // hyperlinker_control_win.cpp

}  // namespace velmora

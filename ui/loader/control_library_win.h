#pragma once
// The control libraries of the program, numbered 1, 2, 3 in this order: the
// standard controls and conversions, the balloon tip box, the web address opening.

#include "runtime/library.h"
#include "ui/loader/control_win.h"

namespace velmora {

const ControlLibrary& StandardLibrary();
const ControlLibrary& ExtendedLibrary();

}  // namespace velmora

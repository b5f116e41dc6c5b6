#pragma once
// The service command of the balloon tip box (library 2, command 0).

#include "runtime/typed_value.h"

namespace velmora {

// AddTip(box, target, text, icon index[, left, top, width, height]): the box and the
// target are control references (window identifier in low, unit identifier in
// high). The box is looked up strictly: a window or unit that is not loaded, or a
// unit that is no balloon tip box, raises "指定窗口或窗口组件不存在或尚未载入". A
// target without a live window gives false. The rectangle counts only when all
// four of its arguments are given; otherwise the tip covers the whole target.
// The result is a logical: true when the tip was added.
void AddTip(TypedValue* result, int argCount, const TypedValue* args);

}  // namespace velmora

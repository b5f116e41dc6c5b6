#include <windows.h>

#include "runtime/error_service.h"
#include "ui/controls/control_types.h"
#include "ui/controls/extended_types_win.h"
#include "ui/controls/balloon_tip/q_tip_commands.h"
#include "ui/controls/balloon_tip/q_tip_tips.h"
#include "ui/loader/property_conversion.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

namespace {

constexpr char kNoSuchUnit[] = "指定窗口或窗口组件不存在或尚未载入";

TypedValue Argument(int argCount, const TypedValue* args, int i) {
    return i < argCount && args ? args[i] : TypedValue{};
}

}  // namespace

void AddTip(TypedValue* result, int argCount, const TypedValue* args) {
    // 1. The box, strictly: a unit that is not loaded or is no tip box is an error.
    const TypedValue box = Argument(argCount, args, 0);
    Control* boxControl = LiveControlOrFail(box.low, box.high);
    if (boxControl->typeCode() != kQTipTypeCode)
        RaiseErrorMessage(kNoSuchUnit);
    // 2. The target, leniently.
    const TypedValue target = Argument(argCount, args, 1);
    Control* targetControl = FindLiveControl(target.low, target.high);
    *result = MakeLogical(false);
    if (!targetControl || !targetControl->hwnd() || !IsWindow(targetControl->hwnd()))
        return;
    const std::string text = TextValueOf(Argument(argCount, args, 2)).value_or(std::string());
    const int32_t icon = IntegerOf(Argument(argCount, args, 3)).value_or(-1);
    // 4. The rectangle only when all four of its arguments are given.
    MarkupRect rect;
    bool allGiven = true;
    int32_t r[4] = {};
    for (int i = 0; i < 4; ++i) {
        const TypedValue v = Argument(argCount, args, 4 + i);
        allGiven = allGiven && v.tag != kTagOmitted;
        r[i] = IntegerOf(v).value_or(0);
    }
    if (allGiven)
        rect = NormalisedTipRect(r[0], r[1], r[2], r[3]);
    *result = MakeLogical(AddTipToBox(boxControl, targetControl->hwnd(), text, icon, rect));
}

}  // namespace velmora

// Routing control events to the program's handlers.
#include "runtime/error_service.h"
#include "ui/loader/loader_state_win.h"

namespace velmora {

UnitReference CurrentEventSource() {
    return Loader().currentSource;
}

EventOutcome RaiseEvent(uint32_t windowId, uint32_t unitId, int eventIndex, int argCount,
                        const TypedValue* args, bool wantResult) {
    EventOutcome outcome;
    LoaderState& s = Loader();
    if (EventsSuppressed())
        return outcome;
    LiveWindow* window = FindLiveWindow(windowId);
    if (!window)
        RaiseErrorMessage("未找到引发事件的窗口");
    int index = UnitIndex(*window, unitId);
    if (index < 0)
        RaiseErrorMessage("未找到引发事件的窗口组件");

    // Follow event links to the unit whose bindings apply. Links are followed at
    // most once per unit, so a cycle of links cannot hold the program.
    int bindingsOf = index;
    std::vector<bool> visited(window->units.size(), false);
    visited[index] = true;
    for (;;) {
        const UnitRecord& u = window->description->units[bindingsOf];
        if (!u.eventLink)
            break;
        int linked = UnitIndex(*window, u.eventLink);
        if (linked < 0 || visited[linked])
            break;
        if (window->description->units[linked].typeCode != u.typeCode)
            break;
        visited[linked] = true;
        bindingsOf = linked;
    }

    const ControlType* type = FindControlType(window->description->units[index].typeCode);
    if (!type || !(type->flags & kTypeWindowedUnit))
        RaiseErrorMessage("引发事件的窗口组件无效");

    EventHandler handler = nullptr;
    for (const ResolvedBinding& b : window->units[bindingsOf].bindings) {
        if (b.eventIndex == eventIndex) {
            handler = b.handler;
            break;
        }
    }
    if (!handler)
        return outcome;

    const UnitReference source{windowId, window->description->units[index].unitId};
    const UnitReference outer = s.currentSource;
    s.currentSource = source;
    TypedValue result = handler(argCount, args);
    // Cleared afterwards; a handler that ran inside another (through a nested loop
    // or ProcessPendingEvents) gives the outer one its source back.
    s.currentSource = outer;
    outcome.handled = true;
    if (wantResult) {
        outcome.resultPresent = true;
        outcome.result = result;
    }
    return outcome;
}

}  // namespace velmora

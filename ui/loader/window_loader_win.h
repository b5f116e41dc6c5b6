#pragma once
// The window loader: builds live windows from the stored descriptions, serves
// property reads and writes by (window, unit, property index), routes control
// events to the program's handlers, and runs the message loop.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/event_suppression.h"
#include "runtime/typed_value.h"
#include "ui/loader/control_library_win.h"
#include "ui/loader/control_win.h"
#include "ui/loader/description_set.h"

namespace velmora {

// A handler of the program. Handlers of this program take no arguments and return
// nothing; the few events with arguments or results pass them through here.
using EventHandler = TypedValue (*)(int argCount, const TypedValue* args);

// Adapts a routine without arguments or results to an EventHandler.
template <void (*Routine)()>
TypedValue AsHandler(int, const TypedValue*) {
    Routine();
    return TypedValue{};
}

// A stored handler reference and the routine it names.
struct HandlerEntry {
    uint32_t storedRef;
    EventHandler handler;
};

// ---- Control types --------------------------------------------------------

// Registers a control type under its type code (library number << 16 | type
// number); a later registration replaces an earlier one.
void RegisterControlType(uint32_t typeCode, const ControlType* type);
const ControlType* FindControlType(uint32_t typeCode);

// Initialises a library as library `number` and registers its control types.
void InitialiseLibrary(int number, const ControlLibrary& library);
// Tells every initialised library, in order, that the program is ending.
void NotifyLibrariesProgramEnding();

// ---- Descriptions ---------------------------------------------------------

// Parses the stored descriptions and resolves every handler reference through
// `handlers`. On any fault raises "载入窗口模板数据段出错!" (does not return).
void ReadDescriptions(const uint8_t* data, size_t size, const std::vector<HandlerEntry>& handlers);
// Destroys any live window and forgets the descriptions (shutdown).
void ReleaseDescriptions();

// ---- Loading ----------------------------------------------------------------

// Loads the start-up window, non-modal and without owner; raises
// "载入启动窗口失败" when it cannot.
void LoadStartupWindow(uint32_t windowId);
// The load-window service. ownerWindowId 0 = no owner. For a modal window returns
// only after the window has closed.
bool LoadWindow(uint32_t windowId, uint32_t ownerWindowId, bool modal);

// Whether the window is loaded, and its live window handle (null when not).
bool IsWindowLoaded(uint32_t windowId);
HWND WindowHandle(uint32_t windowId);
// The live control of a unit (unit 0 = the window's own), or null.
Control* FindLiveControl(uint32_t windowId, uint32_t unitId);
// The strict lookup: raises "指定窗口或窗口组件不存在或尚未载入" when not found.
Control* LiveControlOrFail(uint32_t windowId, uint32_t unitId);
// The units of a window in creation order (the window's own unit last is NOT
// included): for the window type's key handling and Tab order.
std::vector<const UnitRecord*> ControlsInCreationOrder(uint32_t windowId);

// Called by the window type when a window is asked to close and closing goes ahead:
// a modal window gives the windows it disabled their former enabled state.
void RestoreDisabledWindows(uint32_t windowId);
// Called by the window type when its window has been destroyed (WM_NCDESTROY):
// releases the window's live controls, marks it not loaded and applies the end
// rule. Deletes the window's own Control object too.
void OnWindowDestroyed(uint32_t windowId);

// ---- Properties -----------------------------------------------------------

// Member selector meaning the whole property.
constexpr int kWholeProperty = -1;

TypedValue ReadProperty(uint32_t windowId, uint32_t unitId, int index, int member = kWholeProperty);
void WriteProperty(uint32_t windowId, uint32_t unitId, int index, int member, TypedValue value);

// ---- Events -----------------------------------------------------------------

struct EventOutcome {
    bool handled = false;        // a handler ran
    bool resultPresent = false;  // a result was wanted and handed back
    TypedValue result;
};

EventOutcome RaiseEvent(uint32_t windowId, uint32_t unitId, int eventIndex, int argCount = 0,
                        const TypedValue* args = nullptr, bool wantResult = false);

// The event source while a handler runs: (0, 0) otherwise.
struct UnitReference {
    uint32_t windowId = 0;
    uint32_t unitId = 0;
};
UnitReference CurrentEventSource();

// ---- Message loop ---------------------------------------------------------

// Runs the outer loop until WM_QUIT; returns at once when no window is loaded.
// Answers the wParam of the WM_QUIT that ended it (0 when it did not run), which
// it also records as the program's quit code (-1 when retrieving a message failed).
int RunMessageLoop();
// Dispatches every message already waiting, stopping before a WM_QUIT.
void ProcessPendingEvents();

}  // namespace velmora

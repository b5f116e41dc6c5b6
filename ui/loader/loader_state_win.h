#pragma once
// The loader's program-wide state (internal to ui/loader).

#include <windows.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "ui/loader/window_loader_win.h"

namespace velmora {

struct ResolvedBinding {
    int32_t eventIndex;
    EventHandler handler;  // null = no handler
};

struct LiveUnit {
    std::unique_ptr<Control> control;  // the live-object slot
    std::vector<ResolvedBinding> bindings;
};

struct LiveWindow {
    WindowDescription* description = nullptr;
    std::vector<LiveUnit> units;  // parallel to description->units
    bool loaded = false;
    bool firstShowPending = false;
    bool modal = false;
    bool abandoning = false;                      // a failed load is being torn down
    std::vector<std::pair<HWND, bool>> disabled;  // windows a modal window disabled
};

struct LoaderState {
    DescriptionSet descriptions;
    std::vector<LiveWindow> windows;  // parallel to descriptions.windows
    std::map<uint32_t, const ControlType*> types;
    std::map<int, const ControlLibrary*> libraries;  // by number, in stored order
    UnitReference currentSource;
};

LoaderState& Loader();

// The window's live state, or null when no description has this identifier.
LiveWindow* FindLiveWindow(uint32_t windowId);
// Index of a unit in its window (unit 0 = the window's own unit), or -1.
int UnitIndex(const LiveWindow& window, uint32_t unitId);
// Whether the unit's live control still has a window.
bool IsUnitLive(const LiveWindow& window, int unitIndex);
// Whether any loaded window still has its window.
bool AnyLoadedWindowAlive();

// Creates a unit's control from `params` (its type and type code included) and
// sets its identity; null, with nothing left over, when the type has no Create or
// the control got no window.
std::unique_ptr<Control> CreateUnitControl(const CreateParams& params);

// Shows a loaded window for the first time (service step 3): clears the first-show
// mark and, for a modal window, runs its nested message loop until it closes.
void CompleteFirstShow(uint32_t windowId);

// The nested loop of a modal window (message_loop_win.cpp).
void RunNestedMessageLoop();

// Re-creates a unit's control after an own-property write (property_access_win.cpp).
// False when no new control could be made: the old one is left in its place.
bool RecreateControl(LiveWindow& window, int unitIndex);

}  // namespace velmora

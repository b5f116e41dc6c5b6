// Loading windows from their descriptions, and the window lifecycle.
#include <windows.h>

#include <algorithm>
#include <functional>

#include "runtime/error_service.h"
#include "runtime/runtime_state_win.h"
#include "ui/loader/display_scale_win.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/loader_state_win.h"
#include "ui/loader/private_messages.h"

namespace velmora {

namespace {

constexpr int kFirstControlId = 100;
constexpr int kControlIdStep = 10;

DWORD ExtraStyles(const UnitRecord& unit) {
    DWORD styles = 0;
    if (unit.flags & kUnitDisabled)
        styles |= WS_DISABLED;
    if (unit.flags & kUnitTabStop)
        styles |= WS_TABSTOP;
    return styles;
}

// What Create gets from a unit's stored record: type, own data, styles, identity,
// and the geometry in device pixels at the given scale.
CreateParams StoredCreateParams(uint32_t windowId, const UnitRecord& unit, DisplayScale scale) {
    CreateParams p;
    p.typeCode = unit.typeCode;
    p.type = FindControlType(unit.typeCode);
    p.ownData = reinterpret_cast<const uint8_t*>(unit.ownData.data());
    p.ownSize = unit.ownData.size();
    p.extraStyles = ExtraStyles(unit);
    p.left = scale.ToDevice(unit.left);
    p.top = scale.ToDevice(unit.top);
    p.width = scale.ToDevice(unit.width);
    p.height = scale.ToDevice(unit.height);
    p.windowId = windowId;
    p.unitId = unit.unitId;
    return p;
}

HWND UnitWindow(const LiveWindow& window, int index) {
    const Control* c = window.units[index].control.get();
    return c ? c->hwnd() : nullptr;
}

// Marks the window not loaded and gives up the objects of its units.
void ReleaseUnits(LiveWindow& window) {
    window.loaded = false;
    window.firstShowPending = false;
    window.modal = false;
    for (LiveUnit& u : window.units)
        Control::Retire(std::move(u.control));
}

// Destroys the window if it still has one, then releases its units.
void DestroyLiveWindow(LiveWindow& window) {
    HWND top = UnitWindow(window, 0);
    if (top && IsWindow(top))
        DestroyWindow(top);  // reaches OnWindowDestroyed through the window type
    ReleaseUnits(window);
}

// Releases everything a failed load built. Nothing of it reaches the program: the
// window's created event never ran, so neither does its being destroyed, and its
// going is not the end of the program.
void AbandonLoad(LiveWindow& window) {
    SuppressEvents();
    window.abandoning = true;
    DestroyLiveWindow(window);
    window.abandoning = false;
    ResumeEvents();
}

bool IsTopLevel(HWND h) {
    return (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) == 0;
}

// The unit that holds the keyboard focus inside the window, or -1. The walk stays
// inside the window: an owned pop-up's GetParent is its owner.
int FocusedUnit(const LiveWindow& window) {
    for (HWND h = GetFocus(); h; h = IsTopLevel(h) ? nullptr : GetParent(h)) {
        for (size_t i = 0; i < window.units.size(); ++i) {
            if (UnitWindow(window, static_cast<int>(i)) == h)
                return static_cast<int>(i);
        }
    }
    return -1;
}

// Steps 3 to 7: the window's own unit and the controls, their parents, z-order and
// pointers. Answers false when something could not be created (nothing is left).
bool CreateUnits(uint32_t windowId, LiveWindow& window, HWND owner, bool modal) {
    WindowDescription& d = *window.description;

    // 3. The window's own unit.
    CreateParams p = StoredCreateParams(windowId, d.units[0], SystemScale());
    p.owner = owner;
    p.modal = modal;
    std::unique_ptr<Control> top = CreateUnitControl(p);
    if (!top)
        return false;
    window.units[0].control = std::move(top);
    window.loaded = true;
    window.modal = false;
    HWND topHwnd = UnitWindow(window, 0);
    const DisplayScale scale = ScaleOfWindow(topHwnd);

    // 4. The controls, from the last record back to record 1.
    const int last = static_cast<int>(d.units.size()) - 1;
    int controlId = kFirstControlId;
    for (int i = last; i >= 1; --i, controlId += kControlIdStep) {
        CreateParams cp = StoredCreateParams(windowId, d.units[i], scale);
        cp.parent = topHwnd;
        cp.controlId = controlId;
        std::unique_ptr<Control> c = CreateUnitControl(cp);
        if (!c) {
            AbandonLoad(window);
            return false;
        }
        if (c->HasTypeFlag(kTypeNeverShown))
            ShowWindow(c->hwnd(), SW_HIDE);
        window.units[i].control = std::move(c);
    }

    // 5. Parents; children listed by a container start hidden.
    for (int i = 1; i <= last; ++i) {
        const UnitRecord& u = d.units[i];
        int parentIndex = u.parent ? UnitIndex(window, u.parent) : 0;
        HWND parent = parentIndex > 0 ? UnitWindow(window, parentIndex) : topHwnd;
        // Controls are created in the window: only those listed by a container move.
        if (GetParent(UnitWindow(window, i)) != parent)
            SetParent(UnitWindow(window, i), parent);
        const ControlType* type = FindControlType(u.typeCode);
        if (type && (type->flags & kTypeContainer)) {
            for (uint32_t child : u.children) {
                int c = UnitIndex(window, child);
                if (c > 0)
                    ShowWindow(UnitWindow(window, c), SW_HIDE);
            }
        }
    }

    // 6. Z-order: the control added last lies uppermost.
    for (int i = 1; i <= last; ++i) {
        HWND after = HWND_TOP;
        for (int j = i - 1; j >= 1; --j) {
            if (d.units[j].parent == d.units[i].parent) {
                after = UnitWindow(window, j);
                break;
            }
        }
        // Created from the last record back, siblings mostly lie in place already.
        HWND h = UnitWindow(window, i);
        if (GetWindow(h, GW_HWNDPREV) != (after == HWND_TOP ? nullptr : after))
            SetWindowPos(h, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // 7. Mouse pointers: every pointer a description of this program can hold is a
    //    shared system cursor, so there is nothing to make.
    return true;
}

// Sends a notification to every control in creation order, then to the window.
void NotifyUnits(LiveWindow& window, UINT msg) {
    for (int i = static_cast<int>(window.units.size()) - 1; i >= 1; --i) {
        if (HWND h = UnitWindow(window, i))
            SendMessageW(h, msg, 0, 0);
    }
    if (HWND top = UnitWindow(window, 0))
        SendMessageW(top, msg, 0, 0);
}

// The fourteen load steps. Answers false when the window could not be built; a
// window that a handler or notification closed while it was being built counts as
// loaded (and gone again), so the steps simply stop there.
bool BuildWindow(uint32_t windowId, HWND owner, bool modal) {
    LiveWindow* found = FindLiveWindow(windowId);
    if (!found)
        return false;
    LiveWindow& window = *found;
    const WindowDescription& d = *window.description;

    // 1. Already loaded: bring it forward.
    if (window.loaded && IsUnitLive(window, 0)) {
        HWND top = UnitWindow(window, 0);
        if (IsIconic(top)) {
            ShowWindow(top, SW_RESTORE);
        } else {
            SetActiveWindow(top);
        }
        return true;
    }
    // 2. A non-modal load with an owner needs the owner's window.
    if (modal)
        owner = nullptr;
    if (owner && !IsWindow(owner))
        return false;
    if (!CreateUnits(windowId, window, owner, modal))
        return false;

    const HWND topHwnd = UnitWindow(window, 0);
    HWND focusBefore = nullptr;
    // Steps 8 to 13, each run only while the window still exists: any of them may
    // reach a handler that closes it.
    const std::function<void()> steps[] = {
        // 8. Description applied (creation order, the window last), all controls present.
        [&] { NotifyUnits(window, kMsgDescriptionApplied); },
        [&] { SendMessageW(topHwnd, kMsgAllControlsPresent, 0, 0); },
        // 9. Visibility of the controls.
        [&] {
            for (size_t i = 1; i < d.units.size(); ++i) {
                HWND h = UnitWindow(window, static_cast<int>(i));
                if (!h)
                    continue;
                bool show = (d.units[i].flags & kUnitVisible) &&
                            !window.units[i].control->HasTypeFlag(kTypeNeverShown);
                const bool shown = (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0;
                if (show != shown)
                    ShowWindow(h, show ? SW_SHOWNA : SW_HIDE);
            }
        },
        // 10. Created, then moved and resized.
        [&] { RaiseEvent(windowId, 0, kEventCreated); },
        [&] { RaiseEvent(windowId, 0, kEventMoved); },
        [&] { RaiseEvent(windowId, 0, kEventResized); },
        // 11. Show the window (as the window type chose); report where the focus is.
        [&] {
            if (d.units[0].flags & kUnitVisible)
                ShowWindow(topHwnd, window.units[0].control->InitialShowCommand());
        },
        [&] {
            int focused = (d.units[0].flags & kUnitVisible) ? FocusedUnit(window) : -1;
            if (focused >= 0)
                RaiseEvent(windowId, d.units[focused].unitId, kEventFocusReceived);
        },
        // 12. A modal window disables every other loaded top-level window, owned
        //     pop-ups included.
        [&] {
            if (!modal)
                return;
            window.modal = true;
            for (LiveWindow& other : Loader().windows) {
                if (&other == &window || !other.loaded)
                    continue;
                HWND h = UnitWindow(other, 0);
                if (!h || !IsWindow(h) || !IsTopLevel(h))
                    continue;
                window.disabled.emplace_back(h, IsWindowEnabled(h) != FALSE);
                EnableWindow(h, FALSE);
            }
        },
        // 13. Window shown; the focus goes back where it was, also when that was
        //     nowhere.
        [&] {
            focusBefore = GetFocus();
            NotifyUnits(window, kMsgWindowShown);
        },
        [&] {
            if (GetFocus() != focusBefore && (!focusBefore || IsWindow(focusBefore)))
                SetFocus(focusBefore);
        },
    };
    for (const auto& step : steps) {
        step();
        if (!IsWindow(topHwnd))
            return true;
    }
    // 14.
    window.firstShowPending = true;
    return true;
}

}  // namespace

LoaderState& Loader() {
    static LoaderState state;
    return state;
}

LiveWindow* FindLiveWindow(uint32_t windowId) {
    LoaderState& s = Loader();
    for (size_t i = 0; i < s.descriptions.windows.size(); ++i) {
        if (s.descriptions.windows[i].windowId == windowId)
            return &s.windows[i];
    }
    return nullptr;
}

int UnitIndex(const LiveWindow& window, uint32_t unitId) {
    if (unitId == 0)
        return 0;
    const UnitRecord* unit = window.description->FindUnit(unitId);
    return unit ? static_cast<int>(unit - window.description->units.data()) : -1;
}

bool IsUnitLive(const LiveWindow& window, int unitIndex) {
    if (unitIndex < 0 || static_cast<size_t>(unitIndex) >= window.units.size())
        return false;
    HWND h = UnitWindow(window, unitIndex);
    return h && IsWindow(h);
}

bool AnyLoadedWindowAlive() {
    for (const LiveWindow& w : Loader().windows) {
        if (w.loaded && IsUnitLive(w, 0))
            return true;
    }
    return false;
}

std::unique_ptr<Control> CreateUnitControl(const CreateParams& params) {
    if (!params.type || !params.type->create)
        return nullptr;
    std::unique_ptr<Control> c = params.type->create(params);
    if (!c || !c->hwnd()) {
        Control::Retire(std::move(c));
        return nullptr;
    }
    c->SetIdentity(params.typeCode, params.type);
    return c;
}

// ---- Control types and libraries -------------------------------------------

void RegisterControlType(uint32_t typeCode, const ControlType* type) {
    Loader().types[typeCode] = type;
}

const ControlType* FindControlType(uint32_t typeCode) {
    auto it = Loader().types.find(typeCode);
    return it == Loader().types.end() ? nullptr : it->second;
}

namespace {
int RuntimeNotify(int, uintptr_t, uintptr_t) {
    return 0;
}
}  // namespace

void InitialiseLibrary(int number, const ControlLibrary& library) {
    if (library.notify)
        library.notify(kLibraryInitialise, RuntimeNotify);
    for (const ControlLibrary::TypeEntry& t : library.types) {
        RegisterControlType((static_cast<uint32_t>(number) << 16) | t.typeNumber, t.type);
    }
    // A library initialised again (a second start of the runtime) is still one.
    Loader().libraries[number] = &library;
}

void NotifyLibrariesProgramEnding() {
    for (const auto& [number, library] : Loader().libraries) {
        if (library->notify)
            library->notify(kLibraryProgramEnding, RuntimeNotify);
    }
}

// ---- Descriptions -------------------------------------------------------------

void ReadDescriptions(const uint8_t* data, size_t size, const std::vector<HandlerEntry>& handlers) {
    static const char kUnreadable[] = "载入窗口模板数据段出错!";
    LoaderState& s = Loader();
    DescriptionSet set;
    if (!data || ParseDescriptionSet(data, size, set) != DescriptionError::kNone) {
        RaiseErrorMessage(kUnreadable);
    }
    std::map<uint32_t, EventHandler> table;
    for (const HandlerEntry& h : handlers)
        table[h.storedRef] = h.handler;

    std::vector<LiveWindow> windows(set.windows.size());
    for (size_t w = 0; w < set.windows.size(); ++w) {
        windows[w].units.resize(set.windows[w].units.size());
        for (size_t u = 0; u < set.windows[w].units.size(); ++u) {
            for (const EventBinding& b : set.windows[w].units[u].bindings) {
                // A reference that names no routine of the program binds nothing:
                // the event is dropped like one without a binding, never called
                // into nowhere.
                EventHandler handler = nullptr;
                if (b.handlerRef != kNoHandler) {
                    auto it = table.find(b.handlerRef);
                    if (it != table.end())
                        handler = it->second;
                }
                windows[w].units[u].bindings.push_back({b.eventIndex, handler});
            }
        }
    }
    s.descriptions = std::move(set);
    s.windows = std::move(windows);
    for (size_t w = 0; w < s.windows.size(); ++w)
        s.windows[w].description = &s.descriptions.windows[w];
}

void ReleaseDescriptions() {
    LoaderState& s = Loader();
    for (LiveWindow& w : s.windows)
        DestroyLiveWindow(w);
    s.windows.clear();
    s.descriptions.windows.clear();
}

// ---- Loading --------------------------------------------------------------------

void LoadStartupWindow(uint32_t windowId) {
    if (!BuildWindow(windowId, nullptr, false))
        RaiseErrorMessage("载入启动窗口失败");
}

void CompleteFirstShow(uint32_t windowId) {
    LiveWindow* window = FindLiveWindow(windowId);
    if (!window || !window->loaded || !window->firstShowPending)
        return;
    if (!(window->description->units[0].flags & kUnitVisible))
        return;
    window->firstShowPending = false;
    if (!window->modal || !IsUnitLive(*window, 0))
        return;
    RuntimeState& r = Runtime();
    uint32_t previous = r.runningModalWindow;
    r.runningModalWindow = windowId;
    RunNestedMessageLoop();
    // The window whose loop runs further out may have been closed meanwhile (by a
    // handler of this one): its loop then ends too, instead of waiting for a close
    // that has already happened.
    r.runningModalWindow = IsWindowLoaded(previous) ? previous : 0;
}

bool LoadWindow(uint32_t windowId, uint32_t ownerWindowId, bool modal) {
    HWND owner = nullptr;
    if (ownerWindowId) {
        if (!IsWindowLoaded(ownerWindowId))
            return false;
        owner = WindowHandle(ownerWindowId);
    }
    if (!BuildWindow(windowId, owner, modal))
        return false;
    CompleteFirstShow(windowId);
    return true;
}

bool IsWindowLoaded(uint32_t windowId) {
    LiveWindow* w = FindLiveWindow(windowId);
    return w && w->loaded && IsUnitLive(*w, 0);
}

HWND WindowHandle(uint32_t windowId) {
    LiveWindow* w = FindLiveWindow(windowId);
    return w && w->loaded ? UnitWindow(*w, 0) : nullptr;
}

Control* FindLiveControl(uint32_t windowId, uint32_t unitId) {
    LiveWindow* w = FindLiveWindow(windowId);
    if (!w || !w->loaded)
        return nullptr;
    int i = UnitIndex(*w, unitId);
    return IsUnitLive(*w, i) ? w->units[i].control.get() : nullptr;
}

Control* LiveControlOrFail(uint32_t windowId, uint32_t unitId) {
    Control* c = FindLiveControl(windowId, unitId);
    if (!c)
        RaiseErrorMessage("指定窗口或窗口组件不存在或尚未载入");
    return c;
}

std::vector<const UnitRecord*> ControlsInCreationOrder(uint32_t windowId) {
    std::vector<const UnitRecord*> out;
    LiveWindow* w = FindLiveWindow(windowId);
    if (!w)
        return out;
    const std::vector<UnitRecord>& units = w->description->units;
    for (size_t i = units.size(); i-- > 1;)
        out.push_back(&units[i]);
    return out;
}

void RestoreDisabledWindows(uint32_t windowId) {
    LiveWindow* w = FindLiveWindow(windowId);
    if (!w)
        return;
    std::vector<std::pair<HWND, bool>> disabled = std::move(w->disabled);
    w->disabled.clear();
    for (const auto& [hwnd, enabled] : disabled) {
        if (!IsWindow(hwnd))
            continue;
        // Another modal window still open holds this one disabled too: it stays so,
        // and gets back the state from before the first of them when that one goes.
        bool heldElsewhere = false;
        for (LiveWindow& other : Loader().windows) {
            for (auto& [otherHwnd, otherEnabled] : other.disabled) {
                if (otherHwnd == hwnd) {
                    otherEnabled = otherEnabled || enabled;
                    heldElsewhere = true;
                }
            }
        }
        if (!heldElsewhere)
            EnableWindow(hwnd, enabled ? TRUE : FALSE);
    }
}

void OnWindowDestroyed(uint32_t windowId) {
    LiveWindow* w = FindLiveWindow(windowId);
    if (!w || !w->loaded)
        return;
    // A modal window that goes without being closed still gives back what it took.
    RestoreDisabledWindows(windowId);
    // The controls' windows are gone with their parent. The objects go as soon as
    // none of their code runs: the window's own is the caller, and a click or tick
    // handler that closed the window may be below it on the stack.
    ReleaseUnits(*w);
    RuntimeState& r = Runtime();
    if (r.runningModalWindow == windowId)
        r.runningModalWindow = 0;
    if (!w->abandoning && !r.shuttingDown && r.loopStarted && !AnyLoadedWindowAlive())
        PostQuitMessage(0);
}

}  // namespace velmora

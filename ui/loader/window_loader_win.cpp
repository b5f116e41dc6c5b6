// Loading windows from their descriptions, and the window lifecycle.
#include <windows.h>

#include <algorithm>

#include "runtime/error_service.h"
#include "runtime/runtime_state.h"
#include "ui/loader/loader_state.h"
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

// What Create gets from a unit's stored record: own data, styles, geometry, identity.
CreateParams StoredCreateParams(uint32_t windowId, const UnitRecord& unit) {
    CreateParams p;
    p.ownData = reinterpret_cast<const uint8_t*>(unit.ownData.data());
    p.ownSize = unit.ownData.size();
    p.extraStyles = ExtraStyles(unit);
    p.left = unit.left;
    p.top = unit.top;
    p.width = unit.width;
    p.height = unit.height;
    p.windowId = windowId;
    p.unitId = unit.unitId;
    return p;
}

// Pointer number 0 (and any number this program does not know) is the default
// pointer; data of length 0 gives none. Both are represented by null.
HCURSOR MakePointer(const std::string&) {
    return nullptr;
}

HWND UnitWindow(const LiveWindow& window, int index) {
    const Control* c = window.units[index].control.get();
    return c ? c->hwnd() : nullptr;
}

bool AnyLoadedWindowAlive() {
    LoaderState& s = Loader();
    for (size_t i = 0; i < s.windows.size(); ++i) {
        if (s.windows[i].loaded && IsUnitLive(s.windows[i], 0))
            return true;
    }
    return false;
}

// Releases everything a failed load built.
void AbandonLoad(LiveWindow& window) {
    HWND top = UnitWindow(window, 0);
    if (top && IsWindow(top)) {
        DestroyWindow(top);  // reaches OnWindowDestroyed through the window type
    }
    for (LiveUnit& u : window.units) {
        u.control.reset();
        u.pointer = nullptr;
    }
    window.loaded = false;
    window.firstShowPending = false;
    window.modal = false;
}

// The unit that holds the keyboard focus inside the window, or -1.
int FocusedUnit(const LiveWindow& window) {
    HWND focus = GetFocus();
    if (!focus)
        return -1;
    for (HWND h = focus; h; h = GetParent(h)) {
        for (size_t i = 0; i < window.units.size(); ++i) {
            if (UnitWindow(window, static_cast<int>(i)) == h)
                return static_cast<int>(i);
        }
        if (h == UnitWindow(window, 0))
            break;
    }
    return -1;
}

// The fourteen load steps. Answers false when the window could not be built; a
// window that a handler or notification closed while it was being built counts as
// loaded (and gone again), so the steps simply stop there.
bool BuildWindow(uint32_t windowId, HWND owner, bool modal) {
    LiveWindow* found = FindLiveWindow(windowId);
    if (!found)
        return false;
    LiveWindow& window = *found;
    WindowDescription& d = *window.description;

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

    // 3. The window's own unit.
    const UnitRecord& own = d.units[0];
    const ControlType* ownType = FindControlType(own.typeCode);
    if (!ownType || !ownType->create)
        return false;
    CreateParams p = StoredCreateParams(windowId, own);
    p.owner = owner;
    p.modal = modal;
    std::unique_ptr<Control> top = ownType->create(p);
    if (!top || !top->hwnd())
        return false;
    window.units[0].control = std::move(top);
    window.loaded = true;
    window.modal = false;
    HWND topHwnd = UnitWindow(window, 0);

    // 4. The controls, from the last record back to record 1.
    const int last = static_cast<int>(d.units.size()) - 1;
    int controlId = kFirstControlId;
    for (int i = last; i >= 1; --i, controlId += kControlIdStep) {
        const UnitRecord& u = d.units[i];
        const ControlType* type = FindControlType(u.typeCode);
        if (!type || !type->create) {
            AbandonLoad(window);
            return false;
        }
        CreateParams cp = StoredCreateParams(windowId, u);
        cp.parent = topHwnd;
        cp.controlId = controlId;
        std::unique_ptr<Control> c = type->create(cp);
        if (!c || !c->hwnd()) {
            AbandonLoad(window);
            return false;
        }
        if (type->flags & kTypeNeverShown)
            ShowWindow(c->hwnd(), SW_HIDE);
        window.units[i].control = std::move(c);
    }

    // 5. Parents; children listed by a container start hidden.
    for (int i = 1; i <= last; ++i) {
        const UnitRecord& u = d.units[i];
        int parentIndex = u.parent ? UnitIndex(window, u.parent) : 0;
        HWND parent = parentIndex > 0 ? UnitWindow(window, parentIndex) : topHwnd;
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
        SetWindowPos(UnitWindow(window, i), after, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // 7. Mouse pointers.
    for (size_t i = 0; i < d.units.size(); ++i) {
        window.units[i].pointer = MakePointer(d.units[i].pointerData);
    }

    // 8. Description applied (creation order, the window last), all controls present.
    for (int i = last; i >= 1; --i) {
        if (HWND h = UnitWindow(window, i))
            SendMessageW(h, kMsgDescriptionApplied, 0, 0);
    }
    if (!IsWindow(topHwnd))
        return true;
    SendMessageW(topHwnd, kMsgDescriptionApplied, 0, 0);
    if (!IsWindow(topHwnd))
        return true;
    SendMessageW(topHwnd, kMsgAllControlsPresent, 0, 0);
    if (!IsWindow(topHwnd))
        return true;

    // 9. Visibility of the controls.
    for (int i = 1; i <= last; ++i) {
        HWND h = UnitWindow(window, i);
        if (!h)
            continue;
        const ControlType* type = FindControlType(d.units[i].typeCode);
        bool show = (d.units[i].flags & kUnitVisible) && !(type->flags & kTypeNeverShown);
        ShowWindow(h, show ? SW_SHOWNA : SW_HIDE);
    }

    // 10. Created, then moved and resized, each only while the window exists.
    RaiseEvent(windowId, 0, 0);
    if (!IsWindow(topHwnd))
        return true;
    RaiseEvent(windowId, 0, 3);
    if (!IsWindow(topHwnd))
        return true;
    RaiseEvent(windowId, 0, 4);
    if (!IsWindow(topHwnd))
        return true;

    // 11. Show the window; report where the focus is.
    if (own.flags & kUnitVisible) {
        ShowWindow(topHwnd, window.units[0].control->InitialShowCommand());
        if (!IsWindow(topHwnd))
            return true;
        int focused = FocusedUnit(window);
        if (focused >= 0)
            RaiseEvent(windowId, window.description->units[focused].unitId, -7);
        if (!IsWindow(topHwnd))
            return true;
    }

    // 12. A modal window disables every other loaded top-level window.
    if (modal) {
        window.modal = true;
        LoaderState& s = Loader();
        for (LiveWindow& other : s.windows) {
            if (&other == &window || !other.loaded)
                continue;
            HWND h = UnitWindow(other, 0);
            if (!h || !IsWindow(h) || GetParent(h))
                continue;
            window.disabled.emplace_back(h, IsWindowEnabled(h) != FALSE);
            EnableWindow(h, FALSE);
        }
    }

    // 13. Window shown; the focus stays where it was.
    HWND focusBefore = GetFocus();
    for (int i = last; i >= 1; --i) {
        if (HWND h = UnitWindow(window, i))
            SendMessageW(h, kMsgWindowShown, 0, 0);
    }
    if (!IsWindow(topHwnd))
        return true;
    SendMessageW(topHwnd, kMsgWindowShown, 0, 0);
    if (!IsWindow(topHwnd))
        return true;
    if (GetFocus() != focusBefore && focusBefore && IsWindow(focusBefore))
        SetFocus(focusBefore);

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
    const std::vector<UnitRecord>& units = window.description->units;
    if (unitId == 0)
        return 0;
    for (size_t i = 0; i < units.size(); ++i) {
        if (units[i].unitId == unitId)
            return static_cast<int>(i);
    }
    return -1;
}

bool IsUnitLive(const LiveWindow& window, int unitIndex) {
    if (unitIndex < 0 || static_cast<size_t>(unitIndex) >= window.units.size())
        return false;
    HWND h = UnitWindow(window, unitIndex);
    return h && IsWindow(h);
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
    Loader().libraries.push_back(&library);
}

void NotifyLibrariesProgramEnding() {
    for (const ControlLibrary* library : Loader().libraries) {
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
    for (LiveWindow& w : s.windows) {
        HWND top = w.loaded ? UnitWindow(w, 0) : nullptr;
        if (top && IsWindow(top))
            DestroyWindow(top);
        for (LiveUnit& u : w.units)
            u.control.reset();
    }
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
    r.runningModalWindow = previous;
}

bool LoadWindow(uint32_t windowId, uint32_t ownerWindowId, bool modal) {
    HWND owner = nullptr;
    if (ownerWindowId) {
        if (!IsWindowLoaded(ownerWindowId))
            return false;
        owner = WindowHandle(ownerWindowId);
    }
    if (!FindLiveWindow(windowId))
        return false;
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

HCURSOR UnitPointer(uint32_t windowId, uint32_t unitId) {
    LiveWindow* w = FindLiveWindow(windowId);
    if (!w)
        return nullptr;
    int i = UnitIndex(*w, unitId);
    return i >= 0 ? w->units[i].pointer : nullptr;
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
        if (IsWindow(hwnd))
            EnableWindow(hwnd, enabled ? TRUE : FALSE);
    }
}

void OnWindowDestroyed(uint32_t windowId) {
    LiveWindow* w = FindLiveWindow(windowId);
    if (!w || !w->loaded)
        return;
    // A modal window that goes without being closed still gives back what it took.
    RestoreDisabledWindows(windowId);
    w->loaded = false;
    w->firstShowPending = false;
    w->modal = false;
    // The controls' windows are gone with their parent; drop the objects, the
    // window's own last (it may be the caller).
    std::unique_ptr<Control> own = std::move(w->units[0].control);
    for (LiveUnit& u : w->units) {
        u.control.reset();
        u.pointer = nullptr;
    }
    RuntimeState& r = Runtime();
    if (r.runningModalWindow == windowId)
        r.runningModalWindow = 0;
    own.reset();
    if (!r.shuttingDown && r.loopStarted && !AnyLoadedWindowAlive())
        PostQuitMessage(0);
}

}  // namespace velmora

// Property reads and writes by (window, unit, property index), and re-creation of
// a control whose own property change needs it.
#include <windows.h>

#include <array>
#include <optional>

#include "runtime/error_service.h"
#include "runtime/text_block.h"
#include "runtime/win_handles_win.h"
#include "ui/loader/display_scale_win.h"
#include "ui/loader/loader_state_win.h"
#include "ui/loader/private_messages.h"
#include "ui/loader/property_conversion.h"

namespace velmora {

namespace {

struct UnitAccess {
    LiveWindow* window;
    int index;
    UnitRecord& record() const { return window->description->units[index]; }
    bool live() const { return window->loaded && IsUnitLive(*window, index); }
    Control* control() const { return window->units[index].control.get(); }
};

UnitAccess Find(uint32_t windowId, uint32_t unitId) {
    LiveWindow* window = FindLiveWindow(windowId);
    if (!window)
        RaiseErrorMessage("未载入欲访问窗口组件所在的窗口");
    int index = UnitIndex(*window, unitId);
    if (index < 0)
        RaiseErrorMessage("指定窗口或窗口组件不存在或尚未载入");
    return {window, index};
}

Control* OwnPropertyTarget(const UnitAccess& unit) {
    if (!unit.live())
        RaiseErrorMessage("指定窗口尚未载入");
    return unit.control();
}

// The kind of own property `number`, or nullopt when the unit's type has no such
// property.
std::optional<PropertyKind> OwnKind(const UnitAccess& unit, int number) {
    const ControlType* type = FindControlType(unit.record().typeCode);
    if (!type || number < 0 || static_cast<size_t>(number) >= type->ownKinds.size())
        return std::nullopt;
    return type->ownKinds[number];
}

// Left, top, width and height of the window's place in device pixels, indexed like
// the geometry properties.
std::array<int32_t, 4> PlacedGeometry(HWND hwnd) {
    const RECT r = PlacedRect(hwnd);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Stored fonts, like all stored geometry, count 96 pixels to the inch.
constexpr int kStoredLogPixels = 96;

// The control's LOGFONTA, or that of the default GUI font when it has none, its
// sizes taken back from the screen's scale to 96 dpi.
std::string CurrentLogFont(const RawValue& raw) {
    if (raw.bytes.size() == kLogFontSize)
        return raw.bytes;
    LOGFONTA lf = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    const DisplayScale screen = SystemScale();
    lf.lfHeight = screen.ToStored(lf.lfHeight);
    lf.lfWidth = screen.ToStored(lf.lfWidth);
    return std::string(reinterpret_cast<const char*>(&lf), sizeof lf);
}

// Visible true written to a window's own unit: shown the way the window type chose
// at creation (minimised, maximised), then the first show of the load service.
void ShowAsWindowFirstShow(const UnitAccess& unit) {
    Control* control = unit.control();
    ShowWindow(control->hwnd(), control->InitialShowCommand());
    CompleteFirstShow(unit.window->description->windowId);
}

}  // namespace

TypedValue ReadProperty(uint32_t windowId, uint32_t unitId, int index, int member) {
    UnitAccess unit = Find(windowId, unitId);
    UnitRecord& record = unit.record();
    if (index >= kFirstOwnProperty) {
        Control* control = OwnPropertyTarget(unit);
        BusyScope inUse(control);
        const std::optional<PropertyKind> kind = OwnKind(unit, index - kFirstOwnProperty);
        RawValue raw;
        if (!kind || !control->ReadOwnProperty(index - kFirstOwnProperty, raw))
            return TypedValue{};
        if (*kind == PropertyKind::kFont) {
            return ReadFontMember(CurrentLogFont(raw), member, kStoredLogPixels);
        }
        return TypedFromRaw(*kind, raw);
    }
    switch (index) {
        case kPropLeft:
        case kPropTop:
        case kPropWidth:
        case kPropHeight: {
            int32_t stored[] = {record.left, record.top, record.width, record.height};
            if (!unit.live())
                return MakeInteger(stored[index]);
            // The window's place in device pixels, as a handler counts: 96 per inch.
            HWND hwnd = unit.control()->hwnd();
            return MakeInteger(ScaleOfWindow(hwnd).ToStored(PlacedGeometry(hwnd)[index]));
        }
        case kPropTag:
            return MakeText(NewTextBlock(record.tag));
        case kPropVisible:
            return MakeLogical(unit.live() ? IsWindowVisible(unit.control()->hwnd()) != FALSE
                                           : (record.flags & kUnitVisible) != 0);
        case kPropDisabled:
            return MakeLogical(unit.live() ? IsWindowEnabled(unit.control()->hwnd()) == FALSE
                                           : (record.flags & kUnitDisabled) != 0);
        case kPropMousePointer:
            return MakeByteData(record.pointerData);
        default:
            return TypedValue{};
    }
}

void WriteProperty(uint32_t windowId, uint32_t unitId, int index, int member, TypedValue value) {
    UnitAccess unit = Find(windowId, unitId);
    UnitRecord& record = unit.record();
    if (index >= kFirstOwnProperty) {
        Control* control = OwnPropertyTarget(unit);
        // The write may raise an event whose handler closes the window: the control
        // is retired then, and deleted only when the write has returned.
        BusyScope inUse(control);
        const int number = index - kFirstOwnProperty;
        const std::optional<PropertyKind> kind = OwnKind(unit, number);
        if (!kind)
            return;
        RawValue current;
        const bool currentKnown = control->ReadOwnProperty(number, current);
        std::optional<RawValue> raw;
        if (*kind == PropertyKind::kFont) {
            raw.emplace();
            raw->bytes = WriteFontMember(CurrentLogFont(current), member, value, kStoredLogPixels);
        } else {
            raw = RawFromTyped(*kind, value);
        }
        if (!raw)
            return;  // a value that does not fit the property changes nothing
        if (control->WriteOwnProperty(number, *raw) == WriteOutcome::kRecreate && unit.live() &&
            unit.control() == control) {
            const ControlType* type = FindControlType(record.typeCode);
            if (!(type->flags & kTypeNeverRecreated) &&
                !RecreateControl(*unit.window, unit.index) && currentKnown) {
                // No new control could be made: the old one keeps its window and
                // takes its old value back, so that value and window agree.
                SuppressEvents();
                control->WriteOwnProperty(number, current);
                ResumeEvents();
            }
        }
        return;
    }
    const std::optional<int32_t> number = IntegerOf(value);
    if (index != kPropTag && index != kPropMousePointer && !number)
        return;  // not a number: refused
    const int32_t v = number.value_or(0);
    HWND hwnd = unit.live() ? unit.control()->hwnd() : nullptr;
    switch (index) {
        case kPropLeft:
        case kPropTop:
        case kPropWidth:
        case kPropHeight: {
            const bool isPosition = index == kPropLeft || index == kPropTop;
            int32_t* stored[] = {&record.left, &record.top, &record.width, &record.height};
            *stored[index] = isPosition ? ClampPosition(v) : ClampSize(v);
            if (!hwnd)
                break;
            // The other three keep the window's present place and size.
            std::array<int32_t, 4> live = PlacedGeometry(hwnd);
            live[index] = ScaleOfWindow(hwnd).ToDevice(*stored[index]);
            if (isPosition) {
                MoveWindow(hwnd, live[0], live[1], live[2], live[3], TRUE);
            } else {
                SetWindowPos(hwnd, nullptr, 0, 0, live[2], live[3],
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        }
        case kPropTag:
            if (std::optional<std::string> text = TextValueOf(value))
                record.tag = std::move(*text);
            break;
        case kPropVisible: {
            record.flags = v ? (record.flags | kUnitVisible) : (record.flags & ~kUnitVisible);
            if (!hwnd)
                break;
            if (!v) {
                ShowWindow(hwnd, SW_HIDE);
            } else if (unit.index == 0) {
                ShowAsWindowFirstShow(unit);
            } else {
                const ControlType* type = FindControlType(record.typeCode);
                if (!(type->flags & kTypeNeverShown))
                    ShowWindow(hwnd, SW_SHOW);
            }
            break;
        }
        case kPropDisabled:
            record.flags = v ? (record.flags | kUnitDisabled) : (record.flags & ~kUnitDisabled);
            if (hwnd)
                EnableWindow(hwnd, v ? FALSE : TRUE);
            break;
        case kPropMousePointer: {
            std::optional<std::string> data = BytesValueOf(value);
            if (!data)
                break;
            record.pointerData = std::move(*data);
            // Every pointer this program can describe is a shared system cursor:
            // there is nothing to make, the pointer is only shown afresh.
            if (hwnd) {
                POINT pt;
                GetCursorPos(&pt);
                SetCursorPos(pt.x, pt.y);
            }
            break;
        }
        default:
            break;
    }
}

bool RecreateControl(LiveWindow& window, int unitIndex) {
    SuppressEvents();
    UnitRecord& record = window.description->units[unitIndex];
    const ControlType* type = FindControlType(record.typeCode);
    Control* old = window.units[unitIndex].control.get();
    BusyScope inUse(old);
    HWND oldHwnd = old->hwnd();
    HWND parent = GetParent(oldHwnd);
    RECT r = PlacedRect(oldHwnd);
    // The control's own visibility: in a window not shown yet IsWindowVisible is
    // false for every control, which would leave the new one hidden for good.
    const bool wasVisible = (GetWindowLongW(oldHwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    const bool wasEnabled = IsWindowEnabled(oldHwnd) != FALSE;
    HWND focus = GetFocus();
    const bool hadFocus = focus == oldHwnd || IsChild(oldHwnd, focus);
    const std::string saved = old->SaveOwnProperties();

    CreateParams p;
    p.parent = parent;
    p.ownData = reinterpret_cast<const uint8_t*>(saved.data());
    p.ownSize = saved.size();
    p.extraStyles = (wasEnabled ? 0 : WS_DISABLED) | (record.flags & kUnitTabStop ? WS_TABSTOP : 0);
    p.controlId = GetDlgCtrlID(oldHwnd);
    p.left = r.left;
    p.top = r.top;
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
    p.windowId = window.description->windowId;
    p.unitId = record.unitId;
    p.typeCode = record.typeCode;
    p.type = type;
    std::unique_ptr<Control> fresh = CreateUnitControl(p);
    if (!fresh) {
        // The old control stays in its place, as it was; a half-made one has gone
        // while events were still suppressed.
        ResumeEvents();
        return false;
    }
    HWND newHwnd = fresh->hwnd();
    ShowWindow(newHwnd, SW_HIDE);
    // Child windows move over to a new control of a type that can hold them.
    if (type->flags & kTypeHoldsChildWindows) {
        while (HWND child = GetWindow(oldHwnd, GW_CHILD)) {
            if (!SetParent(child, newHwnd))
                break;  // a child that cannot move would hold us here
        }
    }
    // The new control takes the old one's place in the z-order.
    SetWindowPos(newHwnd, oldHwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::unique_ptr<Control> gone = std::move(window.units[unitIndex].control);
    window.units[unitIndex].control = std::move(fresh);
    SendMessageW(newHwnd, kMsgDescriptionApplied, 0, 0);
    SendMessageW(newHwnd, kMsgWindowShown, 0, 0);
    if (wasVisible && !(type->flags & kTypeNeverShown))
        ShowWindow(newHwnd, SW_SHOWNA);
    // The old object may be the one whose handler wrote the property.
    Control::Retire(std::move(gone));
    if (hadFocus) {
        SetFocus(newHwnd);
    } else if (focus && IsWindow(focus) && GetFocus() != focus) {
        SetFocus(focus);
    }
    ResumeEvents();
    return true;
}

}  // namespace velmora

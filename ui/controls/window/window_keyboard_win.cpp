// The `window`'s look at keyboard and mouse messages before they are dispatched:
// Tab and Shift+Tab, Enter and the default button, Escape, F1 help, Alt mnemonics,
// and dragging the window by its client area.
#include <windows.h>

#include <algorithm>

#include "runtime/runtime_state_win.h"
#include "runtime/wide_text.h"
#include "ui/controls/control_types.h"
#include "ui/controls/window/window_control_win.h"
#include "ui/controls/window/window_focus_order.h"
#include "ui/controls/window/window_help_path.h"
#include "ui/controls/window/window_keys.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

namespace {

KeyModifiers CurrentModifiers() {
    KeyModifiers m;
    m.ctrl = GetKeyState(VK_CONTROL) < 0;
    m.shift = GetKeyState(VK_SHIFT) < 0;
    m.alt = GetKeyState(VK_MENU) < 0;
    return m;
}

bool IsUsable(HWND h) {
    return IsWindowVisible(h) && IsWindowEnabled(h);
}

bool IsEnabledDefaultButton(const Control& c) {
    return c.typeCode() == kButtonTypeCode && IsWindowEnabled(c.hwnd()) && c.IsDefaultButton();
}

void Click(const Control& button) {
    RaiseEvent(button.windowId(), button.unitId(), kEventClicked);
}

bool HelpFileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// Only messages meant for this window or one of its controls: an owned window's
// messages climb to their owner in the walk, and are none of this window's business.
// The windows of this system have no accelerator table, so there is none to try;
// nor is there an option button type, whose group the arrow keys would walk.
bool WindowControl::PreTranslate(MSG& msg) {
    HWND self = hwnd();
    if (!self || (msg.hwnd != self && !IsChild(self, msg.hwnd)))
        return false;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // A disabled window's keys pass untouched.
            if (!IsWindowEnabled(msg.hwnd) || !IsWindowEnabled(self))
                return false;
            return HandleKey(msg);
        case WM_LBUTTONDOWN:
            return props_.freeMove == 1 && StartFreeMove(msg);
        default:
            return false;
    }
}

// True when the window acted on the key, which is then not dispatched. Handlers
// raised here may close the window: nothing of it is touched after one ran.
bool WindowControl::HandleKey(const MSG& msg) {
    const int keyCode = WindowKeyCode(static_cast<uint32_t>(msg.wParam), CurrentModifiers());
    char mnemonic = 0;
    const WindowKeyAction action = ActionOfKeyCode(keyCode, mnemonic);
    if (action == WindowKeyAction::kNone)
        return false;
    Control* focused = FocusedControl();
    if (focused && focused->WantsKey(keyCode))
        return false;
    switch (action) {
        case WindowKeyAction::kNextControl:
            return MoveFocus(true);
        case WindowKeyAction::kPreviousControl:
            return MoveFocus(false);
        case WindowKeyAction::kEnter:
            return PressEnter(focused);
        case WindowKeyAction::kEscape:
            if (props_.escCloses != 1)
                return false;
            SendMessageW(hwnd(), WM_CLOSE, 0, 0);
            return true;
        case WindowKeyAction::kHelp:
            return props_.f1Help == 1 && OpenHelp();
        case WindowKeyAction::kMnemonic:
            return PressMnemonic(mnemonic);
        case WindowKeyAction::kNone:
            break;
    }
    return false;
}

// The control of this window that holds the focus (or holds the window that does).
Control* WindowControl::FocusedControl() const {
    HWND self = hwnd();
    for (HWND h = GetFocus(); h && h != self && IsChild(self, h); h = GetParent(h)) {
        Control* c = Control::FromWindow(h);
        if (c && c != this && c->windowId() == windowId())
            return c;
    }
    return nullptr;
}

// Among the controls that are visible, enabled, have the tab-stop flag and are of
// a type that takes the focus, in creation order.
bool WindowControl::MoveFocus(bool forward) {
    const std::vector<const UnitRecord*> units = ControlsInCreationOrder(windowId());
    Control* focused = FocusedControl();
    std::vector<Control*> controls;
    std::vector<bool> eligible;
    int current = -1;
    for (const UnitRecord* u : units) {
        Control* c = FindLiveControl(windowId(), u->unitId);
        if (c && c == focused)
            current = static_cast<int>(controls.size());
        eligible.push_back(c && (u->flags & kUnitTabStop) && c->HasTypeFlag(kTypeTakesFocus) &&
                           IsUsable(c->hwnd()));
        controls.push_back(c);
    }
    const int next = NextFocusIndex(eligible, current, forward);
    if (next < 0)
        return false;
    SetFocus(controls[next]->hwnd());
    return true;
}

std::vector<Control*> WindowControl::ControlsInStoredOrder() const {
    const std::vector<const UnitRecord*> units = ControlsInCreationOrder(windowId());
    std::vector<Control*> controls;
    for (auto it = units.rbegin(); it != units.rend(); ++it) {
        if (Control* c = FindLiveControl(windowId(), (*it)->unitId))
            controls.push_back(c);
    }
    return controls;
}

bool WindowControl::PressEnter(Control* focused) {
    if (focused && IsEnabledDefaultButton(*focused)) {
        Click(*focused);
        return true;
    }
    if (props_.enterMovesFocus == 1) {
        MoveFocus(true);
        return true;
    }
    for (Control* c : ControlsInStoredOrder()) {
        if (IsEnabledDefaultButton(*c)) {
            Click(*c);
            return true;
        }
    }
    // No default button: Enter does nothing. It is not passed on either, or a
    // single-line edit box would answer it with the error beep; a control that
    // wants Enter was asked before and has it already.
    return true;
}

// The help file is looked for only when F1 is pressed; one that does not exist
// opens nothing. The wide WinHelp takes a GBK path intact whatever the code page.
bool WindowControl::OpenHelp() {
    const RuntimeState& r = Runtime();
    const std::wstring path =
        WideFromGbk(HelpFilePath(props_.helpFile, r.programFolder, r.programFileName));
    if (!HelpFileExists(path))
        return false;
    if (props_.helpContext != 0) {
        WinHelpW(hwnd(), path.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(props_.helpContext));
    } else {
        WinHelpW(hwnd(), path.c_str(), HELP_FINDER, 0);
    }
    if (hwnd() && std::find(openedHelp_.begin(), openedHelp_.end(), path) == openedHelp_.end())
        openedHelp_.push_back(path);
    return true;
}

// The first visible, enabled control with a caption that marks the key, in stored
// order; a Button found so is clicked.
bool WindowControl::PressMnemonic(char key) {
    for (Control* c : ControlsInStoredOrder()) {
        if (!c->HasTypeFlag(kTypeHasCaption) || !IsUsable(c->hwnd()))
            continue;
        if (!CaptionHasMnemonic(WindowTextGbk(c->hwnd()), key))
            continue;
        if (c->typeCode() == kButtonTypeCode)
            Click(*c);
        return true;
    }
    return false;
}

// A press on the client area, or on a Label or PicBox of the window, drags the
// window as a press on its caption would; the press itself goes nowhere else.
bool WindowControl::StartFreeMove(const MSG& msg) {
    HWND self = hwnd();
    if (msg.hwnd != self) {
        const Control* c = Control::FromWindow(msg.hwnd);
        if (!c || c->windowId() != windowId() ||
            (c->typeCode() != kLabelTypeCode && c->typeCode() != kPicBoxTypeCode))
            return false;
    }
    POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    ClientToScreen(msg.hwnd, &pt);
    ReleaseCapture();
    SendMessageW(self, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    return true;
}

}  // namespace velmora

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "runtime/never_destroyed.h"
#include "runtime/out_of_memory.h"
#include "ui/loader/control_win.h"
#include "ui/loader/private_messages.h"

namespace velmora {

namespace {

// The one subclass a control puts on a window of a system class.
constexpr UINT_PTR kSubclassId = 1;

// The window that caused a notification sent to its parent, or null.
HWND NotificationSource(UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY:
            return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
        default:
            return nullptr;
    }
}

// Every live control object of the user-interface thread, and the secondary
// windows registered to them. A handful of entries: linear searches are enough.
// Never destroyed: controls held by other statics may go after them at exit. A
// control's destructor may be the first to ask for the secondary windows.
std::vector<const Control*>& LiveControls() {
    static NeverDestroyed<std::vector<const Control*>> live;
    return live.get();
}

struct SecondaryWindow {
    HWND hwnd;
    Control* control;
};
std::vector<SecondaryWindow>& SecondaryWindows() {
    static NeverDestroyed<std::vector<SecondaryWindow>> windows;
    return windows.get();
}

void ForgetSecondaryWindows(const Control* control) {
    auto& all = SecondaryWindows();
    all.erase(std::remove_if(all.begin(), all.end(),
                             [control](const SecondaryWindow& w) { return w.control == control; }),
              all.end());
}

Control* SecondaryWindowOwner(HWND hwnd) {
    auto& all = SecondaryWindows();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it->hwnd != hwnd)
            continue;
        if (IsWindow(hwnd))
            return it->control;
        all.erase(it);  // the window has gone and its handle may come back as another
        return nullptr;
    }
    return nullptr;
}

}  // namespace

Control::Control(uint32_t windowId, uint32_t unitId) : windowId_(windowId), unitId_(unitId) {
    LiveControls().push_back(this);
}

Control::~Control() {
    auto& live = LiveControls();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    ForgetSecondaryWindows(this);
    ReleaseWindow();
}

// Detaches the window from this object, then destroys it: the type's own handling
// is gone by the time a base destructor runs.
void Control::ReleaseWindow() {
    if (!hwnd_)
        return;
    HWND h = hwnd_;
    if (subclassed_)
        RemoveWindowSubclass(h, SubclassProc, kSubclassId);
    subclassed_ = false;
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(h);
}

bool Control::HasTypeFlag(uint32_t flag) const {
    return type_ && (type_->flags & flag) != 0;
}

bool Control::IsLive(const Control* control) {
    if (!control)
        return false;
    const auto& live = LiveControls();
    if (std::find(live.begin(), live.end(), control) == live.end())
        return false;
    return !control->retired_;
}

void Control::Retire(std::unique_ptr<Control> control) {
    if (!control || control->retired_)
        return;
    // The window goes now, through the type's own handling (a timer stops, a
    // playing picture stops); only the object may have to wait.
    if (HWND h = control->hwnd_)
        DestroyWindow(h);
    ForgetSecondaryWindows(control.get());
    if (control->busy_ == 0)
        return;  // deleted here
    control->retired_ = true;
    control.release();  // BusyScope deletes it
}

void Control::AttachSecondaryWindow(HWND hwnd) {
    if (!hwnd || SecondaryWindowOwner(hwnd) == this)
        return;
    DetachSecondaryWindow(hwnd);
    SecondaryWindows().push_back({hwnd, this});
}

void Control::DetachSecondaryWindow(HWND hwnd) {
    auto& all = SecondaryWindows();
    all.erase(std::remove_if(all.begin(), all.end(),
                             [hwnd](const SecondaryWindow& w) { return w.hwnd == hwnd; }),
              all.end());
}

bool Control::ReadOwnProperty(int, RawValue&) {
    return false;
}
WriteOutcome Control::WriteOwnProperty(int, const RawValue&) {
    return WriteOutcome::kStored;
}
std::string Control::SaveOwnProperties() const {
    return std::string();
}
bool Control::WantsKey(int) const {
    return false;
}
bool Control::IsDefaultButton() const {
    return false;
}
bool Control::PreTranslate(MSG&) {
    return false;
}
bool Control::HandleNotification(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

bool Control::OfferPreTranslate(Control* control, MSG& msg) {
    BusyScope busy(control);
    return control->PreTranslate(msg);
}

Control* Control::FromWindow(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    // Only windows of this thread are asked: a window of another thread could hold
    // the caller up, and its objects are none of ours.
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId())
        return nullptr;
    if (Control* owner = SecondaryWindowOwner(hwnd))
        return IsLive(owner) ? owner : nullptr;
    const auto answer = static_cast<DWORD_PTR>(SendMessageW(hwnd, kMsgQueryControl, 0, 0));
    const auto* candidate = reinterpret_cast<const Control*>(answer);
    // Compared as an address first: nothing is read through an answer that is not
    // one of ours.
    if (!IsLive(candidate) || candidate->hwnd_ != hwnd)
        return nullptr;
    return const_cast<Control*>(candidate);
}

bool Control::RegisterControlClass(const ControlClass& cls) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, cls.name, &wc))
        return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = cls.style;
    wc.lpfnWndProc = cls.procedure ? cls.procedure : WindowProc;
    wc.hInstance = instance;
    wc.hCursor =
        cls.cursor ? cls.cursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = cls.background;
    wc.lpszClassName = cls.name;
    return RegisterClassExW(&wc) != 0;
}

HWND Control::CreateChildWindow(const CreateParams& p, const ControlClass& cls,
                                const std::wstring& text, DWORD styles) {
    if (!RegisterControlClass(cls))
        return nullptr;
    return CreateOwnWindow(0, cls.name, text, WS_CHILD | WS_CLIPSIBLINGS | styles, p.left, p.top,
                           p.width, p.height, p.parent, ControlIdMenu(p.controlId));
}

HWND Control::CreateOwnWindow(DWORD exStyle, const wchar_t* className, const std::wstring& text,
                              DWORD style, int x, int y, int w, int h, HWND parent,
                              HMENU menuOrId) {
    return CreateWindowExW(exStyle, className, text.c_str(), style, x, y, w, h, parent, menuOrId,
                           GetModuleHandleW(nullptr), this);
}

void Control::Subclass(HWND hwnd) {
    hwnd_ = hwnd;
    subclassed_ = SetWindowSubclass(hwnd, SubclassProc, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

LRESULT Control::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultProcessing(msg, wParam, lParam);
}

LRESULT Control::DefaultProcessing(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (subclassed_)
        return DefSubclassProc(hwnd_, msg, wParam, lParam);
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT Control::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgQueryControl)
        return reinterpret_cast<LRESULT>(this);
    // A handler below may close the window and retire this object; it stays valid
    // until this call returns.
    BusyScope busy(this);
    if (msg == WM_NCDESTROY) {
        LRESULT result = DefaultProcessing(msg, wParam, lParam);
        if (subclassed_)
            RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        subclassed_ = false;
        hwnd_ = nullptr;
        ForgetSecondaryWindows(this);
        OnWindowGone();
        return result;
    }
    if (HWND source = NotificationSource(msg, wParam, lParam); source && source != hwnd) {
        if (Control* child = FromWindow(source)) {
            LRESULT result = 0;
            BusyScope childBusy(child);
            if (child->HandleNotification(msg, wParam, lParam, result))
                return result;
            // The child's handling may have closed this window.
            if (!hwnd_)
                return result;
        }
    }
    return HandleMessage(msg, wParam, lParam);
}

// Both procedures are places where Windows calls the program back: nothing may
// leave them as an exception.
LRESULT CALLBACK Control::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return WithOutOfMemoryError([&]() -> LRESULT {
        Control* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self && msg == WM_NCCREATE) {
            // Messages before WM_NCCREATE (WM_GETMINMAXINFO) go to the default procedure.
            self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            if (self) {
                self->hwnd_ = hwnd;
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            }
        }
        if (!self)
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        return self->Dispatch(hwnd, msg, wParam, lParam);
    });
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
    Control* self = reinterpret_cast<Control*>(data);
    if (!self || !self->subclassed_)
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    return WithOutOfMemoryError([&] { return self->Dispatch(hwnd, msg, wParam, lParam); });
}

}  // namespace velmora

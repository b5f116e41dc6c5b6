#include <windows.h>
#include <commctrl.h>

#include "ui/loader/control.h"
#include "ui/loader/private_messages.h"

namespace velmora {

namespace {

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

}  // namespace

Control::~Control() {
    if (hwnd_) {
        HWND h = hwnd_;
        if (subclassed_)
            RemoveWindowSubclass(h, SubclassProc, 1);
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

bool Control::ReadOwnProperty(int, RawValue&) {
    return false;
}
int Control::WriteOwnProperty(int, const RawValue&) {
    return 0;
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

Control* Control::FromWindow(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    DWORD_PTR answer = 0;
    // Only windows of this thread are asked: a window of another thread could hold
    // the caller up, and its objects are none of ours.
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId())
        return nullptr;
    answer = static_cast<DWORD_PTR>(SendMessageW(hwnd, kMsgQueryControl, 0, 0));
    return reinterpret_cast<Control*>(answer);
}

bool Control::RegisterControlClass(const wchar_t* className, UINT classStyle, HBRUSH background) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, className, &wc))
        return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

HWND Control::CreateOwnWindow(DWORD exStyle, const wchar_t* className, const std::wstring& text,
                              DWORD style, int x, int y, int w, int h, HWND parent,
                              HMENU menuOrId) {
    return CreateWindowExW(exStyle, className, text.c_str(), style, x, y, w, h, parent, menuOrId,
                           GetModuleHandleW(nullptr), this);
}

void Control::Subclass(HWND hwnd) {
    hwnd_ = hwnd;
    subclassed_ =
        SetWindowSubclass(hwnd, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
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
    if (msg == WM_NCDESTROY) {
        LRESULT result = DefaultProcessing(msg, wParam, lParam);
        if (subclassed_)
            RemoveWindowSubclass(hwnd, SubclassProc, 1);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        subclassed_ = false;
        hwnd_ = nullptr;
        // May delete this object: nothing below touches it.
        OnWindowGone();
        return result;
    }
    if (HWND source = NotificationSource(msg, wParam, lParam); source && source != hwnd) {
        if (Control* child = FromWindow(source)) {
            LRESULT result = 0;
            if (child->HandleNotification(msg, wParam, lParam, result))
                return result;
        }
    }
    return HandleMessage(msg, wParam, lParam);
}

LRESULT CALLBACK Control::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
    Control* self = reinterpret_cast<Control*>(data);
    if (!self || !self->subclassed_)
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    return self->Dispatch(hwnd, msg, wParam, lParam);
}

}  // namespace velmora

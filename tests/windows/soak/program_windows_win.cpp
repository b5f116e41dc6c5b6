#include "tests/windows/soak/program_windows_win.h"

#include <cstdlib>
#include <cstring>

#include "app/windows/main_window.h"
#include "runtime/typed_value.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/loader/control_win.h"
#include "ui/loader/window_loader_win.h"

namespace velmora::soak {

namespace mw = main_window;

HWND UnitWindow(uint32_t windowId, uint32_t unitId) {
    Control* control = FindLiveControl(windowId, unitId);
    return control ? control->hwnd() : nullptr;
}

bool Shown(uint32_t windowId) {
    HWND h = IsWindowLoaded(windowId) ? WindowHandle(windowId) : nullptr;
    return h && IsWindowVisible(h);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[64] = {};
    if (hwnd)
        GetWindowTextW(hwnd, text, 64);
    return text;
}

bool Playing() {
    return TextOf(UnitWindow(mw::kWindowId, mw::kPlayButton)) == L"停止";
}

void WriteContent(uint32_t windowId, uint32_t unitId, const char* text) {
    WriteProperty(windowId, unitId, kEditBoxContent, kWholeProperty, MakeText(text));
}

void WriteAnimate(bool on) {
    WriteProperty(mw::kWindowId, mw::kPicture, kPicBoxAnimate, kWholeProperty, MakeLogical(on));
}

// The client-area point at the middle of a window, and that point on the screen.
POINT Middle(HWND hwnd, POINT* screen) {
    RECT r = {};
    GetClientRect(hwnd, &r);
    POINT p = {r.right / 2, r.bottom / 2};
    if (screen) {
        *screen = p;
        ClientToScreen(hwnd, screen);
    }
    return p;
}

void PostMouse(HWND hwnd, UINT message, POINT client) {
    PostMessageW(hwnd, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                 MAKELPARAM(client.x, client.y));
}

namespace {

struct VisibleWindowSearch {
    const wchar_t* className;
    const wchar_t* title;  // null: any
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<VisibleWindowSearch*>(param);
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (wcscmp(cls, search.className) != 0 || !IsWindowVisible(hwnd) ||
        (search.title && TextOf(hwnd) != search.title))
        return TRUE;
    search.found = hwnd;
    return FALSE;
}

// A visible top-level window of this thread with the class (and title), or null.
HWND VisibleThreadWindow(const wchar_t* className, const wchar_t* title) {
    VisibleWindowSearch search{className, title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool BalloonVisible() {
    return VisibleThreadWindow(L"VelmoraBalloon", nullptr) != nullptr;
}

HWND ErrorBoxShown() {
    return VisibleThreadWindow(L"#32770", L"错误");
}

bool SetClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool done = false;
    if (data) {
        memcpy(GlobalLock(data), text.c_str(), bytes);
        GlobalUnlock(data);
        done = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
        if (!done)
            GlobalFree(data);
    }
    CloseClipboard();
    return done;
}

// The up-down control beside an edit box has the box's identifier plus 4.
HWND SpinOf(HWND box) {
    return box ? GetDlgItem(GetParent(box), GetDlgCtrlID(box) + 4) : nullptr;
}

int ContentAsNumber(uint32_t windowId, uint32_t unitId) {
    wchar_t text[64] = {};
    GetWindowTextW(UnitWindow(windowId, unitId), text, 64);
    return static_cast<int>(wcstol(text, nullptr, 10));
}

}  // namespace velmora::soak

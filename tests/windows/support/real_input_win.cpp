#include "support/real_input_win.h"

#include <vector>

#include "support/message_sequence_win.h"

namespace velmora::test {

namespace {

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // The input is queued for the thread; give it time to arrive and be handled.
    PumpFor(60);
}

INPUT Key(WORD vk, WORD scan, DWORD flags) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    return in;
}

// Waits up to half a second for the pointer to arrive (the display moves it
// asynchronously).
void WaitForPointerAt(POINT p) {
    for (int i = 0; i < 50; ++i) {
        POINT at;
        GetCursorPos(&at);
        if (at.x == p.x && at.y == p.y)
            return;
        PumpFor(10);
    }
}

}  // namespace

void BringToFront(HWND hwnd) {
    SetForegroundWindow(hwnd);
    SetActiveWindow(hwnd);
    PumpFor(30);
}

void TypeText(const wchar_t* text) {
    std::vector<INPUT> inputs;
    for (const wchar_t* p = text; *p; ++p) {
        inputs.push_back(Key(0, *p, KEYEVENTF_UNICODE));
        inputs.push_back(Key(0, *p, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Send(inputs);
}

void PressKey(WORD vk, bool shift) {
    std::vector<INPUT> inputs;
    const WORD scan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    if (shift)
        inputs.push_back(Key(VK_SHIFT, static_cast<WORD>(MapVirtualKeyW(VK_SHIFT, 0)), 0));
    inputs.push_back(Key(vk, scan, 0));
    inputs.push_back(Key(vk, scan, KEYEVENTF_KEYUP));
    if (shift)
        inputs.push_back(
            Key(VK_SHIFT, static_cast<WORD>(MapVirtualKeyW(VK_SHIFT, 0)), KEYEVENTF_KEYUP));
    Send(inputs);
}

void ClickAt(POINT screen) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(screen.x, 65535, w - 1);
        i.mi.dy = MulDiv(screen.y, 65535, h - 1);
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    // The pointer reaches the point first: a press sent at once may land where the
    // pointer was (the display moves it asynchronously).
    SendInput(1, in, sizeof(INPUT));
    WaitForPointerAt(screen);
    Send(std::vector<INPUT>(in + 1, in + 3));
}

void ParkPointer() {
    const POINT corner = {GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
    SetCursorPos(corner.x, corner.y);
    WaitForPointerAt(corner);
}

POINT CentreOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace velmora::test

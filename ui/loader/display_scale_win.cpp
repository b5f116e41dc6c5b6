#include "ui/loader/display_scale_win.h"

#include "runtime/win_handles_win.h"

namespace velmora {

namespace {

// An entry of user32 looked up by name: systems before the per-screen scale do not
// have it.
template <typename Entry>
Entry User32Entry(const char* name) {
    return reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

DisplayScale SystemScale() {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? DisplayScale{dpi} : DisplayScale{};
}

DisplayScale ScaleOfWindow(HWND hwnd) {
    static const auto dpiForWindow = User32Entry<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = hwnd && dpiForWindow ? dpiForWindow(hwnd) : 0;
    return dpi > 0 ? DisplayScale{static_cast<int>(dpi)} : SystemScale();
}

int SystemMetricAt(int index, DisplayScale scale) {
    static const auto metricsForDpi =
        User32Entry<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    const UINT dpi = static_cast<UINT>(scale.dpi > 0 ? scale.dpi : 96);
    const int value = metricsForDpi ? metricsForDpi(index, dpi) : 0;
    return value > 0 ? value : GetSystemMetrics(index);
}

RECT PlacedRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HWND parent = GetParent(hwnd);
    if (parent && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace velmora

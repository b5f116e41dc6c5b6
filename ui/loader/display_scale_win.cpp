#include "ui/loader/display_scale_win.h"

#include "runtime/win_handles_win.h"

namespace velmora {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

// Looked up by name: systems before the per-screen scale do not have it.
GetDpiForWindowFn DpiForWindowEntry() {
    static const auto entry = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return entry;
}

GetSystemMetricsForDpiFn MetricsForDpiEntry() {
    static const auto entry = reinterpret_cast<GetSystemMetricsForDpiFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    return entry;
}

}  // namespace

DisplayScale SystemScale() {
    const WindowDc screen(nullptr);
    DisplayScale s;
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    if (dpi > 0)
        s.dpi = dpi;
    return s;
}

DisplayScale ScaleOfWindow(HWND hwnd) {
    if (hwnd) {
        if (GetDpiForWindowFn entry = DpiForWindowEntry()) {
            const UINT dpi = entry(hwnd);
            if (dpi > 0) {
                DisplayScale s;
                s.dpi = static_cast<int>(dpi);
                return s;
            }
        }
    }
    return SystemScale();
}

int SystemMetricAt(int index, DisplayScale scale) {
    if (GetSystemMetricsForDpiFn entry = MetricsForDpiEntry()) {
        const int value = entry(index, static_cast<UINT>(scale.dpi > 0 ? scale.dpi : 96));
        if (value > 0)
            return value;
    }
    return GetSystemMetrics(index);
}

}  // namespace velmora

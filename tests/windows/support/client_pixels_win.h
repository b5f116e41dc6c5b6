#pragma once
// Reading back what a window shows: its client area copied out of its device
// context after it has painted, as COLORREF pixels.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/win_handles_win.h"
#include "ui/picture/dib_canvas_win.h"

namespace velmora::test {

struct ClientPixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // top row first

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Lets the window paint what is pending, then copies its client area.
inline ClientPixels CaptureClient(HWND hwnd) {
    UpdateWindow(hwnd);
    ClientPixels out;
    RECT client;
    GetClientRect(hwnd, &client);
    out.width = client.right;
    out.height = client.bottom;
    if (out.width <= 0 || out.height <= 0)
        return out;
    WindowDc window(hwnd);
    DibCanvas canvas(out.width, out.height);
    if (!canvas.ok())
        return out;
    BitBlt(canvas.dc(), 0, 0, out.width, out.height, window.get(), 0, 0, SRCCOPY);
    const std::vector<uint32_t> dib = canvas.Pixels();  // 0x00RRGGBB
    out.pixels.resize(dib.size());
    for (size_t i = 0; i < dib.size(); ++i)
        out.pixels[i] = RGB((dib[i] >> 16) & 0xFF, (dib[i] >> 8) & 0xFF, dib[i] & 0xFF);
    return out;
}

// One pixel of what the window shows.
inline COLORREF ClientPixel(HWND hwnd, int x, int y) {
    const ClientPixels p = CaptureClient(hwnd);
    return p.Contains(x, y) ? p.At(x, y) : CLR_INVALID;
}

}  // namespace velmora::test

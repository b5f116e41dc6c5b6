#pragma once
// Reading back what a window shows: its client area copied out of its device
// context after it has painted, as COLORREF pixels.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/win_handles_win.h"

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
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = out.width;
    info.bmiHeader.biHeight = -out.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDc window(hwnd);
    UniqueGdi<HBITMAP> section(
        CreateDIBSection(window.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDc memory(CreateCompatibleDC(window.get()));
    if (!section || !memory)
        return out;
    {
        DcSelect select(memory.get(), section.get());
        BitBlt(memory.get(), 0, 0, out.width, out.height, window.get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const auto* dib = static_cast<const uint32_t*>(bits);
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        const uint32_t p = dib[i];  // 0x00RRGGBB
        out.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    return out;
}

// One pixel of what the window shows.
inline COLORREF ClientPixel(HWND hwnd, int x, int y) {
    const ClientPixels p = CaptureClient(hwnd);
    return p.Contains(x, y) ? p.At(x, y) : CLR_INVALID;
}

}  // namespace velmora::test

#pragma once
// Painting without flicker (Windows only): a control's WM_PAINT drawn into an
// off-screen bitmap and copied onto the window in one go.

#include <windows.h>

#include <functional>

namespace velmora {

// Draws into `dc`, where the window's client area has its top left corner at
// `origin` (device and logical coordinates alike: the viewport is left alone).
using PaintInto = std::function<void(HDC dc, POINT origin)>;

// Answers WM_PAINT (BeginPaint, EndPaint): `paint` draws off screen, into a bitmap
// as large as what can be seen of the area to be painted (no larger than the
// screen however large the window is), which is then copied onto the window; when
// no such bitmap can be made, `paint` draws straight onto the window (origin 0, 0).
void PaintOffScreen(HWND hwnd, const PaintInto& paint);

}  // namespace velmora

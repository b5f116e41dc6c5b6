#pragma once
// The program's windows as the driver reaches them from inside its process: by
// window and unit identifier, through the runtime's property access, and with the
// messages a user's hand would cause.

#include <windows.h>

#include <cstdint>
#include <string>

namespace velmora::soak {

// The window of a live control (unit 0: the window's own), or null.
HWND UnitWindow(uint32_t windowId, uint32_t unitId);
// The window is loaded and visible.
bool Shown(uint32_t windowId);
// Up to 63 characters of a window's text.
std::wstring TextOf(HWND hwnd);
// The main window's play button reads "停止".
bool Playing();
void WriteContent(uint32_t windowId, uint32_t unitId, const char* text);
// The main window's picture: `Animate`.
void WriteAnimate(bool on);
// The whole-number value of an edit box's text.
int ContentAsNumber(uint32_t windowId, uint32_t unitId);

// The client-area point at the middle of a window, and that point on the screen.
POINT Middle(HWND hwnd, POINT* screen);
// A mouse message posted at a client-area point.
void PostMouse(HWND hwnd, UINT message, POINT client);
// The up-down control beside an edit box.
HWND SpinOf(HWND box);

// A balloon tip of this thread is on the screen.
bool BalloonVisible();
// The runtime's error box of this thread, or null.
HWND ErrorBoxShown();
bool SetClipboardText(const std::wstring& text);

}  // namespace velmora::soak

#pragma once
// Real keyboard and mouse input for tests, through SendInput: it travels the same
// way a user's hand does (the input queue, hit-testing, activation, TranslateMessage).
// Each call pumps the thread's messages until the input has been handled.

#include <windows.h>

namespace velmora::test {

// Makes the window the foreground window, so that keys reach it.
void BringToFront(HWND hwnd);
// Types the characters (as Unicode key events).
void TypeText(const wchar_t* text);
// Presses and releases a virtual key, with Shift held when asked.
void PressKey(WORD vk, bool shift = false);
// Moves the pointer to a point of the screen and clicks the left button there.
void ClickAt(POINT screen);
// Puts the pointer in the screen's bottom right corner, away from the windows tests
// make (a click of an earlier test may have left it over one), and waits until it
// is there.
void ParkPointer();
// The centre of a window's rectangle, on the screen.
POINT CentreOf(HWND hwnd);

}  // namespace velmora::test

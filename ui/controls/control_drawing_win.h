#pragma once
// Drawing helpers shared by the control types (Windows only): colours with the
// system default, fonts from stored font data, the border table, background
// pictures laid out by a picture mode.

#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/win_handles_win.h"
#include "ui/loader/display_scale.h"
#include "ui/picture/still_picture_win.h"

namespace velmora {

// A stored colour as painted: 0xFF000000 (system default) is the button-face colour.
COLORREF PaintColour(uint32_t colour);

// The font of stored font data: exactly one 60-byte LOGFONTA record, its sizes in
// 96-dpi pixels turned into device pixels at `scale`, made with DEFAULT_CHARSET,
// precisions 0, PROOF_QUALITY and pitch-and-family 0 whatever the record says. Null
// for any other data (the control then uses DEFAULT_GUI_FONT, which the system makes
// at the screen's scale).
UniqueGdi<HFONT> MakeControlFont(const std::string& fontData, DisplayScale scale);

// The font itself, or DEFAULT_GUI_FONT when there is none.
HFONT FontOrDefault(const UniqueGdi<HFONT>& font);

// Makes the font of `fontData` at the window's scale (none: DEFAULT_GUI_FONT), hands
// it to the control
// (WM_SETFONT) and only then frees the font held before, so that the control never
// holds a deleted font.
void SetControlFont(HWND hwnd, UniqueGdi<HFONT>& held, const std::string& fontData);

// Redraws the frame after a style change: no move, size, z-order change or
// activation.
void RedrawFrame(HWND hwnd);

// Clears every border-table style of the window, sets those of `border` and
// redraws the frame (no move, size, z-order change or activation). Answers whether
// the styles changed; when they did not, nothing is done.
bool ApplyBorderStyles(HWND hwnd, int32_t border);

// Draws a still background picture into `area` as `mode` lays it out
// (ui/controls/picture_layout.h), at its natural size times the scale.
void DrawBackgroundPicture(HDC dc, const StillPicture& picture, int mode, const RECT& area,
                           DisplayScale scale);

}  // namespace velmora

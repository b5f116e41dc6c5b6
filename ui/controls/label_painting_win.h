#pragma once
// Drawing a label (Windows only): gradient border, background picture or gradient,
// background colour and caption, painted off screen and copied in one go.

#include <windows.h>

#include <string>

#include "ui/controls/label_properties.h"
#include "ui/loader/display_scale.h"
#include "ui/picture/still_picture_win.h"

namespace velmora {

// What a label paints with, besides its stored properties.
struct LabelLook {
    const LabelProperties* props;
    HFONT font;                       // the Font, or DEFAULT_GUI_FONT
    const StillPicture* backPicture;  // the decoded BackPicture (possibly empty)
    const std::wstring* caption;      // the Caption as wide text
    DisplayScale scale;               // of the screen the label is on
};

// Paints the label into dc (client coordinates, client area `client`), within the
// dc's clip region.
void PaintLabel(HDC dc, const RECT& client, const LabelLook& look);

// Answers WM_PAINT, off screen.
void PaintLabelWindow(HWND hwnd, const LabelLook& look);

}  // namespace velmora

#include "ui/controls/control_drawing_win.h"

#include <cstring>

#include "ui/controls/border_styles.h"
#include "ui/controls/picture_layout.h"
#include "ui/loader/display_scale_win.h"
#include "ui/loader/property_conversion.h"
#include "ui/loader/property_kind.h"

namespace velmora {

COLORREF PaintColour(uint32_t colour) {
    return colour == kSystemDefaultColour ? GetSysColor(COLOR_BTNFACE) : colour;
}

UniqueGdi<HFONT> MakeControlFont(const std::string& fontData, DisplayScale scale) {
    static_assert(sizeof(LOGFONTA) == kLogFontSize, "one stored font record");
    if (fontData.size() != kLogFontSize)
        return UniqueGdi<HFONT>();
    LOGFONTA lf;
    std::memcpy(&lf, fontData.data(), sizeof lf);
    lf.lfHeight = scale.ToDevice(lf.lfHeight);
    lf.lfWidth = scale.ToDevice(lf.lfWidth);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = 0;
    lf.lfClipPrecision = 0;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = 0;
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    return UniqueGdi<HFONT>(CreateFontIndirectA(&lf));
}

HFONT FontOrDefault(const UniqueGdi<HFONT>& font) {
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void SetControlFont(HWND hwnd, UniqueGdi<HFONT>& held, const std::string& fontData) {
    UniqueGdi<HFONT> font = MakeControlFont(fontData, ScaleOfWindow(hwnd));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault(font)), FALSE);
    held = std::move(font);
}

void RedrawFrame(HWND hwnd) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ApplyBorderStyles(HWND hwnd, int32_t border) {
    const BorderStyles all = AllBorderStyles();
    const BorderStyles chosen = BorderStylesFor(border);
    const LONG oldStyle = GetWindowLongW(hwnd, GWL_STYLE);
    const LONG oldExStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    const auto style = static_cast<LONG>((static_cast<uint32_t>(oldStyle) & ~all.style) | chosen.style);
    const auto exStyle =
        static_cast<LONG>((static_cast<uint32_t>(oldExStyle) & ~all.exStyle) | chosen.exStyle);
    // A control made without a border keeps its frame: nothing to tell the system.
    if (style == oldStyle && exStyle == oldExStyle)
        return false;
    // Each style word is written only when it changes (a write tells the window).
    if (style != oldStyle)
        SetWindowLongW(hwnd, GWL_STYLE, style);
    if (exStyle != oldExStyle)
        SetWindowLongW(hwnd, GWL_EXSTYLE, exStyle);
    RedrawFrame(hwnd);
    return true;
}

void DrawBackgroundPicture(HDC dc, const StillPicture& picture, int mode, const RECT& area,
                           DisplayScale scale) {
    if (picture.empty())
        return;
    const int cw = area.right - area.left, ch = area.bottom - area.top;
    const int w = scale.ToDevice(picture.width), h = scale.ToDevice(picture.height);
    if (mode == 1 && picture.bitmap) {
        // Tiles of a bitmap: one pattern fill, however small the picture; off 96
        // dpi the pattern is a copy at the display's size.
        UniqueGdi<HBITMAP> scaled;
        if (!scale.Is96())
            scaled = StretchedBitmapCopy(picture.bitmap.get(), picture.width, picture.height, w, h);
        UniqueGdi<HBRUSH> tiles(CreatePatternBrush(scaled ? scaled.get() : picture.bitmap.get()));
        if (tiles) {
            POINT old;
            SetBrushOrgEx(dc, area.left, area.top, &old);
            FillRect(dc, &area, tiles.get());
            SetBrushOrgEx(dc, old.x, old.y, nullptr);
            return;
        }
    }
    for (const PictureCell& c : LayOutBackgroundPicture(mode, w, h, cw, ch)) {
        DrawStillPicture(dc, picture, area.left + c.x, area.top + c.y, c.width, c.height);
    }
}

}  // namespace velmora

#include "ui/controls/label_painting_win.h"

#include <algorithm>
#include <vector>

#include "runtime/win_handles_win.h"
#include "ui/controls/border_styles.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/label_drawing.h"
#include "ui/controls/off_screen_paint_win.h"

namespace velmora {

static_assert(kDtCenter == DT_CENTER && kDtRight == DT_RIGHT && kDtVCenter == DT_VCENTER &&
                  kDtBottom == DT_BOTTOM && kDtWordBreak == DT_WORDBREAK &&
                  kDtSingleLine == DT_SINGLELINE && kDtNoClip == DT_NOCLIP,
              "the portable DrawText flags are the Windows ones");

namespace {

// Gradient pixels are made and drawn in blocks of at most this many.
constexpr int kGradientBlockPixels = 1 << 18;

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    // ExtTextOut with an opaque rectangle fills without making a brush.
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// Paints the rings of the gradient border inside `area` and shrinks it by `width`
// on each side. Rings that no longer fit are not drawn.
void PaintGradientBorder(HDC dc, RECT& area, const GradientStops& stops, int width) {
    // A border wider than the area covers all of it; no ring beyond that is drawn.
    const int fits = std::max(area.right - area.left, area.bottom - area.top);
    for (int ring = 0; ring < std::min(width, fits); ++ring) {
        const RECT r = {area.left + ring, area.top + ring, area.right - ring, area.bottom - ring};
        if (r.right <= r.left || r.bottom <= r.top)
            break;
        const COLORREF c = BorderRingColour(stops, ring, width);
        FillSolid(dc, {r.left, r.top, r.right, r.top + 1}, c);
        FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, c);
        FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom}, c);
        FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, c);
    }
    const int inset = std::min(width, fits);
    area = {area.left + inset, area.top + inset, area.right - inset, area.bottom - inset};
    if (area.right < area.left)
        area.right = area.left;
    if (area.bottom < area.top)
        area.bottom = area.top;
}

// The gradient is computed only where the dc can show it (its clip box).
void PaintGradient(HDC dc, const RECT& area, int mode, const GradientStops& stops) {
    RECT box;
    if (GetClipBox(dc, &box) == ERROR || !IntersectRect(&box, &box, &area))
        return;
    const int width = area.right - area.left, height = area.bottom - area.top;
    const int columns = box.right - box.left;
    const int rowsPerBlock = std::max(1, kGradientBlockPixels / columns);
    std::vector<uint32_t> pixels(static_cast<size_t>(columns) *
                                 std::min(rowsPerBlock, int(box.bottom - box.top)));
    for (int top = box.top; top < box.bottom; top += rowsPerBlock) {
        const int rows = std::min(rowsPerBlock, int(box.bottom - top));
        FillGradientBlock(mode, stops, width, height, box.left - area.left, top - area.top,
                          box.right - area.left, top - area.top + rows, pixels.data());
        const BITMAPINFO info = TopDownPixelsInfo(columns, rows);
        StretchDIBits(dc, box.left, top, columns, rows, 0, 0, columns, rows, pixels.data(), &info,
                      DIB_RGB_COLORS, SRCCOPY);
    }
}

void PaintCaption(HDC dc, const RECT& area, const LabelLook& look) {
    const LabelProperties& p = *look.props;
    const std::wstring& text = *look.caption;
    DcSelect font(dc, look.font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(dc);
    const UINT format = LabelTextFormat(p.hAlign, p.vAlign, p.wordWrap);
    const LabelTextPasses passes = TextPassesFor(p.effect, PaintColour(p.textColor));
    auto draw = [&](const TextPass& pass) {
        RECT r = area;
        OffsetRect(&r, pass.dx, pass.dy);
        SetTextColor(dc, pass.colour);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    };
    if (passes.hasCopy)
        draw(passes.copy);
    draw(passes.text);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

}  // namespace

void PaintLabel(HDC dc, const RECT& client, const LabelLook& look) {
    const LabelProperties& p = *look.props;
    RECT area = client;
    if (p.border == kGradientBorder && p.gradBorderWidth > 0) {
        const GradientStops stops =
            UsedGradientColours(p.gradBorderColor1, p.gradBorderColor2, p.gradBorderColor3);
        if (stops.count >= 2)
            PaintGradientBorder(dc, area, stops, look.scale.ToDevice(p.gradBorderWidth));
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    // The background colour goes under the picture or gradient: what they leave
    // uncovered shows it, and nothing flickers since this is off screen.
    FillSolid(dc, area, PaintColour(p.backColor));
    if (!look.backPicture->empty()) {
        DrawBackgroundPicture(dc, *look.backPicture, p.pictureMode, area, look.scale);
    } else if (p.gradBackMode >= kFirstGradientMode && p.gradBackMode <= kLastGradientMode) {
        const GradientStops stops =
            UsedGradientColours(p.gradBackColor1, p.gradBackColor2, p.gradBackColor3);
        if (stops.count >= 2)
            PaintGradient(dc, area, p.gradBackMode, stops);
    }
    if (!look.caption->empty())
        PaintCaption(dc, area, look);
    RestoreDC(dc, saved);
}

void PaintLabelWindow(HWND hwnd, const LabelLook& look) {
    RECT client;
    GetClientRect(hwnd, &client);
    // The client rectangle moves rather than the viewport origin, so that logical
    // and device coordinates agree (brush origins of tiled pictures are the latter).
    PaintOffScreen(hwnd, [&](HDC dc, POINT origin) {
        RECT shifted = client;
        OffsetRect(&shifted, origin.x, origin.y);
        PaintLabel(dc, shifted, look);
    });
}

}  // namespace velmora

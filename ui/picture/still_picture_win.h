#pragma once
// Still pictures turned into GDI objects: bitmaps (BMP through the platform after
// our checks, JPEG through OleLoadPicture, PCX and still GIF images through our
// decoders) and icons (icon and cursor files through CreateIconFromResourceEx).

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "runtime/win_handles_win.h"
#include "ui/picture/picture_format.h"

namespace velmora {

struct StillPicture {
    PictureKind kind = PictureKind::kNone;
    int width = 0;
    int height = 0;
    UniqueGdi<HBITMAP> bitmap;  // a device bitmap (all kinds but icons)
    UniqueIcon icon;            // icon and cursor files

    bool empty() const { return !bitmap && !icon; }
};

class GifCanvas;

// Decodes a still picture of any recognised kind; a GIF gives its first image,
// drawn opaque. Leaves `out` empty when the data gives no picture, also when it
// cannot be held in memory (never throws).
void DecodeStillPicture(const uint8_t* data, size_t size, StillPicture& out);

// A still GIF picture of the canvas as it stands (empty when no bitmap can be made).
void StillPictureFromCanvas(const GifCanvas& canvas, StillPicture& out);

// A device bitmap made from 32-bit 0x00RRGGBB pixels, top row first.
HBITMAP DeviceBitmapFromPixels(const uint32_t* pixels, int width, int height);

// A copy of a bitmap of width x height stretched to newWidth x newHeight in the
// picture stretch mode; null when it cannot be made or a size is not positive.
UniqueGdi<HBITMAP> StretchedBitmapCopy(HBITMAP bitmap, int width, int height, int newWidth,
                                       int newHeight);

// The stretch mode for every stretched copy: HALFTONE when the screen has more
// than 16 bits per pixel, else COLORONCOLOR. The screen is asked once; any thread
// may call this.
int PictureStretchMode();

// Asks the screen again; call it when the display settings change (WM_DISPLAYCHANGE).
// Playing animations take the new mode with their next frame.
void RefreshPictureStretchMode();

// Sets a stretch mode on a device context for the scope (with the brush origin at
// 0, 0 for halftone, as it needs) and puts both back afterwards.
class StretchModeScope {
  public:
    StretchModeScope(HDC dc, int mode)
        : dc_(dc), mode_(mode), oldMode_(SetStretchBltMode(dc, mode)) {
        if (mode_ == HALFTONE)
            SetBrushOrgEx(dc_, 0, 0, &oldOrigin_);
    }
    ~StretchModeScope() {
        if (mode_ == HALFTONE)
            SetBrushOrgEx(dc_, oldOrigin_.x, oldOrigin_.y, nullptr);
        SetStretchBltMode(dc_, oldMode_);
    }
    StretchModeScope(const StretchModeScope&) = delete;
    StretchModeScope& operator=(const StretchModeScope&) = delete;

  private:
    HDC dc_;
    int mode_;
    int oldMode_;
    POINT oldOrigin_ = {};
};

// Draws the picture at the given place and size (StretchBlt, SRCCOPY; icons with
// DrawIconEx).
void DrawStillPicture(HDC dc, const StillPicture& picture, int x, int y, int width, int height);

}  // namespace velmora

#pragma once
// The picture of a picture box: loading picture data (still or animated),
// painting it by the box's DisplayMode over the box's background, and the GIF
// player's life. Owned by the control; every call comes from the user-interface
// thread, and none throws.
//
// What the box owes an animation (see gif_player.h): its window outlives the player,
// so the box calls StopAnimation in its WM_DESTROY; and its class has none of
// CS_OWNDC, CS_CLASSDC and CS_PARENTDC, since the worker draws through a device
// context of its own beside the box's painting. A box whose class shares its device
// context shows the GIF still.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "ui/picture/gif_player_win.h"
#include "ui/picture/picture_format.h"
#include "ui/picture/still_picture_win.h"

namespace velmora {

class PictureDisplay {
  public:
    // `background` stays the control's (null: the button-face colour).
    PictureDisplay(HWND box, int displayMode, HBRUSH background);
    ~PictureDisplay();  // stops a playing animation first
    PictureDisplay(const PictureDisplay&) = delete;
    PictureDisplay& operator=(const PictureDisplay&) = delete;

    // Stops a running player and drops the old picture, then loads the new one: a
    // GIF with `animate` goes to the player, anything else is decoded still (a GIF
    // as its first image, opaque). A GIF with `animate` that has a single image, or
    // that cannot be played (its player's events cannot be made, or the box's class
    // shares its device context), is shown still as the player's first image: drawn
    // over white with its transparent colour left out, so that the box looks the
    // same whether the GIF has one image or more. (A player whose thread cannot be
    // made stays on that first image too.) A picture that cannot be held in memory
    // gives no picture. Repaints the box; answers whether a picture resulted.
    bool LoadPicture(const uint8_t* data, size_t size, bool animate);

    // Paints the background over the client area, then the picture; the first paint
    // after loading an animation leaves the animation's rectangle out of the fill
    // and starts the player.
    void PaintPicture(HDC dc);

    // Stores the display mode (0..2); when it changed, repaints the box at once.
    void SetDisplayMode(int mode);
    int displayMode() const { return displayMode_; }
    // The dpi of the box's display (96 until told): pictures shown at their
    // natural size grow with it. Repaints the box when it changed.
    void SetDpi(int dpi);
    void SetBackground(HBRUSH background) { background_ = background; }

    // The player's stop protocol; nothing when no animation runs. Call it while
    // the box's window still exists.
    void StopAnimation();

    PictureKind kind() const;
    int width() const;
    int height() const;
    bool animated() const { return player_ != nullptr; }
    const GifPlayer* player() const { return player_.get(); }

  private:
    void Load(const uint8_t* data, size_t size, bool animate);
    HBRUSH BackgroundBrush() const;

    HWND box_;
    int displayMode_;
    int dpi_ = 96;
    HBRUSH background_;
    StillPicture still_;
    std::shared_ptr<GifPlayer> player_;
};

}  // namespace velmora

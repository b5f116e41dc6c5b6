#pragma once
// The picture of a picture box: loading picture data (still or animated),
// painting it by the box's DisplayMode over the box's background, and the GIF
// player's life. Owned by the control; every call comes from the user-interface
// thread.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "ui/picture/gif_player.h"
#include "ui/picture/picture_format.h"
#include "ui/picture/still_picture.h"

namespace velmora {

class PictureDisplay {
  public:
    // `background` stays the control's (null: the button-face colour).
    PictureDisplay(HWND box, int displayMode, HBRUSH background);
    ~PictureDisplay();  // stops a playing animation first
    PictureDisplay(const PictureDisplay&) = delete;
    PictureDisplay& operator=(const PictureDisplay&) = delete;

    // Stops a running player and drops the old picture, then loads the new one: a
    // GIF with `animate` goes to the player (unless it has a single image), anything
    // else is decoded still. Repaints the box; answers whether a picture resulted.
    bool LoadPicture(const uint8_t* data, size_t size, bool animate);

    // Paints the background over the client area, then the picture; the first paint
    // after loading an animation leaves the animation's rectangle out of the fill
    // and starts the player.
    void PaintPicture(HDC dc);

    // Stores the display mode (0..2); when it changed, repaints the box at once.
    void SetDisplayMode(int mode);
    void SetBackground(HBRUSH background) { background_ = background; }

    // The player's stop protocol; nothing when no animation runs.
    void StopAnimation();

    PictureKind kind() const;
    int width() const;
    int height() const;
    bool animated() const { return player_ != nullptr; }
    const GifPlayer* player() const { return player_.get(); }

  private:
    void FillBackground(HDC dc, const RECT& area);

    HWND box_;
    int displayMode_;
    HBRUSH background_;
    StillPicture still_;
    std::shared_ptr<GifPlayer> player_;
};

}  // namespace velmora

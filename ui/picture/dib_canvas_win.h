#pragma once
// A 32-bit DIB section selected into a memory device context: GDI draws on it and
// the pixel work reads and writes its 0x00RRGGBB pixels, top row first.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/win_handles_win.h"

namespace velmora {

class DibCanvas {
  public:
    // Not ok() when the size is empty or the section cannot be made.
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool ok() const { return bits_ != nullptr; }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

    // Copies width * height pixels in (nothing when not ok()).
    void Load(const std::vector<uint32_t>& pixels);
    // The pixels as they stand after GDI's pending drawing, their top byte cleared;
    // all 0 when not ok().
    std::vector<uint32_t> Pixels() const;
    // One pixel, 0x00RRGGBB (0 when not ok()); x and y must lie inside.
    uint32_t At(int x, int y) const;

  private:
    int width_, height_;
    UniqueDc dc_;
    UniqueGdi<HBITMAP> bitmap_;
    uint32_t* bits_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace velmora

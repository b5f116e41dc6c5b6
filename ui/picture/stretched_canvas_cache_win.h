#pragma once
// Stretched copies of the canvases a playing animation shows. Halftone stretching
// is the best look and by far the dearest part of a frame (about 0.5 ms for the
// main window's picture, against 0.015 ms for a plain copy); an animation that
// loops shows the same few canvases again and again, so each distinct canvas is
// stretched once and afterwards only copied. The result is exactly what stretching
// it again would give: a canvas is found by a fingerprint and then compared
// pixel for pixel.
//
// At most kMostCanvases canvases, and no more than kMostBytes of pixels, are kept
// per cache; once it is full, further canvases are stretched straight onto the
// target as before (an animation that never repeats pays one hash per frame more).
// Only halftone stretches are cached: a copy at natural size or a colour-on-colour
// stretch costs no more than the copy out of the cache. Not thread-safe: the
// player uses it under its canvas lock.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/win_handles_win.h"
#include "ui/picture/placement.h"

namespace velmora {

class StretchedCanvasCache {
  public:
    static constexpr size_t kMostCanvases = 16;
    static constexpr size_t kMostBytes = size_t(2) << 20;

    // Draws the canvas (width x height pixels of 0x00RRGGBB, top row first) onto
    // dc at p, stretched with the stretch mode `mode` as StretchDIBits does.
    void Draw(HDC dc, const Placement& p, const uint32_t* pixels, int width, int height, int mode);

    size_t size() const { return entries_.size(); }

  private:
    struct Entry {
        uint32_t hash = 0;
        std::vector<uint32_t> canvas;
        UniqueGdi<HBITMAP> stretched;
    };
    // Empties the cache unless it was made for this canvas size and placed size.
    void Fit(int width, int height, const Placement& p);
    const Entry* Find(uint32_t hash, const uint32_t* pixels, size_t count) const;
    bool HasRoomFor(size_t count, const Placement& p) const;

    std::vector<Entry> entries_;
    int canvasWidth_ = 0, canvasHeight_ = 0, placedWidth_ = 0, placedHeight_ = 0;
    UniqueDc memory_;
};

// Stretches the canvas straight onto dc (the uncached path, also the cache's
// reference): the stretch mode set, the brush origin at 0, 0 for halftone, both
// restored afterwards.
void StretchCanvas(HDC dc, const Placement& p, const uint32_t* pixels, int width, int height, int mode);

}  // namespace velmora

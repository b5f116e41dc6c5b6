// Covers: the stretched-canvas cache gives, frame after frame, exactly the pixels a
// fresh halftone stretch gives, for canvases seen again, canvases that differ in one
// pixel, a new placed size and a full cache; colour-on-colour stretches and natural
// sizes are drawn straight, never kept.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "runtime/win_handles_win.h"
#include "ui/picture/dib_canvas_win.h"
#include "ui/picture/stretched_canvas_cache_win.h"

namespace velmora {
namespace {

constexpr int kW = 30, kH = 20;

std::vector<uint32_t> Canvas(uint32_t seed) {
    std::vector<uint32_t> pixels(kW * kH);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (seed * 2654435761u + uint32_t(i) * 40503u) & 0x00FFFFFF;
    return pixels;
}

std::vector<uint32_t> Reference(const std::vector<uint32_t>& canvas, const Placement& p, int mode) {
    DibCanvas target(p.x + p.width, p.y + p.height);
    StretchCanvas(target.dc(), p, canvas.data(), kW, kH, mode);
    return target.Pixels();
}

TEST(StretchedCanvasCache, EveryDrawEqualsAFreshStretch) {
    const Placement small{2, 3, 23, 31}, large{0, 0, 61, 17};
    std::vector<uint32_t> nearly = Canvas(1);
    nearly[kW * kH / 2] ^= 1;
    struct Draw {
        std::vector<uint32_t> canvas;
        Placement place;
        size_t keptAfter;
    };
    const Draw draws[] = {
        {Canvas(1), small, 1}, {Canvas(2), small, 2}, {Canvas(1), small, 2}, {nearly, small, 3},
        {Canvas(2), small, 3}, {Canvas(1), large, 1}, {Canvas(1), large, 1}, {Canvas(2), small, 1},
    };
    StretchedCanvasCache cache;
    int i = 0;
    for (const Draw& d : draws) {
        DibCanvas target(d.place.x + d.place.width, d.place.y + d.place.height);
        cache.Draw(target.dc(), d.place, d.canvas.data(), kW, kH, HALFTONE);
        EXPECT_EQ(target.Pixels(), Reference(d.canvas, d.place, HALFTONE)) << "draw " << i;
        EXPECT_EQ(cache.size(), d.keptAfter) << "draw " << i;
        ++i;
    }
}

TEST(StretchedCanvasCache, AFullCacheDrawsNewCanvasesStraight) {
    const Placement p{0, 0, 45, 25};
    StretchedCanvasCache cache;
    for (uint32_t seed = 0; seed < StretchedCanvasCache::kMostCanvases + 3; ++seed) {
        DibCanvas target(p.width, p.height);
        cache.Draw(target.dc(), p, Canvas(seed).data(), kW, kH, HALFTONE);
        ASSERT_EQ(target.Pixels(), Reference(Canvas(seed), p, HALFTONE)) << seed;
    }
    EXPECT_EQ(cache.size(), StretchedCanvasCache::kMostCanvases);
}

TEST(StretchedCanvasCache, CheapCopiesAreNotKept) {
    struct Case {
        Placement place;
        int mode;
    };
    for (const Case& c : {Case{{0, 0, 45, 25}, COLORONCOLOR}, Case{{4, 4, kW, kH}, HALFTONE}}) {
        StretchedCanvasCache cache;
        DibCanvas target(c.place.x + c.place.width, c.place.y + c.place.height);
        cache.Draw(target.dc(), c.place, Canvas(7).data(), kW, kH, c.mode);
        EXPECT_EQ(target.Pixels(), Reference(Canvas(7), c.place, c.mode));
        EXPECT_EQ(cache.size(), 0u);
    }
}

}  // namespace
}  // namespace velmora

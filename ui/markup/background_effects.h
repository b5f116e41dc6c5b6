#pragma once
// The background effects of the balloon (BackEffect) and of markup tables and cells
// (bgeffect=): 0 is a solid fill in the first colour; 1 to 15, by name, are
//   1 hgradient   first to last colour, left to right
//   2 vgradient   first to last colour, top to bottom
//   3 hcgradient  first colour at the left and right edges, last in the middle
//   4 vcgradient  the same from top and bottom
//   5 3hgradient  first, middle and last colour, left to right
//   6 3vgradient  the same, top to bottom
//   7 noise       the first colour with grain of up to `granularity` levels
//   8 diagshade   first to last colour along the diagonal
//   9 hshade      the first colour, light at the top to dark at the bottom
//  10 vshade      the same from left to right
//  11 hbump       the first colour raised in a band along the middle row
//  12 vbump       the same along the middle column
//  13 softbump    the first colour with soft raised edges `granularity` wide
//  14 hardbump    the first colour with hard 2-pixel raised edges
//  15 metal       brushed metal in the first colour
// Gradients change in steps of `granularity` pixels (at least 1).

#include <cstdint>
#include <string_view>

#include "ui/markup/pixel_buffer.h"

namespace velmora {

constexpr int kBackgroundEffectCount = 15;

// 1 to 15 for an effect's name (lower case), 0 for anything else.
int BackgroundEffectByName(std::string_view name);

// Paints the effect over the rectangle [x, x + w) x [y, y + h) of `out` (clipped
// to it); colours are pixels (0x00RRGGBB). Effects outside 0-15 paint as 0.
void PaintBackgroundEffect(PixelBuffer& out, int x, int y, int w, int h, int effect, uint32_t begin,
                           uint32_t middle, uint32_t end, int granularity);

}  // namespace velmora

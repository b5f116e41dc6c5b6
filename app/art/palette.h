#pragma once
// Reduction of true-colour art to a GIF palette: median cut over the colours of
// all frames, then each pixel mapped to its nearest palette colour.

#include <array>
#include <cstdint>
#include <vector>

namespace velmora::art {

struct IndexedFrames {
    std::array<uint32_t, 256> palette{};  // 0xRRGGBB
    std::vector<std::vector<uint8_t>> frames;
};

// Pixels are 0xAARRGGBB with straight alpha. Pixels with alpha 0 take
// `transparentIndex`, whose palette entry is `transparentColour`; the others are
// composited over `transparentColour` and get one of the other 255 entries, none
// of which equals `transparentColour`.
IndexedFrames Quantise(const std::vector<std::vector<uint32_t>>& frames, uint8_t transparentIndex,
                       uint32_t transparentColour);

}  // namespace velmora::art

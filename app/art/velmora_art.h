#pragma once
// The program's own art, drawn by code: the animated picture of the main window
// (a mosquito driven off by the repeller's sound waves), the program icon and
// the hyperlink box's pointing-hand cursor. Every call gives the same bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::art {

// The animated picture: GIF89a, logical screen 142 x 144, a 256-colour global
// table, looping for ever, six full-screen frames with delay 0, disposal method 2
// and transparent index 233 (white, the colour the player's canvas starts with).
constexpr int kAnimationWidth = 142;
constexpr int kAnimationHeight = 144;
constexpr int kAnimationFrames = 6;
constexpr uint8_t kAnimationTransparentIndex = 233;
std::string MosquitoAnimationGif();

// The frames before palette reduction, 0xAARRGGBB, rows top-down.
std::vector<std::vector<uint32_t>> MosquitoAnimationPixels();

// "DEFAULT_ICON": one 32 x 32 image, 32 bits per pixel.
std::string DefaultIconFile();
std::vector<uint32_t> DefaultIconPixels();

// The hyperlink box's pointer: 32 x 32, hot spot at the tip of the index finger.
constexpr int kHandCursorHotX = 6;
constexpr int kHandCursorHotY = 1;
std::string HandCursorFile();

}  // namespace velmora::art

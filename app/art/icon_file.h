#pragma once
// Writers for the program's icon and cursor files (one image each).

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::art {

// An icon file with one size x size image, 32 bits per pixel. `argb` holds
// 0xAARRGGBB pixels (straight alpha), rows top-down; the AND mask marks the
// pixels whose alpha is 0.
std::string EncodeIcon32(int size, const std::vector<uint32_t>& argb);

// A cursor file with one monochrome size x size image (size a multiple of 32).
// `pixels` holds one character per pixel, rows top-down: '#' black, 'o' white,
// anything else transparent. Rows shorter than `size` are transparent beyond
// their end.
std::string EncodeMonochromeCursor(int size, const std::vector<std::string>& pixels, int hotX,
                                   int hotY);

}  // namespace velmora::art

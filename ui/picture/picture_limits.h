#pragma once
// How large a decoded picture may be. A picture is held several times over while
// it is made (decoded pixels, a canvas and its saved rectangle, the device bitmap),
// all within the 2 GiB of a 32-bit process that also holds the rest of the program;
// 2048 x 2048 pixels are 16 MiB at 32 bits per pixel.

#include <cstddef>

namespace velmora {

constexpr size_t kMaxPicturePixels = size_t{1} << 22;

}  // namespace velmora

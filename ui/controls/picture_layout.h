#pragma once
// Where a background picture (of a label or a window) is drawn, by its
// PictureMode. The choice of layouts is ours:
//   0  natural size at the top left corner
//   1  tiled from the top left corner (the stored default)
//   2  stretched over the whole area
//   3  natural size, centred (windows only; a label's mode stops at 2)

#include <vector>

namespace velmora {

struct PictureCell {
    int x, y, width, height;
};

// The cells the picture of w x h (its natural size on the display) is drawn into,
// in an area of cw x ch at (0, 0).
// Empty when either size is not positive. Tiles cover what the area shows, at most
// kMaxPictureTiles of them (rows beyond that stay unpainted).
constexpr int kMaxPictureTiles = 65536;
std::vector<PictureCell> LayOutBackgroundPicture(int mode, int w, int h, int cw, int ch);

}  // namespace velmora

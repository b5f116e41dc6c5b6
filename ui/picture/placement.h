#pragma once
// Where a picture of w x h goes in a client area, by the picture box's DisplayMode.

namespace velmora {

struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// DisplayMode 0: natural size at (0, 0); 1: stretched to the client area;
// 2: centred, shrunk to fit (keeping its proportions) when larger than the area.
// Modes outside 0..2 count as 0. A picture or area without pixels gives an empty
// placement (nothing to draw). The natural size is the picture's pixels at 96 dpi:
// on a display of `dpi` it is width x height times dpi / 96, so that the picture
// covers the same share of its box at every scale.
Placement PlacePicture(int displayMode, int width, int height, int clientWidth, int clientHeight,
                       int dpi = 96);

}  // namespace velmora

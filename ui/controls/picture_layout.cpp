#include "ui/controls/picture_layout.h"

namespace velmora {

std::vector<PictureCell> LayOutBackgroundPicture(int mode, int w, int h, int cw, int ch) {
    std::vector<PictureCell> cells;
    if (w <= 0 || h <= 0 || cw <= 0 || ch <= 0)
        return cells;
    switch (mode) {
        case 1:
            for (int y = 0; y < ch; y += h) {
                const int columns = (cw + w - 1) / w;
                if (static_cast<long long>(cells.size()) + columns > kMaxPictureTiles)
                    break;
                for (int x = 0; x < cw; x += w)
                    cells.push_back({x, y, w, h});
            }
            break;
        case 2:
            cells.push_back({0, 0, cw, ch});
            break;
        case 3:
            cells.push_back({(cw - w) / 2, (ch - h) / 2, w, h});
            break;
        default:
            cells.push_back({0, 0, w, h});
            break;
    }
    return cells;
}

}  // namespace velmora

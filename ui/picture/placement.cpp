#include "ui/picture/placement.h"

namespace velmora {

Placement PlacePicture(int displayMode, int width, int height, int clientWidth, int clientHeight) {
    Placement p;
    if (width <= 0 || height <= 0)
        return p;
    if (clientWidth < 0)
        clientWidth = 0;
    if (clientHeight < 0)
        clientHeight = 0;
    switch (displayMode) {
        case 1:
            p.width = clientWidth;
            p.height = clientHeight;
            return p;
        case 2: {
            int availWidth = clientWidth;
            int availHeight = clientHeight;
            if (width < clientWidth) {
                p.x = (clientWidth - width) / 2;
                availWidth = width;
            }
            if (height < clientHeight) {
                p.y = (clientHeight - height) / 2;
                availHeight = height;
            }
            if (availWidth < width || availHeight < height) {
                double sx = static_cast<double>(availWidth) / width;
                double sy = static_cast<double>(availHeight) / height;
                double s = sx < sy ? sx : sy;
                p.width = static_cast<int>(width * s);
                p.height = static_cast<int>(height * s);
                p.x += (availWidth - p.width) / 2;
                p.y += (availHeight - p.height) / 2;
            } else {
                p.width = width;
                p.height = height;
            }
            return p;
        }
        default:
            p.width = width;
            p.height = height;
            return p;
    }
}

}  // namespace velmora

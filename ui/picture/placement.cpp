#include "ui/picture/placement.h"

#include <algorithm>

#include "ui/loader/display_scale.h"

namespace velmora {
namespace {

// A value rounded to a double. The x87 unit of the 32-bit build can hold quotients
// and products in extended precision unless they are stored, and then a size can
// truncate differently (49 x (1 / 49) is just below 1 as doubles, 1 in extended
// precision). Stored, every build computes as doubles do.
double Rounded(double value) {
    volatile double stored = value;
    return stored;
}

}  // namespace

Placement PlacePicture(int displayMode, int width, int height, int clientWidth, int clientHeight,
                       int dpi) {
    Placement p;
    if (width <= 0 || height <= 0)
        return p;
    const DisplayScale scale{dpi};
    width = scale.ToDevice(width);
    height = scale.ToDevice(height);
    clientWidth = std::max(clientWidth, 0);
    clientHeight = std::max(clientHeight, 0);
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
                const double sx = Rounded(static_cast<double>(availWidth) / width);
                const double sy = Rounded(static_cast<double>(availHeight) / height);
                const double s = sx < sy ? sx : sy;
                p.width = static_cast<int>(Rounded(width * s));
                p.height = static_cast<int>(Rounded(height * s));
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

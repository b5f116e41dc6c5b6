#pragma once
// The one boundary between stored geometry and the screen: stored left, top, width
// and height are pixels at 96 dots per inch, whatever the display's scale; the
// loader turns them into device pixels when it places windows and back when a
// handler reads them. For every dpi of 96 and up a stored value survives the trip
// to device pixels and back unchanged.

#include <cstdint>
#include <vector>

namespace velmora {

struct DisplayScale {
    int dpi = 96;  // a dpi of 0 or below counts as 96

    // Stored pixels to device pixels, rounded half away from zero (like MulDiv);
    // results beyond the int32 range are clamped to it.
    int ToDevice(int stored) const;
    // Device pixels back to stored pixels, rounded the same way.
    int ToStored(int device) const;
    bool Is96() const;
};

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelRect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// A window moved to a display of another scale. The window takes the rectangle that
// the system suggests (so that it stays on the display that caused the change);
// each child is placed afresh from its stored geometry, in the window's client
// coordinates, at the new scale. A suggested rectangle turned inside out gives an
// empty window.
struct ScaleChangeLayout {
    PixelRect window;
    std::vector<PixelRect> children;
};
ScaleChangeLayout LayoutForScaleChange(int suggestedLeft, int suggestedTop, int suggestedRight,
                                       int suggestedBottom,
                                       const std::vector<PixelRect>& storedChildren,
                                       DisplayScale newScale);

}  // namespace velmora

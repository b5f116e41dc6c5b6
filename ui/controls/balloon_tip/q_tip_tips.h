#pragma once
// The tips of a balloon tip box: their rectangles, matching the pointer to them,
// and the text of a tip with an icon.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/markup/markup_layout.h"

namespace velmora {

// An empty rectangle means the whole control.
inline bool IsWholeControl(const MarkupRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// The rectangle (left, top, left + width, top + height), normalised so that left <=
// right and top <= bottom; ends beyond the 32-bit range are kept at its limits.
MarkupRect NormalisedTipRect(int32_t left, int32_t top, int32_t width, int32_t height);

// "<table><tr><td><icon handle=0x%X></td><td>%s</td></tr></table>" with the icon
// handle and the text, whatever the text's length.
std::string IconTipText(uint32_t iconHandle, std::string_view text);

// The tip of one window's list under the point (client coordinates): a single tip
// with an empty rectangle covers the whole window; otherwise the first tip whose
// rectangle holds the point (empty ones never do). -1 for none. `Tip` has `rect`.
template <typename Tip>
int MatchTip(const std::vector<Tip>& tips, int x, int y) {
    if (tips.size() == 1 && IsWholeControl(tips[0].rect))
        return 0;
    for (size_t i = 0; i < tips.size(); ++i) {
        if (!IsWholeControl(tips[i].rect) && tips[i].rect.Contains(x, y))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace velmora

namespace velmora {

// Whether image list data (IconList, MarkupImageList) may hold an image list: at
// least 9 bytes beginning with "MITL"; the list's stream starts at byte 8.
inline bool IsImageListData(std::string_view data) {
    return data.size() >= 9 && data.substr(0, 4) == "MITL";
}
constexpr size_t kImageListStreamOffset = 8;

}  // namespace velmora

#pragma once
// The border table shared by the edit box, the picture box and the label: which
// window styles each Border value sets.

#include <cstdint>

namespace velmora {

struct BorderStyles {
    uint32_t style = 0;    // WS_BORDER
    uint32_t exStyle = 0;  // WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, WS_EX_DLGMODALFRAME
};

// Every style bit the table can set; cleared before a value's bits are set.
BorderStyles AllBorderStyles();

// 0 none, 1 sunken, 2 raised, 3 thin sunken, 4 framed, 5 single line; any other
// value (the label's gradient border) sets none.
BorderStyles BorderStylesFor(int32_t border);

constexpr int32_t kLastBorder = 5;
// The label's border beyond the table, a gradient frame it paints itself.
constexpr int32_t kGradientBorder = 6;

}  // namespace velmora

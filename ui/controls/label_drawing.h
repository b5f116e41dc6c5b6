#pragma once
// The portable half of drawing a label: which gradient colours are used, the
// colours of the gradient border and of the eight gradient backgrounds, the
// DrawText flags and the copies of the text that Effect draws under it.
//
// Gradient backgrounds (GradBackMode), our choice; t runs from 0 (first used
// colour) to 1 (last used colour), through the middle one when three are used:
//   1  horizontal: left edge to right edge
//   2  vertical: top edge to bottom edge
//   3  diagonal: top left corner to bottom right corner
//   4  diagonal: bottom left corner to top right corner
//   5  from the vertical centre line out to the left and right edges
//   6  from the horizontal centre line out to the top and bottom edges
//   7  rectangular, from the centre out to the edges
//   8  round, from the centre out to the corners
// The gradient border (Border 6) runs the same way from the outermost ring of
// pixels (t = 0) to the innermost (t = 1): with the stored grey, white, grey it
// looks like a rounded frame.

#include <cstdint>

namespace velmora {

// The gradient colours that are used (not 0xFF000000), in order.
struct GradientStops {
    uint32_t colours[3] = {};  // COLORREF 0x00BBGGRR
    int count = 0;
};
GradientStops UsedGradientColours(uint32_t first, uint32_t second, uint32_t third);

// The colour at t (clamped to 0..1) between the stops; black without stops.
uint32_t GradientColourAt(const GradientStops& stops, double t);

constexpr int kFirstGradientMode = 1;
constexpr int kLastGradientMode = 8;

// Where a pixel lies in the gradient of `mode` over an area of width x height:
// t in 0..1 (0 for a mode outside 1..8).
double GradientPosition(int mode, int x, int y, int width, int height);

// The pixels of columns x0..x1-1 and rows y0..y1-1 of the gradient of `mode` over
// width x height, row after row, as 32-bit DIB pixels (0x00RRGGBB).
void FillGradientBlock(int mode, const GradientStops& stops, int width, int height, int x0, int y0,
                       int x1, int y1, uint32_t* out);

// The colour of ring `ring` (0 = outermost) of a gradient border `width` pixels wide.
uint32_t BorderRingColour(const GradientStops& stops, int ring, int width);

// A COLORREF as a 32-bit DIB pixel.
constexpr uint32_t DibPixelFromColour(uint32_t colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// DrawText flags, spelled out: this file is portable.
enum : uint32_t {
    kDtLeft = 0x0000,
    kDtCenter = 0x0001,
    kDtRight = 0x0002,
    kDtVCenter = 0x0004,
    kDtBottom = 0x0008,
    kDtWordBreak = 0x0010,
    kDtSingleLine = 0x0020,
    kDtNoClip = 0x0100,
};

// The DrawText flags of a caption: DT_NOCLIP; DT_CENTER for HAlign 1, DT_RIGHT for
// 2 (else DT_LEFT); with WordWrap 1 DT_WORDBREAK | DT_VCENTER, otherwise
// DT_SINGLELINE plus DT_VCENTER for VAlign 1 or DT_BOTTOM for 2.
uint32_t LabelTextFormat(int32_t hAlign, int32_t vAlign, int32_t wordWrap);

// How the caption is drawn: an optional copy first (Effect 1: white at (1, 1);
// 2: white in place, the text then at (1, 1); 3: black at (2, 2)), then the text
// in its own colour.
struct TextPass {
    int dx = 0;
    int dy = 0;
    uint32_t colour = 0;  // COLORREF
};
struct LabelTextPasses {
    bool hasCopy = false;
    TextPass copy;
    TextPass text;
};
LabelTextPasses TextPassesFor(int32_t effect, uint32_t textColour);

}  // namespace velmora

#pragma once
// Where the balloon goes and what shape it has: the body round the text, the
// pointer triangle on one of its edges with its apex on the point P, the choice of
// that edge from the Placement code and the screen's edges, and the room for the
// shadow.
//
// Placement 0-11 maps to a code: 0->0, 1->2, 2->1, 3->32, 4->34, 5->33, 6->48,
// 7->50, 8->49, 9->16, 10->18, 11->17. The code's high part is the pointer's edge:
// 0 top (balloon below P), 16 bottom (above P), 32 left (to the right of P), 48
// right (to the left of P); its low part the pointer's place on that edge: 0 near
// the start (left or top), 1 near the end, 2 centred. Near the start the apex lies
// `PointerMargin` from the start, above the start of the triangle's base; near the
// end `PointerMargin` from the end, above the base's end; centred in the middle.

#include "ui/markup/markup_layout.h"

namespace velmora {

// The balloon's sizes 0 to 8 (CornerWidth ... ReservedSize8).
struct BalloonSizes {
    int cornerWidth = 16;
    int cornerHeight = 16;
    int marginX = 12;
    int marginY = 12;
    int pointerWidth = 12;
    int pointerHeight = 16;
    int pointerMargin = 16;
    int reserved7 = 0;
    int reserved8 = 0;
};
// Sizes are kept between 0 and this.
constexpr int kMaxBalloonSize = 1024;
// A tip's text shows at most this wide and high; the rest is cut off.
constexpr int kMaxBalloonText = 2048;

enum : int {
    kPointerOnTop = 0,
    kPointerOnBottom = 16,
    kPointerOnLeft = 32,
    kPointerOnRight = 48,
};
// The two parts of a code: the pointer's edge, and its place on that edge.
constexpr int kPointerEdgeMask = 0x30;
constexpr int kPointerPlaceMask = 0x0F;
inline int PointerEdge(int code) {
    return code & kPointerEdgeMask;
}
// A balloon that was never given a placement: above P, the pointer near the start
// of its bottom edge.
constexpr int kDefaultPlacementCode = kPointerOnBottom;

// The code of Placement 0-11, or -1 for any other value.
int PlacementCode(int placement);

struct BalloonPoint {
    int x = 0, y = 0;
};
inline bool operator==(const BalloonPoint& a, const BalloonPoint& b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator!=(const BalloonPoint& a, const BalloonPoint& b) {
    return !(a == b);
}

struct BalloonGeometry {
    int code = kDefaultPlacementCode;  // after fitting to the screen
    MarkupRect window;                 // screen coordinates, shadow included
    MarkupRect body;                   // window coordinates
    MarkupRect content;                // window coordinates: where the text goes
    MarkupRect shape;                  // window coordinates: the body with the pointer's band
    bool hasPointer = false;
    BalloonPoint triangle[3];  // window coordinates: the base's two ends, the apex
    BalloonPoint shadowOffset;
};

// The balloon for text of `textWidth` x `textHeight` at P (screen coordinates),
// starting from `code`, fitted into `screen` (its right and bottom exclusive).
BalloonGeometry PlaceBalloon(int textWidth, int textHeight, const BalloonSizes& sizes, int code,
                             BalloonPoint p, const MarkupRect& screen, int shadowX, int shadowY);

}  // namespace velmora

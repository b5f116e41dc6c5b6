#include "ui/controls/balloon_tip/balloon_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {

namespace {

constexpr int kCodes[12] = {0, 2, 1, 32, 34, 33, 48, 50, 49, 16, 18, 17};

int Place(int code) {
    return code & kPointerPlaceMask;
}
bool Horizontal(int code) {
    return PointerEdge(code) == kPointerOnTop || PointerEdge(code) == kPointerOnBottom;
}

// Everything about a placement but its final position on the screen.
struct Shape {
    int bodyWidth, bodyHeight, band;
    int along;      // the length of the pointer's edge
    int apex;       // along that edge
    int baseStart;  // along that edge
};

Shape Outline(int textWidth, int textHeight, const BalloonSizes& s, int code) {
    Shape o;
    o.bodyWidth = textWidth + 2 * s.marginX;
    o.bodyHeight = textHeight + 2 * s.marginY;
    o.band = s.pointerHeight;
    o.along = Horizontal(code) ? o.bodyWidth : o.bodyHeight;
    const int width = std::min(s.pointerWidth, o.along);
    switch (Place(code)) {
        case 0:
            o.baseStart = s.pointerMargin;
            o.apex = o.baseStart;
            break;
        case 1:
            o.baseStart = o.along - s.pointerMargin - width;
            o.apex = o.baseStart + width;
            break;
        default:
            o.baseStart = (o.along - width) / 2;
            o.apex = o.along / 2;
            break;
    }
    // The base stays on the edge; the apex moves with it.
    const int clamped = std::clamp(o.baseStart, 0, o.along - width);
    o.apex += clamped - o.baseStart;
    o.baseStart = clamped;
    return o;
}

BalloonGeometry Build(const Shape& o, const BalloonSizes& s, int code, BalloonPoint p, int shadowX,
                      int shadowY) {
    BalloonGeometry g;
    g.code = code;
    const int edge = PointerEdge(code);
    const int w = Horizontal(code) ? o.bodyWidth : o.bodyWidth + o.band;
    const int h = Horizontal(code) ? o.bodyHeight + o.band : o.bodyHeight;
    const BalloonPoint shift{std::max(0, -shadowX), std::max(0, -shadowY)};
    const int bx = (edge == kPointerOnLeft ? o.band : 0) + shift.x;
    const int by = (edge == kPointerOnTop ? o.band : 0) + shift.y;
    g.body = {bx, by, bx + o.bodyWidth, by + o.bodyHeight};
    g.content = {bx + s.marginX, by + s.marginY, g.body.right - s.marginX,
                 g.body.bottom - s.marginY};
    g.shape = {shift.x, shift.y, shift.x + w, shift.y + h};
    const int pw = std::min(s.pointerWidth, o.along);
    BalloonPoint apex, a, b;
    switch (edge) {
        case kPointerOnTop:
            apex = {bx + o.apex, shift.y};
            a = {bx + o.baseStart, by};
            b = {bx + o.baseStart + pw, by};
            break;
        case kPointerOnBottom:
            apex = {bx + o.apex, g.body.bottom + o.band};
            a = {bx + o.baseStart, g.body.bottom};
            b = {bx + o.baseStart + pw, g.body.bottom};
            break;
        case kPointerOnLeft:
            apex = {shift.x, by + o.apex};
            a = {bx, by + o.baseStart};
            b = {bx, by + o.baseStart + pw};
            break;
        default:
            apex = {g.body.right + o.band, by + o.apex};
            a = {g.body.right, by + o.baseStart};
            b = {g.body.right, by + o.baseStart + pw};
            break;
    }
    g.hasPointer = s.pointerWidth > 0 && s.pointerHeight > 0;
    g.triangle[0] = a;
    g.triangle[1] = b;
    g.triangle[2] = apex;
    g.shadowOffset = {shadowX, shadowY};
    const int left = p.x - apex.x, top = p.y - apex.y;
    g.window = {left, top, left + w + std::abs(shadowX), top + h + std::abs(shadowY)};
    return g;
}

}  // namespace

int PlacementCode(int placement) {
    return placement >= 0 && placement < 12 ? kCodes[placement] : -1;
}

BalloonGeometry PlaceBalloon(int textWidth, int textHeight, const BalloonSizes& sizes, int code,
                             BalloonPoint p, const MarkupRect& screen, int shadowX, int shadowY) {
    BalloonSizes s = sizes;
    for (int* v : {&s.cornerWidth, &s.cornerHeight, &s.marginX, &s.marginY, &s.pointerWidth,
                   &s.pointerHeight, &s.pointerMargin})
        *v = std::clamp(*v, 0, kMaxBalloonSize);
    textWidth = std::clamp(textWidth, 0, kMaxBalloonText);
    textHeight = std::clamp(textHeight, 0, kMaxBalloonText);
    shadowX = std::clamp(shadowX, -kMaxBalloonSize, kMaxBalloonSize);
    shadowY = std::clamp(shadowY, -kMaxBalloonSize, kMaxBalloonSize);
    if (Place(code) > 2 || (code & ~0x3F) != 0)
        code = kPointerOnBottom;
    auto at = [&](int c) {
        return Build(Outline(textWidth, textHeight, s, c), s, c, p, shadowX, shadowY);
    };
    BalloonGeometry g = at(code);

    // 1. Across: the pointer goes to the other end, or the balloon to the other side.
    const int edge = PointerEdge(code), place = Place(code);
    if (Horizontal(code) && place != 2) {
        if (place == 0 && g.window.right > screen.right)
            code += 1;
        else if (place == 1 && g.window.left < screen.left)
            code -= 1;
    } else if (edge == kPointerOnLeft && g.window.right > screen.right) {
        code += 16;
    } else if (edge == kPointerOnRight && g.window.left < screen.left) {
        code -= 16;
    }
    g = at(code);

    // 2. Up and down.
    if (PointerEdge(code) == kPointerOnTop && g.window.bottom > screen.bottom) {
        code += 16;
    } else if (PointerEdge(code) == kPointerOnBottom && g.window.top < screen.top) {
        code -= 16;
    } else if (!Horizontal(code) && Place(code) == 0 && g.window.bottom > screen.bottom) {
        code += 1;
    } else if (!Horizontal(code) && Place(code) == 1 && g.window.top < screen.top) {
        code -= 1;
    }
    g = at(code);

    // 3. What still sticks out moves the pointer along its edge, the apex staying on P.
    Shape o = Outline(textWidth, textHeight, s, code);
    const bool across = Horizontal(code);
    const int low = across ? screen.left : screen.top;
    const int high = across ? screen.right : screen.bottom;
    const int start = across ? g.window.left : g.window.top;
    const int end = across ? g.window.right : g.window.bottom;
    int move = 0;  // how far the balloon moves along the edge
    if (end > high)
        move = high - end;
    if (start + move < low)
        move = low - start;
    if (move != 0) {
        // The apex may lean out over the base's end, as far as the body's corner.
        const int pw = std::min(s.pointerWidth, o.along);
        o.baseStart = std::clamp(o.baseStart - move, 0, o.along - pw);
        o.apex = std::clamp(o.apex - move, 0, o.along);
        g = Build(o, s, code, p, shadowX, shadowY);
    }
    return g;
}

}  // namespace velmora

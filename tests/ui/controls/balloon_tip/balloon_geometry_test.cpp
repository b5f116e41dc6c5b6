// Covers: where the balloon goes.
//  - Placement 0-11 to codes, other values to none;
//  - for each edge, the apex on P and the body on its side (bottom pointer: above
//    P, the pointer near the lower left corner);
//  - near each screen edge the switches of the code, and the final move of the
//    pointer along its edge so that the whole balloon stays on the screen;
//  - the content and body rectangles from the margins; room for the shadow.
#include <gtest/gtest.h>

#include "ui/controls/balloon_tip/balloon_geometry.h"

namespace velmora {
namespace {

const MarkupRect kScreen{0, 0, 1024, 768};
constexpr int kW = 200, kH = 40;  // the text

BalloonGeometry At(int code, int x, int y, const BalloonSizes& s = BalloonSizes{}, int sx = 0,
                   int sy = 0) {
    return PlaceBalloon(kW, kH, s, code, {x, y}, kScreen, sx, sy);
}

BalloonPoint Apex(const BalloonGeometry& g) {
    return {g.window.left + g.triangle[2].x, g.window.top + g.triangle[2].y};
}

bool OnScreen(const BalloonGeometry& g) {
    return g.window.left >= kScreen.left && g.window.top >= kScreen.top &&
           g.window.right <= kScreen.right && g.window.bottom <= kScreen.bottom;
}

TEST(BalloonGeometry, PlacementCodes) {
    const int expected[12] = {0, 2, 1, 32, 34, 33, 48, 50, 49, 16, 18, 17};
    for (int p = 0; p < 12; ++p)
        EXPECT_EQ(PlacementCode(p), expected[p]) << p;
    EXPECT_EQ(PlacementCode(12), -1);
    EXPECT_EQ(PlacementCode(-1), -1);
}

TEST(BalloonGeometry, EachEdgePutsTheApexOnPAndTheBodyOnItsSide) {
    const BalloonSizes s;
    const int bw = kW + 2 * s.marginX, bh = kH + 2 * s.marginY;
    const BalloonPoint p{500, 400};
    const struct {
        int code;
        int bodyLeft, bodyTop;  // screen position of the body
    } cases[] = {
        {0, p.x - s.pointerMargin, p.y + s.pointerHeight},               // below, near left
        {1, p.x - (bw - s.pointerMargin), p.y + s.pointerHeight},        // below, near right
        {2, p.x - bw / 2, p.y + s.pointerHeight},                        // below, centred
        {16, p.x - s.pointerMargin, p.y - s.pointerHeight - bh},         // above
        {32, p.x + s.pointerHeight, p.y - s.pointerMargin},              // to the right
        {49, p.x - s.pointerHeight - bw, p.y - (bh - s.pointerMargin)},  // to the left
    };
    for (const auto& c : cases) {
        const BalloonGeometry g = At(c.code, p.x, p.y);
        EXPECT_EQ(g.code, c.code);
        EXPECT_EQ(Apex(g), p) << c.code;
        EXPECT_EQ(g.window.left + g.body.left, c.bodyLeft) << c.code;
        EXPECT_EQ(g.window.top + g.body.top, c.bodyTop) << c.code;
        EXPECT_EQ(g.body.width(), bw);
        EXPECT_EQ(g.body.height(), bh);
        EXPECT_EQ(g.content.left - g.body.left, s.marginX);
        EXPECT_EQ(g.content.width(), kW);
        EXPECT_TRUE(g.hasPointer);
    }
    // The band of a top or bottom pointer: the window is the body and PointerHeight.
    EXPECT_EQ(At(16, 500, 400).window.height(), bh + s.pointerHeight);
    // The shadow adds its offsets to the window, the apex staying on P.
    const BalloonGeometry shadow = At(16, 500, 400, s, 5, 3);
    EXPECT_EQ(shadow.window.width(), bw + 5);
    EXPECT_EQ(shadow.window.height(), bh + s.pointerHeight + 3);
    EXPECT_EQ(Apex(shadow), p);
    BalloonSizes flat;
    flat.pointerWidth = 0;
    EXPECT_FALSE(At(16, 500, 400, flat).hasPointer);
}

TEST(BalloonGeometry, TheScreensEdgesSwitchTheCode) {
    const struct {
        int code;
        int x, y;
        int fitted;
    } cases[] = {
        {16, 500, 20, 0},     // near the top: below P, pointer on the top edge
        {16, 1000, 400, 17},  // near the right: pointer at the lower right corner
        {17, 10, 400, 16},   {0, 1000, 400, 1},
        {1, 500, 760, 17},  // near the bottom: above P
        {2, 500, 760, 18},   {18, 500, 5, 2},
        {32, 1000, 400, 48},  // pointer on the left edge, too far right: to the left of P
        {48, 10, 400, 32},   {32, 500, 760, 33},
        {49, 500, 5, 48},    {16, 1000, 20, 1},  // the top right corner: both switches
    };
    for (const auto& c : cases) {
        const BalloonGeometry g = At(c.code, c.x, c.y);
        EXPECT_EQ(g.code, c.fitted) << c.code << " at " << c.x << "," << c.y;
        EXPECT_EQ(Apex(g), (BalloonPoint{c.x, c.y})) << c.code;
        EXPECT_TRUE(OnScreen(g)) << c.code << " at " << c.x << "," << c.y;
    }
}

TEST(BalloonGeometry, ThePointerMovesAlongItsEdgeToKeepTheBalloonOnTheScreen) {
    // Centred pointers do not switch: near an edge the pointer slides instead.
    const struct {
        int code;
        int x, y;
    } cases[] = {{18, 1010, 400}, {18, 5, 400}, {50, 100, 5}, {34, 100, 760}, {16, 2, 400}};
    for (const auto& c : cases) {
        const BalloonGeometry g = At(c.code, c.x, c.y);
        EXPECT_TRUE(OnScreen(g)) << c.code << " at " << c.x;
        EXPECT_EQ(Apex(g), (BalloonPoint{c.x, c.y})) << c.code << " at " << c.x;
        // The base stays on the body's edge.
        const bool across = (g.code & 0x30) < 32;
        const int along0 = across ? g.triangle[0].x : g.triangle[0].y;
        const int along1 = across ? g.triangle[1].x : g.triangle[1].y;
        EXPECT_GE(along0, across ? g.body.left : g.body.top);
        EXPECT_LE(along1, across ? g.body.right : g.body.bottom);
    }
}

}  // namespace
}  // namespace velmora

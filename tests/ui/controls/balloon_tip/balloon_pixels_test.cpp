// Covers: the balloon's pixel work and its tips.
//  - the shadow's grey level, darkened backdrop and the blend at (100 - t)%;
//  - the shadow's mask moved by its offsets, with and without its soft edge;
//  - the pointer's band repeating the body's edge row; background effects by
//    name, solid and gradient ends;
//  - tip rectangles normalised (also beyond the 32-bit range), the icon table's
//    text for any length, and matching the pointer to a window's tips.
#include <gtest/gtest.h>

#include "ui/controls/balloon_tip/balloon_pixels.h"
#include "ui/controls/balloon_tip/q_tip_tips.h"
#include "ui/markup/background_effects.h"

namespace velmora {
namespace {

TEST(BalloonPixels, ShadowGreyAndBlending) {
    const struct {
        int darkness, transparency, grey;
    } greys[] = {{60, 0, 102},   {0, 0, 255}, {100, 0, 0}, {100, 50, 127},
                 {60, 100, 255}, {150, 0, 0}, {-5, 0, 255}};
    for (const auto& g : greys)
        EXPECT_EQ(ShadowGrey(g.darkness, g.transparency), g.grey) << g.darkness;

    // Three pixels: outside both, under the shadow only, inside the shape.
    PixelBuffer backdrop(3, 1, 0xC8C8C8);
    const PixelBuffer balloon(3, 1, 0x0000FF);
    PixelMask shape(3, 1), shadow(3, 1);
    shape.at(2, 0) = 255;
    shadow.at(1, 0) = 255;
    ComposeBalloon(backdrop, balloon, shape, &shadow, 128, 0);
    EXPECT_EQ(backdrop.at(0, 0), 0xC8C8C8u);
    EXPECT_EQ(backdrop.at(1, 0), 0x646464u);  // 200 * 128 / 255
    EXPECT_EQ(backdrop.at(2, 0), 0x0000FFu);  // opaque
    PixelBuffer half(3, 1, 0x000000);
    ComposeBalloon(half, PixelBuffer(3, 1, 0xFFFFFF), shape, nullptr, 0, 50);
    EXPECT_EQ(half.at(2, 0), 0x7F7F7Fu);
}

TEST(BalloonPixels, TheShadowsMask) {
    PixelMask shape(20, 10);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            shape.at(x, y) = 255;
    const PixelMask hard = ShadowMask(shape, 5, 3, 7, 7, false);
    EXPECT_EQ(hard.at(5, 3), 255);
    EXPECT_EQ(hard.at(4, 3), 0);
    EXPECT_EQ(hard.at(14, 7), 255);
    EXPECT_EQ(hard.at(15, 7), 0);
    const PixelMask soft = ShadowMask(shape, 5, 3, 7, 7, true);
    EXPECT_GT(soft.at(4, 5), 0);    // the edge spreads outwards
    EXPECT_LT(soft.at(5, 3), 255);  // and fades inwards
    EXPECT_GT(soft.at(9, 5), soft.at(5, 3));
}

TEST(BalloonPixels, ThePointersBandAndBackgroundEffects) {
    BalloonGeometry g;
    g.code = kPointerOnBottom;
    g.body = {0, 0, 4, 3};
    g.shape = {0, 0, 4, 5};
    PixelBuffer bg(4, 5, 0);
    for (int x = 0; x < 4; ++x)
        bg.at(x, 2) = 0x100 + x;
    FillPointerBand(bg, g);
    EXPECT_EQ(bg.at(1, 3), 0x101u);
    EXPECT_EQ(bg.at(3, 4), 0x103u);

    EXPECT_EQ(BackgroundEffectByName("hgradient"), 1);
    EXPECT_EQ(BackgroundEffectByName("metal"), 15);
    EXPECT_EQ(BackgroundEffectByName("sparkle"), 0);
    PixelBuffer solid(5, 2, 0);
    PaintBackgroundEffect(solid, 1, 0, 3, 2, 0, 0xABCDEF, 0, 0, 5);
    EXPECT_EQ(solid.at(0, 0), 0u);  // outside the rectangle
    EXPECT_EQ(solid.at(3, 1), 0xABCDEFu);
    PixelBuffer gradient(11, 1, 0);
    PaintBackgroundEffect(gradient, 0, 0, 11, 1, 1, 0x000000, 0, 0xFFFFFF, 1);
    EXPECT_EQ(gradient.at(0, 0), 0x000000u);
    EXPECT_EQ(gradient.at(10, 0), 0xFFFFFFu);
    for (int effect = 0; effect <= 16; ++effect) {  // every effect stays inside its rectangle
        PixelBuffer out(8, 8, 0x123456);
        PaintBackgroundEffect(out, 2, 2, 4, 4, effect, 0x808080, 0x404040, 0xC0C0C0, 3);
        EXPECT_EQ(out.at(1, 1), 0x123456u) << effect;
        EXPECT_EQ(out.at(6, 6), 0x123456u) << effect;
    }
}

TEST(QTipTips, RectanglesIconTextAndMatching) {
    const struct {
        int32_t left, top, width, height;
        MarkupRect rect;
    } rects[] = {
        {10, 20, 30, 40, {10, 20, 40, 60}},
        {10, 20, -30, -40, {-20, -20, 10, 20}},
        {INT32_MAX - 5, 0, 100, 1, {INT32_MAX - 5, 0, INT32_MAX, 1}},
    };
    for (const auto& r : rects) {
        const MarkupRect n = NormalisedTipRect(r.left, r.top, r.width, r.height);
        EXPECT_EQ(n.left, r.rect.left);
        EXPECT_EQ(n.top, r.rect.top);
        EXPECT_EQ(n.right, r.rect.right);
        EXPECT_EQ(n.bottom, r.rect.bottom);
    }
    EXPECT_EQ(IconTipText(0x1A2B, "hi"),
              "<table><tr><td><icon handle=0x1A2B></td><td>hi</td></tr></table>");
    const std::string longText(100000, 'x');
    EXPECT_EQ(IconTipText(0xFFFFFFFF, longText),
              "<table><tr><td><icon handle=0xFFFFFFFF></td><td>" + longText + "</td></tr></table>");

    struct Tip {
        MarkupRect rect;
    };
    const std::vector<Tip> whole = {{{}}};
    EXPECT_EQ(MatchTip(whole, 500, 500), 0);
    const std::vector<Tip> two = {{{0, 0, 10, 10}}, {{}}, {{5, 5, 20, 20}}};
    EXPECT_EQ(MatchTip(two, 7, 7), 0);  // the first that holds it
    EXPECT_EQ(MatchTip(two, 15, 15), 2);
    EXPECT_EQ(MatchTip(two, 30, 30), -1);  // empty rectangles never match among others
    EXPECT_TRUE(IsImageListData(std::string("MITL\0\0\0\0x", 9)));
    EXPECT_FALSE(IsImageListData(std::string("MITL\0\0\0\0", 8)));
    EXPECT_FALSE(IsImageListData(std::string("MITX\0\0\0\0x", 9)));
}

}  // namespace
}  // namespace velmora

// Covers: stored (96-dpi) geometry and device pixels.
//  - to device and back, rounded half away from zero on both signs, at the usual
//    scales, with 96 and a dpi of 0 or below leaving values as they are, and
//    results beyond the int32 range clamped instead of overflowing;
//  - every stored position and size the loader keeps survives the trip to device
//    pixels and back at every dpi from 96 up;
//  - a move to a display of another scale: the window takes the suggested
//    rectangle (an inside-out one gives an empty window), the children their
//    stored geometry at the new scale.
#include <gtest/gtest.h>

#include <climits>

#include "ui/loader/display_scale.h"
#include "ui/loader/property_conversion.h"

namespace velmora {
namespace {

struct Conversion {
    int dpi;
    int value;
    int toDevice;
    int toStored;
};

TEST(DisplayScale, ConvertsAndRounds) {
    const Conversion cases[] = {
        {96, 37, 37, 37},
        {96, -32627, -32627, -32627},
        {0, 37, 37, 37},
        {-144, 37, 37, 37},
        {144, 1, 2, 1},
        {144, -1, -2, -1},  // 1.5 -> 2, 0.67 -> 1
        {144, 3, 5, 2},
        {144, -3, -5, -2},
        {120, 2, 3, 2},
        {120, -2, -3, -2},  // 2.5 -> 3, 1.6 -> 2
        {120, 5, 6, 4},
        {192, 0, 0, 0},
        {168, 32627, 57097, 18644},           // 57097.25, 18644
        {240, -32627, -81568, -13051},        // -81567.5, -13050.8
        {288, INT_MAX, INT_MAX, 715827882},   // clamped; 715827882.33
        {288, INT_MIN, INT_MIN, -715827883},  // clamped; -715827882.67
        {48, INT_MAX, 1073741824, INT_MAX},   // 1073741823.5 -> ...24; clamped
    };
    for (const Conversion& c : cases) {
        DisplayScale s{c.dpi};
        EXPECT_EQ(s.ToDevice(c.value), c.toDevice) << c.dpi << " dpi, " << c.value;
        EXPECT_EQ(s.ToStored(c.value), c.toStored) << c.dpi << " dpi, " << c.value;
    }
    EXPECT_TRUE((DisplayScale{96}.Is96()));
    EXPECT_TRUE((DisplayScale{0}.Is96()));
    EXPECT_FALSE((DisplayScale{144}.Is96()));
}

TEST(DisplayScale, EveryStoredValueSurvivesTheTrip) {
    for (int dpi : {96, 97, 120, 144, 168, 192, 240, 288, 480}) {
        const DisplayScale s{dpi};
        int failures = 0;
        for (int v = -kMaxCoordinate; v <= kMaxCoordinate && failures < 5; ++v) {
            if (s.ToStored(s.ToDevice(v)) != v) {
                ADD_FAILURE() << v << " at " << dpi << " dpi comes back as "
                              << s.ToStored(s.ToDevice(v));
                ++failures;
            }
        }
    }
}

TEST(DisplayScale, LayoutAfterAScaleChange) {
    const std::vector<PixelRect> stored = {{8, 10, 75, 23}, {-5, 0, 0, 1}, {100, 37, 1, 3}};
    ScaleChangeLayout at144 = LayoutForScaleChange(1500, 200, 1950, 560, stored, DisplayScale{144});
    EXPECT_EQ(at144.window, (PixelRect{1500, 200, 450, 360}));
    EXPECT_EQ(at144.children,
              (std::vector<PixelRect>{{12, 15, 113, 35}, {-8, 0, 0, 2}, {150, 56, 2, 5}}));

    ScaleChangeLayout back = LayoutForScaleChange(-900, -40, -600, 200, stored, DisplayScale{96});
    EXPECT_EQ(back.window, (PixelRect{-900, -40, 300, 240}));
    EXPECT_EQ(back.children, stored);

    ScaleChangeLayout insideOut =
        LayoutForScaleChange(INT_MAX, 10, INT_MIN, 5, {}, DisplayScale{192});
    EXPECT_EQ(insideOut.window, (PixelRect{INT_MAX, 10, 0, 0}));
    EXPECT_TRUE(insideOut.children.empty());
}

}  // namespace
}  // namespace velmora

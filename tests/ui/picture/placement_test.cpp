// Covers: placement of a picture in a client area by DisplayMode, including the
// three documented examples, shrinking in one or both directions, pictures larger
// than the area in one direction and smaller in the other, and empty sizes.
#include <gtest/gtest.h>

#include "ui/picture/placement.h"

namespace velmora {
namespace {

void ExpectPlacement(const Placement& p, int x, int y, int w, int h) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.width, w);
    EXPECT_EQ(p.height, h);
}

TEST(Placement, DocumentedExamples) {
    ExpectPlacement(PlacePicture(1, 142, 144, 112, 145), 0, 0, 112, 145);
    ExpectPlacement(PlacePicture(2, 200, 100, 100, 100), 0, 25, 100, 50);
    ExpectPlacement(PlacePicture(2, 50, 40, 100, 100), 25, 30, 50, 40);
}

TEST(Placement, NaturalSizeForModeZeroAndUnknownModes) {
    ExpectPlacement(PlacePicture(0, 142, 144, 112, 145), 0, 0, 142, 144);
    ExpectPlacement(PlacePicture(7, 10, 20, 5, 5), 0, 0, 10, 20);
}

TEST(Placement, ModeTwoShrinksKeepingProportions) {
    // Taller than the area, narrower: centred across, scaled to the height.
    // x = (100 - 50) / 2 = 25, aw = 50; s = min(50/50, 100/400) = 0.25 -> 12 x 100,
    // x += (50 - 12) / 2 = 19.
    ExpectPlacement(PlacePicture(2, 50, 400, 100, 100), 44, 0, 12, 100);
    // Larger both ways: the smaller factor wins. s = min(100/300, 90/200) = 1/3 as a
    // double; 300 s rounds to 100, 200 s -> 66.
    ExpectPlacement(PlacePicture(2, 300, 200, 100, 90), 0, 12, 100, 66);
    // Doubles, not the x87 unit's extended precision: 1/49 as a double, times 49, is
    // just below 1 and truncates to 0 (1 in extended precision).
    ExpectPlacement(PlacePicture(2, 49, 98, 1, 2), 0, 0, 0, 1);
    // Exactly the area's size: drawn as it is.
    ExpectPlacement(PlacePicture(2, 100, 100, 100, 100), 0, 0, 100, 100);
    // Odd differences truncate.
    ExpectPlacement(PlacePicture(2, 10, 10, 15, 16), 2, 3, 10, 10);
}

TEST(Placement, EmptyPictureOrAreaDrawsNothingSensible) {
    ExpectPlacement(PlacePicture(2, 0, 10, 100, 100), 0, 0, 0, 0);
    ExpectPlacement(PlacePicture(1, 10, 0, 100, 100), 0, 0, 0, 0);
    ExpectPlacement(PlacePicture(2, 10, 10, 0, 0), 0, 0, 0, 0);
    ExpectPlacement(PlacePicture(1, 10, 10, -5, -5), 0, 0, 0, 0);
}

TEST(Placement, NaturalSizesFollowTheDisplayScale) {
    const struct {
        int mode, width, height, clientWidth, clientHeight, dpi;
        Placement expected;
    } cases[] = {
        // The documented centred example in a box of twice the pixels at 192 dpi:
        // the same share of the box, in the same place.
        {2, 50, 40, 200, 200, 192, {50, 60, 100, 80}},
        {0, 142, 144, 224, 290, 192, {0, 0, 284, 288}},
        {0, 15, 15, 100, 100, 144, {0, 0, 23, 23}},  // 22.5 rounds up
        // A picture that fitted at 96 dpi but, grown, no longer fits the box: shrunk.
        {2, 100, 100, 150, 300, 192, {0, 75, 150, 150}},
        // Stretched pictures fill the box at any scale.
        {1, 10, 10, 100, 90, 192, {0, 0, 100, 90}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.dpi);
        ExpectPlacement(
            PlacePicture(c.mode, c.width, c.height, c.clientWidth, c.clientHeight, c.dpi),
            c.expected.x, c.expected.y, c.expected.width, c.expected.height);
    }
}

}  // namespace
}  // namespace velmora

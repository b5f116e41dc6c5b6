// Covers: the portable half of drawing a label.
//  - colours along two- and three-colour gradients (an unused colour left out),
//    ends exact, t clamped;
//  - where pixels lie in each of the eight gradient backgrounds (ends, centres,
//    areas one pixel wide);
//  - the DrawText flags for every alignment and word-wrap setting, stored values
//    out of range included.
#include <gtest/gtest.h>

#include "ui/controls/label_drawing.h"

namespace velmora {
namespace {

constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kUnused = 0xFF000000;

TEST(LabelDrawing, GradientColoursRunThroughTheStops) {
    const GradientStops two = UsedGradientColours(kRed, kUnused, kBlue);
    const GradientStops three = UsedGradientColours(kRed, kGreen, kBlue);
    struct Case {
        const GradientStops* stops;
        double t;
        uint32_t colour;
    } cases[] = {
        {&two, 0.0, kRed},        {&two, 1.0, kBlue},   {&two, 0.5, 0x800080},
        {&two, -3.0, kRed},       {&two, 7.0, kBlue},   {&three, 0.0, kRed},
        {&three, 0.5, kGreen},    {&three, 1.0, kBlue}, {&three, 0.25, 0x008080},
        {&three, 0.75, 0x808000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GradientColourAt(*c.stops, c.t), c.colour) << c.stops->count << " at " << c.t;
}

TEST(LabelDrawing, EachGradientModeRunsItsOwnWay) {
    // An area of 11 x 5: the centre is the pixel (5, 2).
    struct Case {
        int mode, x, y;
        double t;
    } cases[] = {
        {1, 0, 2, 0},          {1, 10, 2, 1},  {1, 5, 0, 0.5}, {2, 5, 0, 0},    {2, 5, 4, 1},
        {2, 0, 2, 0.5},        {3, 0, 0, 0},   {3, 10, 4, 1},  {3, 10, 0, 0.5}, {4, 0, 4, 0},
        {4, 10, 0, 1},         {4, 0, 0, 0.5}, {5, 5, 0, 0},   {5, 0, 2, 1},    {5, 10, 4, 1},
        {6, 0, 2, 0},          {6, 3, 0, 1},   {6, 3, 4, 1},   {7, 5, 2, 0},    {7, 0, 2, 1},
        {7, 5, 0, 1},          {7, 7, 3, 0.5}, {8, 5, 2, 0},   {8, 0, 0, 1},    {8, 10, 4, 1},
        {8, 0, 2, 0.70710678}, {0, 10, 4, 0},  {9, 10, 4, 0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(GradientPosition(c.mode, c.x, c.y, 11, 5), c.t, 1e-6)
            << "mode " << c.mode << " at " << c.x << "," << c.y;
    }
    // An area one pixel wide or high has no run: every pixel is at its start.
    for (int mode = kFirstGradientMode; mode <= kLastGradientMode; ++mode) {
        const double t = GradientPosition(mode, 0, 0, 1, 1);
        EXPECT_GE(t, 0.0) << mode;
        EXPECT_LE(t, 1.0) << mode;
    }
}

TEST(LabelDrawing, TextFormatFollowsAlignmentAndWordWrap) {
    struct Case {
        int32_t hAlign, vAlign, wordWrap;
        uint32_t format;
    } cases[] = {
        {0, 0, 0, kDtNoClip | kDtLeft | kDtSingleLine},
        {0, 1, 0, kDtNoClip | kDtLeft | kDtSingleLine | kDtVCenter},
        {1, 2, 0, kDtNoClip | kDtCenter | kDtSingleLine | kDtBottom},
        {2, 1, 0, kDtNoClip | kDtRight | kDtSingleLine | kDtVCenter},
        {2, 2, 1, kDtNoClip | kDtRight | kDtWordBreak | kDtVCenter},
        {1, 0, 1, kDtNoClip | kDtCenter | kDtWordBreak | kDtVCenter},
        // Stored values out of range: left, top, no word wrap.
        {7, -1, 2, kDtNoClip | kDtLeft | kDtSingleLine},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LabelTextFormat(c.hAlign, c.vAlign, c.wordWrap), c.format)
            << c.hAlign << " " << c.vAlign << " " << c.wordWrap;
    }
}

}  // namespace
}  // namespace velmora

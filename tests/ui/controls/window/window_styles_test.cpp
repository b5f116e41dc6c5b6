// Covers: a window's styles from its properties: the frame by Border 0-6, caption
// with a title or a control box, system menu only with the control box, the boxes;
// creation's WS_CLIPCHILDREN, extra styles, WS_POPUP, WS_MINIMIZE and WS_MAXIMIZE
// (sizable frames only); re-applying touches no other bit; centring truncates
// toward zero and takes any stored size.
#include <gtest/gtest.h>

#include <climits>

#include "ui/controls/window/window_styles.h"

namespace velmora {
namespace {

constexpr uint32_t kVisible = 0x10000000, kDisabled = 0x08000000, kExTopmost = 0x00000008;
constexpr uint32_t kCaptionMenu = kWsCaption | kWsSysMenu;

TEST(WindowStyles, FrameByBorderTitleAndButtons) {
    const struct {
        WindowLook look;  // border, title, control box, maximise, minimise
        uint32_t style, exStyle;
    } cases[] = {
        {{0, true, true}, 0, 0},
        {{0, false, false, true, true}, kWsMaximizeBox | kWsMinimizeBox, 0},
        {{1, false, true}, kCaptionMenu | kWsThickFrame, 0},
        {{2, false, false}, kWsDlgFrame, 0},
        {{2, true, false}, kWsCaption, 0},
        {{2, false, true}, kCaptionMenu, 0},
        {{3, true, true}, kCaptionMenu | kWsThickFrame, kWsExToolWindow},
        {{4, true, true}, kCaptionMenu, kWsExToolWindow},
        {{5, true, true}, kCaptionMenu | kWsThickFrame, kWsExClientEdge},
        {{6, true, true, true, false}, kCaptionMenu | kWsMaximizeBox, kWsExClientEdge},
    };
    for (const auto& c : cases) {
        const WindowStyleBits bits = FrameStyles(c.look);
        EXPECT_EQ(bits.style, c.style) << "border " << c.look.border;
        EXPECT_EQ(bits.exStyle, c.exStyle) << "border " << c.look.border;
    }
}

TEST(WindowStyles, CreationAddsPositionOwnerAndExtraStyles) {
    const struct {
        WindowLook look;
        int startPosition;
        bool popup;
        uint32_t extra, added;
    } cases[] = {
        {{2, true, true}, 1, false, 0, 0},
        {{2, true, true}, 2, false, 0, kWsMinimize},
        {{2, true, true}, 3, false, 0, 0},  // a fixed frame is never maximised
        {{1, true, true}, 3, false, 0, kWsMaximize},
        {{0, false, false}, 0, true, kDisabled, kWsPopup | kDisabled},
    };
    for (const auto& c : cases) {
        const WindowStyleBits bits = CreationStyles(c.look, c.startPosition, c.popup, c.extra);
        EXPECT_EQ(bits.style, FrameStyles(c.look).style | kWsClipChildren | c.added)
            << c.startPosition;
        EXPECT_EQ(bits.exStyle, FrameStyles(c.look).exStyle);
    }
}

TEST(WindowStyles, ReapplyingTouchesOnlyItsOwnBits) {
    // Windows gave the overlapped window a caption; Border 0 wants none.
    EXPECT_EQ(WithCaptionStyles(kWsCaption | kVisible | kWsThickFrame, {0, true, true}),
              kVisible | kWsThickFrame);
    // A fixed frame without title or control box keeps its dialog frame.
    EXPECT_EQ(WithCaptionStyles(kCaptionMenu | kWsMinimizeBox, {2, false, false}), kWsDlgFrame);
    EXPECT_EQ(WithCaptionStyles(0, {2, true, false, true, true}),
              kWsCaption | kWsMaximizeBox | kWsMinimizeBox);
    const WindowStyleBits tool =
        WithFrameStyles({kCaptionMenu | kWsThickFrame | kVisible, kExTopmost}, {4, true, true});
    EXPECT_EQ(tool.style, kCaptionMenu | kVisible);
    EXPECT_EQ(tool.exStyle, kExTopmost | kWsExToolWindow);
    const WindowStyleBits bare = WithFrameStyles(tool, {0, true, true});
    EXPECT_EQ(bare.style, kVisible);
    EXPECT_EQ(bare.exStyle, kExTopmost);
}

TEST(WindowStyles, CentringTruncatesTowardZero) {
    const struct {
        int32_t screen, size, origin;
    } cases[] = {
        {1024, 298, 363},
        {768, 196, 286},
        {768, 197, 285},
        {1024, 1101, -38},
        {1024, 1024, 0},
        {1024, INT_MIN, 1073742336},
        {1024, INT_MAX, -1073741311},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentredOrigin(c.screen, c.size), c.origin) << c.size;
}

}  // namespace
}  // namespace velmora

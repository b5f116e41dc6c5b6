// Covers: the `EditBox` under real keyboard and mouse input.
//  - typed characters filtered by the input mode;
//  - leaving the box rewrites its text (content changed), then focus lost;
//  - a Content write raises content changed exactly once, also for the same text;
//  - the spin arrows pressed with the mouse wrap round (mode 1) or only raise their
//    event with +1/-1 (mode 2);
//  - a single-line box grows to its font; the arrows follow the box when it moves,
//    hides and is disabled.
#include <gtest/gtest.h>

#include "runtime/text_block.h"
#include "support/message_sequence.h"
#include "support/real_input.h"
#include "support/test_program.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kBox = 0x16010006, kOther = 0x16010007;
constexpr int kContent = 8;

void Start(const EditBoxProperties& p, int height = 24) {
    UnitRecord box = ChildUnit(kBox, kEditBoxTypeCode, 20, 20, 80, height);
    box.ownData = EncodeEditBoxProperties(p);
    box.bindings = {{0, 1}, {1, 2}, {-8, 3}, {-7, 4}};
    UnitRecord other = ChildUnit(kOther, kEditBoxTypeCode, 20, 80, 80, 24);
    other.ownData = EncodeEditBoxProperties(EditBoxProperties{});
    DescriptionSet set;
    set.windows.push_back(Window(kMain, {WindowUnit(kMainUnit, 100, 100, 300, 200), box, other}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    BringToFront(WindowHandle(kMain));
    ClearSequence();
}

HWND Box() {
    return UnitHwnd(kMain, kBox);
}

std::string Content() {
    TypedValue v = ReadProperty(kMain, kBox, kContent);
    BlockOwner owner(const_cast<char*>(TextOf(v)));
    return TextOf(v) ? TextOf(v) : "";
}

EditBoxProperties Mode(int32_t inputMode, const char* content = "") {
    EditBoxProperties p;
    p.inputMode = inputMode;
    p.content = content;
    return p;
}

TEST(EditBox, TypedCharactersAreFilteredByTheInputMode) {
    Start(Mode(7));
    SetFocus(Box());
    TypeText(L"a-12x");
    EXPECT_EQ(Content(), "-12");
    Start(Mode(0));
    SetFocus(Box());
    TypeText(L"a-12x");
    EXPECT_EQ(Content(), "a-12x");
}

TEST(EditBox, LeavingTheBoxRewritesItThenReportsFocusLost) {
    const struct {
        const char* text;
        const char* rewritten;
    } cases[] = {{"007", "7"}, {"99999999999", "2147483647"}, {"0", ""}};
    for (const auto& c : cases) {
        Start(Mode(7, c.text));
        SetFocus(Box());
        ClearSequence();
        SetFocus(UnitHwnd(kMain, kOther));
        static const SequenceStep rewrite[] = {{kHandler, kBox, 1}, {kHandler, kBox, 3}};
        EXPECT_TRUE(SequenceIs(rewrite)) << c.text;
        EXPECT_EQ(Content(), c.rewritten);
        DestroyWindow(WindowHandle(kMain));
    }
    // A text that needs no rewriting only reports the focus loss.
    Start(Mode(7, "12"));
    SetFocus(Box());
    ClearSequence();
    SetFocus(UnitHwnd(kMain, kOther));
    static const SequenceStep lost[] = {{kHandler, kBox, 3}};
    EXPECT_TRUE(SequenceIs(lost));
}

TEST(EditBox, AContentWriteRaisesExactlyOneChange) {
    Start(Mode(0));
    WriteProperty(kMain, kBox, kContent, kWholeProperty, MakeText("abc"));
    WriteProperty(kMain, kBox, kContent, kWholeProperty, MakeText("abc"));
    static const SequenceStep twice[] = {{kHandler, kBox, 1}, {kHandler, kBox, 1}};
    EXPECT_TRUE(SequenceIs(twice));
    EXPECT_EQ(Content(), "abc");
}

HWND Spin() {
    return GetDlgItem(WindowHandle(kMain), GetDlgCtrlID(Box()) + 4);
}

void ClickArrow(bool up) {
    RECT r;
    GetWindowRect(Spin(), &r);
    const int quarter = (r.bottom - r.top) / 4;
    ClickAt({(r.left + r.right) / 2, up ? r.top + quarter : r.bottom - quarter});
}

TEST(EditBox, TheSpinArrowsWrapRoundUnderTheMouse) {
    EditBoxProperties p = Mode(7, "20");
    p.spinMode = 1;
    p.spinMin = 20;  // the ends in either order
    p.spinMax = 15;
    Start(p);
    ASSERT_NE(Spin(), nullptr);
    // Each click from a text of its own, well apart: the arrows repeat while held.
    const struct {
        const char* text;
        bool up;
        const char* shown;
    } clicks[] = {{"20", true, "15"}, {"15", false, "20"}, {"20", false, "19"},
                  {"19", true, "20"}, {"", true, "15"},    {"100", false, "20"}};
    for (const auto& c : clicks) {
        WriteProperty(kMain, kBox, kContent, kWholeProperty, MakeText(c.text));
        PumpFor(300);  // no double click with the one before
        ClickArrow(c.up);
        EXPECT_EQ(Content(), c.shown) << c.text << " " << c.up;
    }
    EXPECT_EQ(GetFocus(), Box());
}

TEST(EditBox, SpinModeTwoOnlyRaisesItsEvent) {
    EditBoxProperties p = Mode(0, "keep");
    p.spinMode = 2;
    Start(p);
    for (int direction : {1, -1}) {
        ClearSequence();
        ClickArrow(direction > 0);
        static const SequenceStep pressed[] = {{kHandler, kBox, 2}};
        EXPECT_TRUE(SequenceIs(pressed));
        ASSERT_EQ(LastHandlerArgs().size(), 1u);
        EXPECT_EQ(static_cast<int32_t>(LastHandlerArgs()[0].low), direction);
    }
    EXPECT_EQ(Content(), "keep");
}

RECT Placed(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(EditBox, ASingleLineBoxGrowsToItsFontAndItsArrowsFollowIt) {
    EditBoxProperties p = Mode(0);
    p.spinMode = 1;
    Start(p, 6);
    RECT box = Placed(Box());
    EXPECT_GT(box.bottom - box.top, 12);
    WriteProperty(kMain, kBox, 0, kWholeProperty, MakeInteger(150));
    box = Placed(Box());
    RECT spin = Placed(Spin());
    EXPECT_EQ(spin.left, box.right);
    EXPECT_EQ(spin.top, box.top);
    EXPECT_EQ(spin.bottom - spin.top, box.bottom - box.top);
    EXPECT_EQ(spin.right - spin.left, 18);
    WriteProperty(kMain, kBox, 6, kWholeProperty, MakeLogical(true));
    EXPECT_FALSE(IsWindowEnabled(Spin()));
    WriteProperty(kMain, kBox, 5, kWholeProperty, MakeLogical(false));
    EXPECT_FALSE(IsWindowVisible(Spin()));
}

}  // namespace
}  // namespace velmora::test

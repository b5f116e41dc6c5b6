// Covers: the `EditBox` under real keyboard and mouse input.
//  - typed characters filtered by the input mode;
//  - focus received; leaving the box rewrites its text (content changed once, also
//    in a multi-line box), then focus lost;
//  - a Content write raises content changed exactly once, also for the same text;
//  - the spin arrows pressed with the mouse wrap round (mode 1) or only raise their
//    event with +1/-1 (mode 2);
//  - writes of MaxLength, InputMode (read-only, password), the selection (-1 too)
//    and the spin range act on the live box;
//  - a single-line box grows to its font; the arrows follow the box when it moves,
//    hides and is disabled.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "runtime/text_block.h"
#include "support/message_sequence_win.h"
#include "support/real_input_win.h"
#include "support/test_program_win.h"
#include "tests/support/typed_blocks.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/loader/event_indices.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kBox = 0x16010006, kOther = 0x16010007;

void Start(const EditBoxProperties& p, int height = 24) {
    UnitRecord box = ChildUnit(kBox, kEditBoxTypeCode, 20, 20, 80, height);
    box.ownData = kEditBoxLayout.Encode(p);
    box.bindings = {{kEventContentChanged, 1},
                    {kEventSpinPressed, 2},
                    {kEventFocusLost, 3},
                    {kEventFocusReceived, 4}};
    UnitRecord other = ChildUnit(kOther, kEditBoxTypeCode, 20, 80, 80, 24);
    other.ownData = kEditBoxLayout.Encode(EditBoxProperties{});
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
    return TakeText(ReadProperty(kMain, kBox, kEditBoxContent));
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
    // Windows tells a multi-line box of no change that its text was set to.
    const struct {
        const char* text;
        const char* rewritten;
        int32_t multiline;
    } cases[] = {{"007", "7", 0}, {"99999999999", "2147483647", 0}, {"0", "", 0}, {"007", "7", 1}};
    for (const auto& c : cases) {
        EditBoxProperties p = Mode(7, c.text);
        p.multiline = c.multiline;
        Start(p);
        SetFocus(Box());
        static const SequenceStep received[] = {{kHandler, kBox, kEventFocusReceived}};
        EXPECT_TRUE(SequenceIs(received));
        ClearSequence();
        SetFocus(UnitHwnd(kMain, kOther));
        static const SequenceStep rewrite[] = {{kHandler, kBox, kEventContentChanged},
                                               {kHandler, kBox, kEventFocusLost}};
        EXPECT_TRUE(SequenceIs(rewrite)) << c.text << " multi-line " << c.multiline;
        EXPECT_EQ(Content(), c.rewritten);
        DestroyWindow(WindowHandle(kMain));
    }
    // A text that needs no rewriting only reports the focus loss.
    Start(Mode(7, "12"));
    SetFocus(Box());
    ClearSequence();
    SetFocus(UnitHwnd(kMain, kOther));
    static const SequenceStep lost[] = {{kHandler, kBox, kEventFocusLost}};
    EXPECT_TRUE(SequenceIs(lost));
}

TEST(EditBox, AContentWriteRaisesExactlyOneChange) {
    Start(Mode(0));
    WriteProperty(kMain, kBox, kEditBoxContent, kWholeProperty, MakeText("abc"));
    WriteProperty(kMain, kBox, kEditBoxContent, kWholeProperty, MakeText("abc"));
    static const SequenceStep twice[] = {{kHandler, kBox, kEventContentChanged},
                                         {kHandler, kBox, kEventContentChanged}};
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
        WriteProperty(kMain, kBox, kEditBoxContent, kWholeProperty, MakeText(c.text));
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
        static const SequenceStep pressed[] = {{kHandler, kBox, kEventSpinPressed}};
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
    EXPECT_EQ(GetWindow(Spin(), GW_HWNDPREV), Box());
    WriteProperty(kMain, kBox, 6, kWholeProperty, MakeLogical(true));
    EXPECT_FALSE(IsWindowEnabled(Spin()));
    WriteProperty(kMain, kBox, 5, kWholeProperty, MakeLogical(false));
    EXPECT_FALSE(IsWindowVisible(Spin()));
    WriteProperty(kMain, kBox, 5, kWholeProperty, MakeLogical(true));
    EXPECT_TRUE(IsWindowVisible(Spin()));
}

int32_t Number(int index) {
    return static_cast<int32_t>(ReadProperty(kMain, kBox, index, kWholeProperty).low);
}
std::string SelectedText() {
    return TakeText(ReadProperty(kMain, kBox, kEditBoxSelText));
}
void WriteNumber(int index, int32_t value) {
    WriteProperty(kMain, kBox, index, kWholeProperty, MakeInteger(value));
}

TEST(EditBox, PropertyWritesActOnTheLiveBox) {
    EditBoxProperties p = Mode(0, "hello");
    p.spinMode = 1;
    Start(p);
    WriteNumber(kEditBoxMaxLength, 3);
    EXPECT_EQ(SendMessageW(Box(), EM_GETLIMITTEXT, 0, 0), 3);
    WriteNumber(kEditBoxMaxLength, -5);
    EXPECT_EQ(Number(kEditBoxMaxLength), 0);
    EXPECT_GT(SendMessageW(Box(), EM_GETLIMITTEXT, 0, 0), 3);

    // InputMode: read-only for 1, the password character for 2, neither otherwise.
    const struct {
        int32_t mode;
        bool readOnly;
        WPARAM passwordChar;
    } modes[] = {{1, true, 0}, {2, false, L'*'}, {0, false, 0}};
    for (const auto& m : modes) {
        WriteNumber(kEditBoxInputMode, m.mode);
        EXPECT_EQ((GetWindowLongW(Box(), GWL_STYLE) & ES_READONLY) != 0, m.readOnly) << m.mode;
        EXPECT_EQ(static_cast<WPARAM>(SendMessageW(Box(), EM_GETPASSWORDCHAR, 0, 0)),
                  m.passwordChar)
            << m.mode;
    }

    // The selection: (start, length) written, then read back live.
    const struct {
        int index;
        int32_t value;
        int32_t start, length;
        const char* selected;
    } selections[] = {{kEditBoxSelStart, 1, 1, 0, ""},        {kEditBoxSelLength, 3, 1, 3, "ell"},
                      {kEditBoxSelLength, -1, 0, 5, "hello"}, {kEditBoxSelStart, -1, 5, 0, ""},
                      {kEditBoxSelStart, -4, 0, 0, ""},       {kEditBoxSelLength, -2, 0, 0, ""}};
    for (const auto& c : selections) {
        WriteNumber(c.index, c.value);
        EXPECT_EQ(Number(kEditBoxSelStart), c.start) << c.index << " " << c.value;
        EXPECT_EQ(Number(kEditBoxSelLength), c.length) << c.index << " " << c.value;
        EXPECT_EQ(SelectedText(), c.selected) << c.index << " " << c.value;
    }
    WriteNumber(kEditBoxSelStart, -1);
    WriteProperty(kMain, kBox, kEditBoxSelText, kWholeProperty, MakeText("XY"));
    EXPECT_EQ(Content(), "helloXY");

    // The spin range follows every write, its ends in either order.
    WriteNumber(kEditBoxSpinMin, 30);
    WriteNumber(kEditBoxSpinMax, 25);
    const LRESULT range = SendMessageW(Spin(), UDM_GETRANGE, 0, 0);
    EXPECT_EQ(static_cast<short>(HIWORD(range)), 25);
    EXPECT_EQ(static_cast<short>(LOWORD(range)), 30);
}

}  // namespace
}  // namespace velmora::test

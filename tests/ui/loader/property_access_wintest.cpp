// Covers: property reads and writes by (window, unit, index).
//  - the clamps of left/top and width/height, on a window not loaded and loaded;
//  - geometry: the stored values of a window not loaded, the live rectangle of a
//    loaded control relative to its parent's client area, of the window on screen;
//  - tag, visible, disabled and mouse pointer, read and written, live and stored;
//  - writes to a closed window change the stored record: a new load starts with
//    them, and so do writes made while it was loaded;
//  - an own property change that needs re-creation: a new window with the same
//    control identifier, parent, unit, z-order place, visibility and enabled state,
//    the focus kept, 'applied' and 'shown' sent, no handler run meanwhile; an
//    unchanged value re-creates nothing; when no new control can be made, the old
//    one stays with its old value;
//  - an own property number beyond the type's table reads as no value and writes
//    nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/text_block.h"
#include "support/test_program_win.h"
#include "tests/support/typed_blocks.h"
#include "ui/loader/property_conversion.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kDialog = 0x52010021, kDialogUnit = 0x06010022;
constexpr uint32_t kFirst = 0x16010006, kMiddle = 0x16010007, kLast = 0x16010008;
constexpr uint32_t kDialogChild = 0x16010030;

// Main: three children at (20,30,50,40), (80,30,50,40), (140,30,50,40) in that
// creation order. Dialog (never loaded unless a test does): one child.
DescriptionSet TestSet() {
    DescriptionSet set;
    set.windows.push_back(Window(kMain, {WindowUnit(kMainUnit, 40, 50, 400, 300),
                                         ChildUnit(kFirst, kTestChildType, 20, 30, 50, 40),
                                         ChildUnit(kMiddle, kTestChildType, 80, 30, 50, 40),
                                         ChildUnit(kLast, kTestChildType, 140, 30, 50, 40)}));
    set.windows.push_back(Window(kDialog, {WindowUnit(kDialogUnit, 60, 70, 200, 150),
                                           ChildUnit(kDialogChild, kTestChildType, 5, 6, 7, 8)}));
    return set;
}

int32_t Int(uint32_t window, uint32_t unit, int index) {
    return static_cast<int32_t>(ReadProperty(window, unit, index).low);
}

RECT ClientRectOnScreen(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    MapWindowPoints(h, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class PropertyAccess : public ::testing::Test {
  protected:
    void SetUp() override { StartTestRuntime(TestSet()); }
};

TEST_F(PropertyAccess, GeometryOfAWindowNotLoadedIsTheStoredOne) {
    EXPECT_EQ(Int(kDialog, kDialogChild, 0), 5);
    EXPECT_EQ(Int(kDialog, kDialogChild, 1), 6);
    EXPECT_EQ(Int(kDialog, kDialogChild, 2), 7);
    EXPECT_EQ(Int(kDialog, kDialogChild, 3), 8);
    EXPECT_EQ(Int(kDialog, 0, 0), 60);  // unit 0: the window's own
    EXPECT_EQ(Int(kDialog, kDialogUnit, 3), 150);
    EXPECT_EQ(ReadProperty(kDialog, kDialogChild, 0).tag, static_cast<uint32_t>(kTagInteger));
}

TEST_F(PropertyAccess, ClampsOnAWindowNotLoaded) {
    const struct {
        int index;
        int32_t written, stored;
    } cases[] = {
        {2, -5, 0},          {3, INT32_MIN, 0},   {2, 40000, 32627},
        {3, 32628, 32627},   {2, 32627, 32627},   {0, 40000, 32627},
        {1, -40000, -32627}, {0, -32627, -32627}, {1, INT32_MAX, 32627},
        {0, -1, -1},
    };
    for (const auto& c : cases) {
        WriteProperty(kDialog, kDialogChild, c.index, kWholeProperty, MakeInteger(c.written));
        EXPECT_EQ(Int(kDialog, kDialogChild, c.index), c.stored) << c.index << " " << c.written;
    }
}

TEST_F(PropertyAccess, ClampsOnALoadedControl) {
    LoadStartupWindow(kMain);
    HWND first = UnitHwnd(kMain, kFirst);
    WriteProperty(kMain, kFirst, 2, kWholeProperty, MakeInteger(-5));
    RECT r;
    GetWindowRect(first, &r);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(Int(kMain, kFirst, 2), 0);
    WriteProperty(kMain, kFirst, 0, kWholeProperty, MakeInteger(40000));
    WriteProperty(kMain, kFirst, 1, kWholeProperty, MakeInteger(-40000));
    // The stored record holds the clamped values: they show once the window is gone.
    DestroyWindow(WindowHandle(kMain));
    EXPECT_EQ(Int(kMain, kFirst, 0), 32627);
    EXPECT_EQ(Int(kMain, kFirst, 1), -32627);
    EXPECT_EQ(Int(kMain, kFirst, 2), 0);
}

TEST_F(PropertyAccess, LiveGeometryIsRelativeToTheParentsClientArea) {
    LoadStartupWindow(kMain);
    HWND main = WindowHandle(kMain);
    HWND first = UnitHwnd(kMain, kFirst);
    EXPECT_EQ(Int(kMain, kFirst, 0), 20);
    EXPECT_EQ(Int(kMain, kFirst, 1), 30);
    EXPECT_EQ(Int(kMain, kFirst, 2), 50);
    EXPECT_EQ(Int(kMain, kFirst, 3), 40);
    // Moved behind the loader's back: the live rectangle, not the stored one.
    MoveWindow(first, 3, 4, 61, 62, TRUE);
    EXPECT_EQ(Int(kMain, kFirst, 0), 3);
    EXPECT_EQ(Int(kMain, kFirst, 1), 4);
    EXPECT_EQ(Int(kMain, kFirst, 2), 61);
    EXPECT_EQ(Int(kMain, kFirst, 3), 62);
    RECT screen;
    GetWindowRect(first, &screen);
    EXPECT_EQ(screen.left - ClientRectOnScreen(main).left, 3);
    // The window itself: screen coordinates.
    RECT w;
    GetWindowRect(main, &w);
    EXPECT_EQ(Int(kMain, 0, 0), w.left);
    EXPECT_EQ(Int(kMain, 0, 1), w.top);
    EXPECT_EQ(Int(kMain, 0, 2), w.right - w.left);
    // Writes move and size the live control, keeping the other half.
    WriteProperty(kMain, kFirst, 0, kWholeProperty, MakeInteger(11));
    WriteProperty(kMain, kFirst, 3, kWholeProperty, MakeInteger(25));
    GetWindowRect(first, &screen);
    EXPECT_EQ(screen.left - ClientRectOnScreen(main).left, 11);
    EXPECT_EQ(screen.top - ClientRectOnScreen(main).top, 4);
    EXPECT_EQ(screen.right - screen.left, 61);
    EXPECT_EQ(screen.bottom - screen.top, 25);
}

TEST_F(PropertyAccess, TagIsAFreshCopyAndEmptyReadsAsNull) {
    EXPECT_EQ(TextOf(ReadProperty(kMain, kFirst, 4)), nullptr);
    WriteProperty(kMain, kFirst, 4, kWholeProperty, MakeText("标记"));
    TypedValue a = ReadProperty(kMain, kFirst, 4);
    TypedValue b = ReadProperty(kMain, kFirst, 4);
    EXPECT_EQ(a.tag, static_cast<uint32_t>(kTagText));
    EXPECT_NE(TextOf(a), TextOf(b));  // each read its own block
    EXPECT_EQ(TakeText(a), "标记");
    EXPECT_EQ(TakeText(b), "标记");
    WriteProperty(kMain, kFirst, 4, kWholeProperty, MakeText(nullptr));
    EXPECT_EQ(TextOf(ReadProperty(kMain, kFirst, 4)), nullptr);
}

TEST_F(PropertyAccess, VisibleAndDisabledLiveAndStored) {
    // Not loaded: the flag bits.
    EXPECT_EQ(ReadProperty(kMain, kFirst, 5).low, 1u);
    EXPECT_EQ(ReadProperty(kMain, kFirst, 6).low, 0u);
    EXPECT_EQ(ReadProperty(kMain, kFirst, 5).tag, static_cast<uint32_t>(kTagLogical));
    LoadStartupWindow(kMain);
    HWND first = UnitHwnd(kMain, kFirst);
    WriteProperty(kMain, kFirst, 5, kWholeProperty, MakeLogical(false));
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_EQ(ReadProperty(kMain, kFirst, 5).low, 0u);
    WriteProperty(kMain, kFirst, 5, kWholeProperty, MakeInteger(7));  // nonzero is true
    EXPECT_TRUE(IsWindowVisible(first));
    WriteProperty(kMain, kFirst, 6, kWholeProperty, MakeLogical(true));
    EXPECT_FALSE(IsWindowEnabled(first));
    EXPECT_EQ(ReadProperty(kMain, kFirst, 6).low, 1u);
    // Live state changed behind the loader's back is what a read reports.
    EnableWindow(first, TRUE);
    EXPECT_EQ(ReadProperty(kMain, kFirst, 6).low, 0u);
    ShowWindow(first, SW_HIDE);
    EXPECT_EQ(ReadProperty(kMain, kFirst, 5).low, 0u);
}

TEST_F(PropertyAccess, MousePointerIsByteData) {
    EXPECT_EQ(TakeBytes(ReadProperty(kMain, kFirst, 7)), std::string(4, '\0'));
    EXPECT_EQ(ReadProperty(kMain, kFirst, 7).tag, static_cast<uint32_t>(kTagByteData));
    LoadStartupWindow(kMain);
    const std::string data("\0\0\0\0\x01\x02", 6);
    TypedValue v = MakeByteData(data);
    WriteProperty(kMain, kFirst, 7, kWholeProperty, v);
    FreeBlock(const_cast<char*>(TextOf(v)));
    EXPECT_EQ(TakeBytes(ReadProperty(kMain, kFirst, 7)), data);
    DestroyWindow(WindowHandle(kMain));  // written to the stored record, not the live unit
    EXPECT_EQ(TakeBytes(ReadProperty(kMain, kFirst, 7)), data);
    WriteProperty(kMain, kFirst, 7, kWholeProperty, MakeByteData(""));
    EXPECT_EQ(TextOf(ReadProperty(kMain, kFirst, 7)), nullptr);
}

TEST_F(PropertyAccess, WritesToAClosedWindowAreWhereTheNextLoadStarts) {
    LoadStartupWindow(kMain);
    WriteProperty(kMain, kMiddle, 2, kWholeProperty, MakeInteger(33));  // while loaded
    DestroyWindow(WindowHandle(kMain));
    ASSERT_FALSE(IsWindowLoaded(kMain));
    WriteProperty(kMain, kFirst, 0, kWholeProperty, MakeInteger(7));
    WriteProperty(kMain, kFirst, 1, kWholeProperty, MakeInteger(9));
    WriteProperty(kMain, kFirst, 5, kWholeProperty, MakeLogical(false));
    WriteProperty(kMain, kLast, 6, kWholeProperty, MakeLogical(true));
    WriteProperty(kMain, kLast, 4, kWholeProperty, MakeText("kept"));
    ASSERT_TRUE(LoadWindow(kMain, 0, false));
    HWND main = WindowHandle(kMain);
    HWND first = UnitHwnd(kMain, kFirst);
    RECT r;
    GetWindowRect(first, &r);
    EXPECT_EQ(r.left - ClientRectOnScreen(main).left, 7);
    EXPECT_EQ(r.top - ClientRectOnScreen(main).top, 9);
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowEnabled(UnitHwnd(kMain, kLast)));
    GetWindowRect(UnitHwnd(kMain, kMiddle), &r);
    EXPECT_EQ(r.right - r.left, 33);
    EXPECT_EQ(TakeText(ReadProperty(kMain, kLast, 4)), "kept");
}

TEST_F(PropertyAccess, OwnPropertyReadsTheControlsValue) {
    LoadStartupWindow(kMain);
    TypedValue caption = ReadProperty(kMain, kFirst, 8);
    EXPECT_EQ(caption.tag, static_cast<uint32_t>(kTagText));
    EXPECT_EQ(TakeText(caption), "c16010006");
}

TEST_F(PropertyAccess, AChangeThatNeedsRecreationBuildsANewControlInTheSamePlace) {
    DescriptionSet set = TestSet();
    // A handler on every unit's 'applied' event shows whether handlers run.
    for (UnitRecord& u : set.windows[0].units)
        u.bindings = {{kAppliedEvent, 2}};
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    HWND main = WindowHandle(kMain);
    HWND old = UnitHwnd(kMain, kMiddle);
    const int id = GetDlgCtrlID(old);
    HWND above = GetWindow(old, GW_HWNDPREV);
    HWND below = GetWindow(old, GW_HWNDNEXT);
    MoveWindow(old, 81, 31, 52, 42, TRUE);
    SetFocus(old);
    ASSERT_EQ(GetFocus(), old);
    Log().clear();

    WriteProperty(kMain, kMiddle, 8, kWholeProperty, MakeText("新标题"));

    HWND fresh = UnitHwnd(kMain, kMiddle);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(GetDlgCtrlID(fresh), id);
    EXPECT_EQ(GetParent(fresh), main);
    EXPECT_EQ(GetWindow(fresh, GW_HWNDPREV), above);
    EXPECT_EQ(GetWindow(fresh, GW_HWNDNEXT), below);
    EXPECT_EQ(Int(kMain, kMiddle, 0), 81);
    EXPECT_EQ(Int(kMain, kMiddle, 3), 42);
    EXPECT_TRUE(IsWindowVisible(fresh));
    EXPECT_TRUE(IsWindowEnabled(fresh));
    EXPECT_EQ(GetFocus(), fresh);
    EXPECT_EQ(Control::FromWindow(fresh)->unitId(), kMiddle);
    EXPECT_EQ(TakeText(ReadProperty(kMain, kMiddle, 8)), "新标题");
    EXPECT_TRUE(LogEquals({"applied 16010007", "shown 16010007"}));
    // Events run again afterwards.
    Log().clear();
    RaiseEvent(kMain, kMiddle, kAppliedEvent);
    EXPECT_TRUE(LogEquals({"handler 2 16010007"}));

    // The same value again: nothing is re-created.
    WriteProperty(kMain, kMiddle, 8, kWholeProperty, MakeText("新标题"));
    EXPECT_EQ(UnitHwnd(kMain, kMiddle), fresh);
}

TEST_F(PropertyAccess, RecreationKeepsAHiddenDisabledControlSoAndTheFocusElsewhere) {
    LoadStartupWindow(kMain);
    HWND old = UnitHwnd(kMain, kLast);
    WriteProperty(kMain, kLast, 5, kWholeProperty, MakeLogical(false));
    WriteProperty(kMain, kLast, 6, kWholeProperty, MakeLogical(true));
    HWND focus = UnitHwnd(kMain, kFirst);
    SetFocus(focus);
    WriteProperty(kMain, kLast, 8, kWholeProperty, MakeText("x"));
    HWND fresh = UnitHwnd(kMain, kLast);
    ASSERT_NE(fresh, old);
    EXPECT_FALSE(IsWindowVisible(fresh));
    EXPECT_FALSE(IsWindowEnabled(fresh));
    EXPECT_EQ(GetFocus(), focus);
}

TEST_F(PropertyAccess, RecreationInAWindowNotYetShownKeepsTheControlVisible) {
    DescriptionSet set = TestSet();
    set.windows[0].units[0].flags = 0;  // the window starts hidden
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    ASSERT_FALSE(IsWindowVisible(WindowHandle(kMain)));
    WriteProperty(kMain, kFirst, 8, kWholeProperty, MakeText("x"));
    ShowWindow(WindowHandle(kMain), SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(UnitHwnd(kMain, kFirst)));
}

// No new control can be made: the old one stays, and so does its value.
TEST_F(PropertyAccess, AFailedRecreationKeepsTheOldControlAndValue) {
    constexpr uint32_t kFragile = 0x16010009;
    DescriptionSet set = TestSet();
    set.windows[0].units.push_back(ChildUnit(kFragile, kTestRecreateFailsType, 5, 80, 50, 20));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    HWND before = UnitHwnd(kMain, kFragile);
    ASSERT_NE(before, nullptr);
    WriteProperty(kMain, kFragile, 8, kWholeProperty, MakeText("new"));
    EXPECT_EQ(UnitHwnd(kMain, kFragile), before);
    EXPECT_TRUE(IsWindowVisible(before));
    EXPECT_EQ(TakeText(ReadProperty(kMain, kFragile, 8)), "c16010009");
    wchar_t shown[32] = {};
    GetWindowTextW(before, shown, 32);
    EXPECT_STREQ(shown, L"c16010009");
    EXPECT_FALSE(EventsSuppressed());
}

TEST_F(PropertyAccess, AnOwnPropertyBeyondTheTypesTableIsNoValue) {
    LoadStartupWindow(kMain);
    HWND before = UnitHwnd(kMain, kFirst);
    TypedValue v = ReadProperty(kMain, kFirst, 9);
    EXPECT_EQ(v.tag, 0u);
    EXPECT_EQ(v.low, 0u);
    WriteProperty(kMain, kFirst, 9, kWholeProperty, MakeText("nothing"));
    WriteProperty(kMain, kFirst, 1000, kWholeProperty, MakeText("nothing"));
    EXPECT_EQ(UnitHwnd(kMain, kFirst), before);
    EXPECT_EQ(TakeText(ReadProperty(kMain, kFirst, 8)), "c16010006");
}

// A value of the wrong kind is converted where that is sound and refused where it
// is not: a number is never taken for the address of a text or a block.
TEST_F(PropertyAccess, ValuesOfTheWrongKindAreConvertedOrRefused) {
    LoadStartupWindow(kMain);
    const TypedValue number = MakeInteger(0x1234);
    WriteProperty(kMain, kFirst, 4, kWholeProperty, number);  // tag: decimal digits
    EXPECT_EQ(TakeText(ReadProperty(kMain, kFirst, 4)), "4660");
    const std::string pointer = TakeBytes(ReadProperty(kMain, kFirst, 7));
    WriteProperty(kMain, kFirst, 7, kWholeProperty, number);  // pointer data: refused
    EXPECT_EQ(TakeBytes(ReadProperty(kMain, kFirst, 7)), pointer);
    const uint32_t left = ReadProperty(kMain, kFirst, 0).low;
    WriteProperty(kMain, kFirst, 0, kWholeProperty, MakeText("12"));  // left: refused
    EXPECT_EQ(ReadProperty(kMain, kFirst, 0).low, left);
    HWND before = UnitHwnd(kMain, kFirst);
    WriteProperty(kMain, kFirst, 8, kWholeProperty, MakeDouble(2.5));  // own text: refused
    EXPECT_EQ(UnitHwnd(kMain, kFirst), before);  // nothing changed, nothing re-created
}

}  // namespace
}  // namespace velmora::test

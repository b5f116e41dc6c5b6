// Covers: the life of control objects and how the loader finds them.
//  - a control is never deleted while its own code runs: a click handler that
//    closes the window, a tick handler whose ProcessPendingEvents closes it, a
//    may-close handler that destroys the window itself, a property write whose
//    event handler closes the window (on a guarded heap, where a use after
//    deletion faults);
//  - every live control knows its type;
//  - FromWindow takes an answer to the control query only when it names a live
//    control of ours; secondary windows reach their control and are forgotten with
//    their window;
//  - re-creation moves child windows only for types that may hold them.
#include <gtest/gtest.h>

#include "support/guarded_heap.h"
#include "support/message_sequence_win.h"
#include "support/test_program_win.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/control_types.h"
#include "ui/controls/timer_properties.h"
#include "ui/loader/private_messages.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kButton = 0x16010006, kTimer = 0x16010007, kChild = 0x16010008;

UnitRecord Button() {
    UnitRecord u = ChildUnit(kButton, kButtonTypeCode, 10, 10, 80, 24);
    u.ownData = kButtonLayout.Encode(ButtonProperties{});
    u.bindings = {{0, 1}};
    return u;
}

UnitRecord Timer(int32_t interval) {
    UnitRecord u = ChildUnit(kTimer, kTimerTypeCode, 0, 0, 0, 0);
    TimerProperties p;
    p.interval = interval;
    u.ownData = kTimerLayout.Encode(p);
    u.bindings = {{0, 2}};
    return u;
}

void StartGuarded(std::vector<UnitRecord> controls, std::vector<EventBinding> windowBindings = {}) {
    UnitRecord own = WindowUnit(kMainUnit, 10, 10, 300, 200);
    own.bindings = std::move(windowBindings);
    controls.insert(controls.begin(), own);
    DescriptionSet set;
    set.windows.push_back(Window(kMain, controls));
    GuardNewAllocations(true);
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    Log().clear();
}

void CloseMainWindow() {
    SendMessageW(WindowHandle(kMain), WM_CLOSE, 0, 0);
}
void CloseThroughPendingEvents() {
    PostMessageW(WindowHandle(kMain), WM_CLOSE, 0, 0);
    ProcessPendingEvents();
}
void DestroyMainWindow() {
    DestroyWindow(WindowHandle(kMain));
}

// Every object of the window was deleted, and nothing touched one afterwards (a
// touch would have faulted on its guarded pages).
void ExpectGoneCleanly(int objectsBefore) {
    EXPECT_FALSE(IsWindowLoaded(kMain));
    EXPECT_GE(GuardedDeletions(), objectsBefore + 2);
    PumpMessages();
}

TEST(ControlLifetime, AClickHandlerClosesItsWindow) {
    StartGuarded({Button()});
    SetHandlerAction(1, CloseMainWindow);
    const int before = GuardedDeletions();
    SendMessageW(UnitHwnd(kMain, kButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(LogEquals({"handler 1 16010006"}));
    ExpectGoneCleanly(before);
}

TEST(ControlLifetime, ATickHandlerClosesItsWindowThroughPendingEvents) {
    StartGuarded({Timer(5)});
    SetHandlerAction(2, CloseThroughPendingEvents);
    const int before = GuardedDeletions();
    for (int i = 0; i < 200 && IsWindowLoaded(kMain); ++i)
        PumpFor(5);
    EXPECT_TRUE(LogEquals({"handler 2 16010007"}));
    ExpectGoneCleanly(before);
}

TEST(ControlLifetime, AMayCloseHandlerDestroysTheWindowItself) {
    StartGuarded({Button()}, {{1, 3}});
    SetHandlerAction(3, DestroyMainWindow);
    const int before = GuardedDeletions();
    SendMessageW(WindowHandle(kMain), WM_CLOSE, 0, 0);
    ExpectGoneCleanly(before);
}

// The control's write raises an event whose handler closes the window; the write
// goes on storing the value in the object afterwards.
TEST(ControlLifetime, APropertyWriteWhoseHandlerClosesTheWindow) {
    UnitRecord raiser = ChildUnit(kChild, kTestWriteRaisesType, 0, 40, 50, 20);
    raiser.bindings = {{kWriteEvent, 1}};
    StartGuarded({raiser});
    SetHandlerAction(1, CloseMainWindow);
    const int before = GuardedDeletions();
    WriteProperty(kMain, kChild, 8, kWholeProperty, MakeText("changed"));
    EXPECT_TRUE(LogEquals({"handler 1 16010008"}));
    ExpectGoneCleanly(before);
}

TEST(ControlLifetime, LiveControlsKnowTheirType) {
    StartGuarded({Button(), Timer(0)});
    const struct {
        uint32_t unit, typeCode;
        bool takesFocus;
    } cases[] = {{kButton, kButtonTypeCode, true}, {kTimer, kTimerTypeCode, false}};
    for (const auto& c : cases) {
        Control* control = FindLiveControl(kMain, c.unit);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->typeCode(), c.typeCode);
        ASSERT_NE(control->type(), nullptr);
        EXPECT_EQ(control->HasTypeFlag(kTypeTakesFocus), c.takesFocus);
    }
    EXPECT_EQ(FindLiveControl(kMain, 0)->typeCode(), kTestWindowType);
}

// A window of another library that answers the control query with a number.
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgQueryControl)
        return 0x12345678;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST(ControlLifetime, OnlyLiveControlsOfOursAreFoundFromTheirWindow) {
    StartGuarded({Button()});
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ForeignProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ForeignAnswer";
    RegisterClassW(&wc);
    HWND foreign = CreateWindowW(L"ForeignAnswer", L"", 0, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    EXPECT_EQ(Control::FromWindow(foreign), nullptr);
    DestroyWindow(foreign);
    Control* button = FindLiveControl(kMain, kButton);
    EXPECT_EQ(Control::FromWindow(UnitHwnd(kMain, kButton)), button);
    EXPECT_EQ(Control::FromWindow(nullptr), nullptr);
}

// A control with a secondary window: a push button of its own beside it.
class WithSecondary : public Control {
  public:
    WithSecondary(HWND parent) : Control(kMain, kChild) {
        Subclass(
            CreateWindowW(L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr));
        extra =
            CreateWindowW(L"BUTTON", L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
        AttachSecondaryWindow(extra);
    }
    bool HandleNotification(UINT msg, WPARAM, LPARAM, LRESULT&) override {
        notified += msg == WM_COMMAND;
        return msg == WM_COMMAND;
    }
    HWND extra;
    int notified = 0;
};

TEST(ControlLifetime, SecondaryWindowsReachTheirControlUntilTheyGo) {
    StartGuarded({Button()});
    auto probe = std::make_unique<WithSecondary>(WindowHandle(kMain));
    SendMessageW(probe->extra, BM_CLICK, 0, 0);
    EXPECT_EQ(probe->notified, 1);
    EXPECT_EQ(Control::FromWindow(probe->extra), probe.get());
    DestroyWindow(probe->extra);
    EXPECT_EQ(Control::FromWindow(probe->extra), nullptr);
    Control::Retire(std::move(probe));
}

int ChildWindowCount(HWND h) {
    int n = 0;
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        ++n;
    return n;
}

TEST(ControlLifetime, ReCreationMovesChildWindowsOnlyForTypesThatHoldThem) {
    const struct {
        uint32_t type;
        int childrenAfter;
    } cases[] = {{kTestChildType, 0}, {kTestHolderType, 1}};
    for (const auto& c : cases) {
        StartGuarded({ChildUnit(kChild, c.type, 0, 0, 50, 50)});
        CreateWindowW(L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, UnitHwnd(kMain, kChild), nullptr,
                      nullptr, nullptr);
        WriteProperty(kMain, kChild, 8, kWholeProperty, MakeText("changed"));
        EXPECT_EQ(ChildWindowCount(UnitHwnd(kMain, kChild)), c.childrenAfter) << c.type;
        DestroyWindow(WindowHandle(kMain));
    }
}

}  // namespace
}  // namespace velmora::test

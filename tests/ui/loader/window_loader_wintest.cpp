// Covers: loading windows from descriptions.
//  - creation order, control identifiers 100, 110, ..., z-order (last added on top);
//  - the notification sequence (applied, all-present, created/moved/resized, focus
//    received, shown);
//  - never-shown types stay hidden; invisible controls stay hidden;
//  - a second load of a loaded window builds nothing; a minimised one is restored;
//  - a failed control makes the load fail and leaves nothing behind;
//  - a modal load disables the other top-level windows, returns only after the
//    window closed, and enables them again; WM_QUIT ends the nested loop and stays
//    queued for the outer loop; nested modal windows closed in either order end
//    both loops and leave the main window enabled;
//  - a failed message retrieval ends the loops with -1;
//  - the end rule, and no WM_QUIT while loading;
//  - a refused close keeps the window.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/runtime_state_win.h"
#include "support/import_patch_win.h"
#include "support/test_program_win.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kDialog = 0x52010021, kDialogUnit = 0x06010022;

// Twelve controls like the main window's, in creation order.
const uint32_t kControls[] = {0x16010006, 0x16010007, 0x16010008, 0x1601000B,
                              0x1601000C, 0x1601003D, 0x1601003E, 0x16010040,
                              0x16010041, 0x16010042, 0x16010051, 0x16010052};

DescriptionSet TwelveControls() {
    std::vector<UnitRecord> units = {WindowUnit(kMainUnit, 10, 10, 400, 300)};
    int x = 0;
    for (uint32_t id : kControls)
        units.push_back(ChildUnit(id, kTestChildType, x += 5, 5, 20, 20));
    DescriptionSet set;
    set.windows.push_back(Window(kMain, units));
    return set;
}

DescriptionSet MainAndDialog() {
    DescriptionSet set;
    UnitRecord main = WindowUnit(kMainUnit, 10, 10, 300, 200);
    UnitRecord dialog = WindowUnit(kDialogUnit, 50, 50, 200, 100);
    set.windows.push_back(
        Window(kMain, {main, ChildUnit(0x16010006, kTestChildType, 1, 1, 50, 20)}));
    set.windows.push_back(
        Window(kDialog, {dialog, ChildUnit(0x16010030, kTestChildType, 1, 1, 50, 20)}));
    return set;
}

TEST(WindowLoader, CreatesControlsInOrderWithIdentifiersAndZOrder) {
    StartTestRuntime(TwelveControls());
    LoadStartupWindow(kMain);
    for (size_t i = 0; i < 12; ++i) {
        HWND h = UnitHwnd(kMain, kControls[i]);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(GetDlgCtrlID(h), 100 + 10 * static_cast<int>(i)) << i;
        EXPECT_EQ(GetParent(h), WindowHandle(kMain));
    }
    // The control added last lies uppermost: the z-order runs backwards.
    HWND h = GetWindow(WindowHandle(kMain), GW_CHILD);
    for (size_t i = 12; i-- > 0; h = GetWindow(h, GW_HWNDNEXT)) {
        EXPECT_EQ(h, UnitHwnd(kMain, kControls[i])) << i;
    }
}

TEST(WindowLoader, SendsNotificationsAndEventsInOrder) {
    DescriptionSet set;
    UnitRecord own = WindowUnit(kMainUnit, 10, 10, 300, 200);
    own.bindings = {{0, 1}, {3, 2}, {4, 3}, {2, kNoHandler}, {-7, 4}};
    UnitRecord a = ChildUnit(0x16010006, kTestChildType, 1, 1, 10, 10);
    UnitRecord b = ChildUnit(0x16010007, kTestChildType, 1, 1, 10, 10);
    set.windows.push_back(Window(kMain, {own, a, b}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    EXPECT_TRUE(LogEquals({
        "applied 16010006",
        "applied 16010007",
        "applied 06010000",
        "all-present 06010000",
        "handler 1 06010000",
        "handler 2 06010000",
        "handler 3 06010000",
        "handler 4 06010000",  // shown and active: the window holds the focus
        "shown 16010006",
        "shown 16010007",
        "shown 06010000",
    }));
    EXPECT_TRUE(IsWindowVisible(WindowHandle(kMain)));
}

TEST(WindowLoader, AReferenceThatNamesNoHandlerBindsNothing) {
    DescriptionSet set;
    UnitRecord own = WindowUnit(kMainUnit, 10, 10, 300, 200);
    // 0x999 names no routine of the program; the later binding of event 0 is not
    // reached either: the first binding in stored order decides.
    own.bindings = {{0, 0x999}, {0, 1}, {3, 2}};
    set.windows.push_back(Window(kMain, {own}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    EXPECT_TRUE(LogEquals(
        {"applied 06010000", "all-present 06010000", "handler 2 06010000", "shown 06010000"}));
}

TEST(WindowLoader, NeverShownAndInvisibleUnitsStayHidden) {
    DescriptionSet set;
    set.windows.push_back(
        Window(kMain, {WindowUnit(kMainUnit, 0, 0, 200, 200),
                       ChildUnit(0x16010006, kTestHiddenType, 0, 0, 10, 10, true),
                       ChildUnit(0x16010007, kTestChildType, 0, 0, 10, 10, false),
                       ChildUnit(0x16010008, kTestChildType, 0, 0, 10, 10, true)}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    EXPECT_FALSE(IsWindowVisible(UnitHwnd(kMain, 0x16010006)));
    EXPECT_FALSE(IsWindowVisible(UnitHwnd(kMain, 0x16010007)));
    EXPECT_TRUE(IsWindowVisible(UnitHwnd(kMain, 0x16010008)));
    // Writing visible true to a never-shown unit does not show it either.
    WriteProperty(kMain, 0x16010006, 5, -1, MakeLogical(true));
    EXPECT_FALSE(IsWindowVisible(UnitHwnd(kMain, 0x16010006)));
    EXPECT_EQ(ReadProperty(kMain, 0x16010006, 5).low, 0u);
}

TEST(WindowLoader, LoadingALoadedWindowBuildsNothingAndRestoresIt) {
    StartTestRuntime(MainAndDialog());
    LoadStartupWindow(kMain);
    HWND first = WindowHandle(kMain);
    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(first));
    Log().clear();
    EXPECT_TRUE(LoadWindow(kMain, 0, false));
    EXPECT_EQ(WindowHandle(kMain), first);
    EXPECT_FALSE(IsIconic(first));
    EXPECT_TRUE(Log().empty());
}

TEST(WindowLoader, AFailingControlFailsTheLoadAndLeavesNothing) {
    DescriptionSet set = MainAndDialog();
    set.windows[1].units.push_back(ChildUnit(0x16010031, kTestFailingType, 0, 0, 5, 5));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    EXPECT_FALSE(LoadWindow(kDialog, 0, false));
    EXPECT_FALSE(IsWindowLoaded(kDialog));
    EXPECT_EQ(FindLiveControl(kDialog, 0x16010030), nullptr);
    // Unknown windows and owners that are not loaded fail quietly too.
    EXPECT_FALSE(LoadWindow(0x12345678, 0, false));
    EXPECT_FALSE(LoadWindow(kMain, kDialog, false));
}

// The modal tests act from a timer callback that runs inside the nested loop.
bool mainEnabledDuringModal = true;

void CALLBACK CloseDialogSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    mainEnabledDuringModal = IsWindowEnabled(WindowHandle(kMain)) != FALSE;
    PostMessageW(WindowHandle(kDialog), WM_CLOSE, 0, 0);
}

void CALLBACK QuitSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(7);
}

TEST(WindowLoader, ModalLoadDisablesOthersUntilClosed) {
    StartTestRuntime(MainAndDialog());
    LoadStartupWindow(kMain);
    SetTimer(nullptr, 0, 30, CloseDialogSoon);
    EXPECT_TRUE(LoadWindow(kDialog, 0, true));
    // Returned only after the dialog had gone.
    EXPECT_FALSE(IsWindowLoaded(kDialog));
    EXPECT_FALSE(mainEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMain)));
    EXPECT_EQ(Runtime().runningModalWindow, 0u);
    // It can be loaded again.
    SetTimer(nullptr, 0, 30, CloseDialogSoon);
    EXPECT_TRUE(LoadWindow(kDialog, 0, true));
}

// A modal window opened from a modal window's loop, both then closed from inside
// the second one's loop, in either order. Each loop ends once its window is gone,
// and the main window is enabled again at the end: a loop left waiting for a
// window already closed is given up after two seconds with WM_QUIT 99.
constexpr uint32_t kSecond = 0x52010031, kSecondUnit = 0x06010032;
std::vector<uint32_t> closeOrder;
bool secondLoaded = false;
UINT_PTR closeTimer = 0;

void CALLBACK CloseNextModal(HWND, UINT, UINT_PTR, DWORD) {
    if (closeOrder.empty())
        return;
    const uint32_t next = closeOrder.front();
    closeOrder.erase(closeOrder.begin());
    SendMessageW(WindowHandle(next), WM_CLOSE, 0, 0);
}

void CALLBACK OpenSecondModal(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    closeTimer = SetTimer(nullptr, 0, 20, CloseNextModal);
    secondLoaded = LoadWindow(kSecond, 0, true);
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(99);
}

TEST(WindowLoader, NestedModalWindowsClosedInEitherOrder) {
    for (const std::vector<uint32_t>& order : {std::vector<uint32_t>{kDialog, kSecond},
                                               std::vector<uint32_t>{kSecond, kDialog}}) {
        DescriptionSet set = MainAndDialog();
        set.windows.push_back(Window(kSecond, {WindowUnit(kSecondUnit, 90, 90, 150, 80)}));
        StartTestRuntime(set);
        LoadStartupWindow(kMain);
        closeOrder = order;
        secondLoaded = false;
        SetTimer(nullptr, 0, 20, OpenSecondModal);
        const UINT_PTR watchdog = SetTimer(nullptr, 0, 2000, GiveUp);
        EXPECT_TRUE(LoadWindow(kDialog, 0, true));
        KillTimer(nullptr, watchdog);
        KillTimer(nullptr, closeTimer);
        MSG msg;
        EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            << "a loop waited for a closed window; first closed " << Hex(order[0]);
        EXPECT_TRUE(secondLoaded);
        EXPECT_FALSE(IsWindowLoaded(kDialog));
        EXPECT_FALSE(IsWindowLoaded(kSecond));
        EXPECT_EQ(Runtime().runningModalWindow, 0u);
        EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMain))) << Hex(order[0]);
        DestroyWindow(WindowHandle(kMain));
    }
}

TEST(WindowLoader, AHiddenModalWindowRunsItsLoopWhenFirstMadeVisible) {
    DescriptionSet set = MainAndDialog();
    set.windows[1].units[0].flags &= ~kUnitVisible;
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    // Not visible: the load returns at once, the window waits for its first showing.
    EXPECT_TRUE(LoadWindow(kDialog, 0, true));
    EXPECT_TRUE(IsWindowLoaded(kDialog));
    EXPECT_FALSE(IsWindowVisible(WindowHandle(kDialog)));
    EXPECT_FALSE(IsWindowEnabled(WindowHandle(kMain)));
    // Writing visible true shows it and runs its loop until it closes.
    mainEnabledDuringModal = true;
    SetTimer(nullptr, 0, 30, CloseDialogSoon);
    WriteProperty(kDialog, 0, 5, -1, MakeLogical(true));
    EXPECT_FALSE(IsWindowLoaded(kDialog));
    EXPECT_FALSE(mainEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMain)));
}

TEST(WindowLoader, QuitEndsTheNestedLoopAndStaysQueued) {
    StartTestRuntime(MainAndDialog());
    LoadStartupWindow(kMain);
    SetTimer(nullptr, 0, 30, QuitSoon);
    EXPECT_TRUE(LoadWindow(kDialog, 0, true));
    EXPECT_TRUE(IsWindowLoaded(kDialog));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    // The outer loop then ends with that code.
    EXPECT_EQ(RunMessageLoop(), 7);
}

// The retrieval after the message that carries 1234 fails, leaving the message
// as it was.
constexpr UINT kMsgMarker = WM_USER + 5;
void* realGetMessage = nullptr;
bool failNextRetrieval = false;

BOOL WINAPI GetMessageFailingAfterMarker(LPMSG msg, HWND hwnd, UINT first, UINT last) {
    if (failNextRetrieval) {
        failNextRetrieval = false;
        return -1;
    }
    BOOL got = reinterpret_cast<decltype(&GetMessageW)>(realGetMessage)(msg, hwnd, first, last);
    failNextRetrieval = got > 0 && msg->message == kMsgMarker && msg->wParam == 1234;
    return got;
}

void CALLBACK PostMarker(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageW(WindowHandle(kDialog), kMsgMarker, 1234, 0);
}

// A failed retrieval is no WM_QUIT with the last message's wParam: the loop ends
// with -1, the nested one leaving a WM_QUIT of -1 for the outer loop.
TEST(WindowLoader, AFailedRetrievalEndsTheLoopWithMinusOne) {
    StartTestRuntime(MainAndDialog());
    LoadStartupWindow(kMain);
    ImportPatch patch("user32.dll", "GetMessageW",
                      reinterpret_cast<void*>(GetMessageFailingAfterMarker));
    ASSERT_TRUE(patch.active());
    realGetMessage = patch.original();
    SetTimer(nullptr, 0, 20, PostMarker);
    EXPECT_TRUE(LoadWindow(kDialog, 0, true));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(static_cast<int>(msg.wParam), -1);
    PostMessageW(WindowHandle(kMain), kMsgMarker, 1234, 0);
    EXPECT_EQ(RunMessageLoop(), -1);
}

TEST(WindowLoader, EndRulePostsQuitOnlyOnceTheLoopHasStarted) {
    StartTestRuntime(MainAndDialog());
    LoadStartupWindow(kMain);
    DestroyWindow(WindowHandle(kMain));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // Nothing loaded: the loop does not run.
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_TRUE(LoadWindow(kMain, 0, false));
    EXPECT_TRUE(LoadWindow(kDialog, 0, false));
    PostMessageW(WindowHandle(kDialog), WM_CLOSE, 0, 0);
    PostMessageW(WindowHandle(kMain), WM_CLOSE, 0, 0);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindowLoaded(kMain));
    EXPECT_FALSE(IsWindowLoaded(kDialog));
}

void DestroyMainWindow() {
    DestroyWindow(WindowHandle(kMain));
}

TEST(WindowLoader, AWindowClosedWhileLoadingIsNoFailureAndTheLoopDoesNotRun) {
    DescriptionSet set = MainAndDialog();
    set.windows[0].units[0].bindings = {{0, 5}, {3, 6}};
    StartTestRuntime(set);
    SetHandlerAction(5, DestroyMainWindow);
    LoadStartupWindow(kMain);  // no error box: the window was built, then closed
    EXPECT_FALSE(IsWindowLoaded(kMain));
    EXPECT_TRUE(LogEquals(
        {"applied 16010006", "applied 06010000", "all-present 06010000", "handler 5 06010000"}));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(RunMessageLoop(), 0);
}

TEST(WindowLoader, ARefusedCloseKeepsTheWindow) {
    DescriptionSet set = MainAndDialog();
    set.windows[0].units[0].bindings = {{1, 4}};
    StartTestRuntime(set);
    SetHandlerResult(4, false);
    LoadStartupWindow(kMain);
    SendMessageW(WindowHandle(kMain), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowLoaded(kMain));
    SetHandlerResult(4, true);
    SendMessageW(WindowHandle(kMain), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowLoaded(kMain));
}

// An owned pop-up is a top-level window although GetParent names its owner.
constexpr uint32_t kPopup = 0x52010041, kPopupUnit = 0x06010042;
bool popupEnabledDuringModal = true;

void CALLBACK CloseDialogAfterLookingAtThePopup(HWND, UINT, UINT_PTR id, DWORD) {
    popupEnabledDuringModal = IsWindowEnabled(WindowHandle(kPopup)) != FALSE;
    CloseDialogSoon(nullptr, 0, id, 0);
}

TEST(WindowLoader, AModalWindowDisablesOwnedPopUpsToo) {
    DescriptionSet set = MainAndDialog();
    set.windows.push_back(Window(kPopup, {WindowUnit(kPopupUnit, 80, 80, 120, 80)}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    ASSERT_TRUE(LoadWindow(kPopup, kMain, false));
    ASSERT_EQ(GetParent(WindowHandle(kPopup)), WindowHandle(kMain));
    SetTimer(nullptr, 0, 30, CloseDialogAfterLookingAtThePopup);
    EXPECT_TRUE(LoadWindow(kDialog, 0, true));
    EXPECT_FALSE(mainEnabledDuringModal);
    EXPECT_FALSE(popupEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(WindowHandle(kPopup)));
}

TEST(WindowLoader, TheFocusGoesBackToNowhereAfterTheShownNotification) {
    DescriptionSet set = MainAndDialog();
    set.windows[1].units[0].flags &= ~kUnitVisible;  // shown later: the focus stays put
    set.windows[1].units.push_back(ChildUnit(0x16010031, kTestFocusGrabberType, 1, 30, 50, 20));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    SetFocus(nullptr);
    ASSERT_EQ(GetFocus(), nullptr);
    Log().clear();
    EXPECT_TRUE(LoadWindow(kDialog, 0, false));
    // The control took the focus on 'shown'; the loader took it back to nowhere.
    EXPECT_NE(std::find(Log().begin(), Log().end(), "focus taken 16010031"), Log().end());
    EXPECT_EQ(GetFocus(), nullptr);
}

// A load that fails part-way raises nothing while it is torn down: the window's
// created event never ran, so its being destroyed does not either.
TEST(WindowLoader, AnAbandonedLoadRaisesNoEvents) {
    DescriptionSet set = MainAndDialog();
    set.windows[1].units[0].bindings = {{2, 1}};
    set.windows[1].units.push_back(ChildUnit(0x16010031, kTestFailingType, 0, 0, 5, 5));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    Log().clear();
    EXPECT_FALSE(LoadWindow(kDialog, 0, false));
    EXPECT_TRUE(LogEquals({}));
    EXPECT_FALSE(EventsSuppressed());
}

TEST(WindowLoader, ProcessPendingEventsDispatchesWaitingMessagesAndStopsAtQuit) {
    StartTestRuntime(MainAndDialog());
    LoadStartupWindow(kMain);
    HWND child = UnitHwnd(kMain, 0x16010006);
    for (int i = 0; i < 3; ++i)
        PostMessageW(child, kMsgTestPlain, i, 0);
    Log().clear();
    ProcessPendingEvents();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    const std::string got = "got 16010006 " + Hex(kMsgTestPlain);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), got), 3) << "dispatched, not dropped";
    // However the queue orders it, a WM_QUIT ends the call and stays queued.
    PostMessageW(child, WM_USER + 1, 0, 0);
    PostQuitMessage(3);
    ProcessPendingEvents();
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
}  // namespace velmora::test

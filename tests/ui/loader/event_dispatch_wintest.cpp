// Covers: routing events to handlers, and the message loop's idle phase and
// pre-translation walk.
//  - event links: a unit linked to a unit of the same type uses that unit's
//    bindings (the source stays the raising unit); a link to another type, to a
//    missing unit, or a cycle of links ends at the last usable unit;
//  - the first binding in stored order wins, and a first binding without handler
//    means nothing runs; an index without binding does nothing;
//  - suppression: nothing runs until resumed;
//  - the current event source while a handler runs, restored after a nested event,
//    cleared afterwards; a wanted result comes back with its mark;
//  - idle: a window binding event 7 gets it with one integer argument (the
//    milliseconds of the idle period); a handler answering true gets more in the
//    same period, one answering false only one per period; the private wake-up
//    message starts a new idle period and is never dispatched;
//  - pre-translation: a message to a child is offered to the child, then to its
//    window; a consumed message is not dispatched; messages without a window are
//    offered to nobody.
#include <gtest/gtest.h>

#include "support/test_program_win.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kA = 0x16010006, kB = 0x16010007, kC = 0x16010008, kHidden = 0x16010009;
constexpr uint32_t kConsumer = 0x1601000B;

DescriptionSet Set(std::vector<UnitRecord> children) {
    std::vector<UnitRecord> units = {WindowUnit(kMainUnit, 10, 10, 300, 200)};
    units.insert(units.end(), children.begin(), children.end());
    DescriptionSet set;
    set.windows.push_back(Window(kMain, units));
    return set;
}

UnitRecord Child(uint32_t unit, std::vector<EventBinding> bindings, uint32_t link = 0,
                 uint32_t type = kTestChildType) {
    UnitRecord u = ChildUnit(unit, type, 1, 1, 20, 20);
    u.bindings = std::move(bindings);
    u.eventLink = link;
    return u;
}

TEST(EventDispatch, ALinkedUnitUsesTheBindingsOfItsLinkOfTheSameType) {
    StartTestRuntime(Set({Child(kA, {{2, 1}}), Child(kB, {{2, 2}}, kA),
                          // a link to a unit of another type is not followed
                          Child(kHidden, {{2, 3}}, kA, kTestHiddenType),
                          // a chain: C -> B -> A
                          Child(kC, {{2, 4}}, kB)}));
    RaiseEvent(kMain, kB, 2);
    RaiseEvent(kMain, kHidden, 2);
    RaiseEvent(kMain, kC, 2);
    EXPECT_TRUE(LogEquals({"handler 1 16010007", "handler 3 16010009", "handler 1 16010008"}));
}

TEST(EventDispatch, LinksToMissingUnitsAndCyclesEndAtTheLastUsableUnit) {
    StartTestRuntime(
        Set({Child(kA, {{2, 1}}, kB), Child(kB, {{2, 2}}, kA), Child(kC, {{2, 3}}, 0x16019999)}));
    RaiseEvent(kMain, kA, 2);
    RaiseEvent(kMain, kC, 2);
    ASSERT_EQ(Log().size(), 2u);
    EXPECT_EQ(Log()[1], "handler 3 16010008");
    // Within a cycle the first unit is never revisited: A ends at B.
    EXPECT_EQ(Log()[0], "handler 2 16010006");
}

TEST(EventDispatch, TheFirstBindingInStoredOrderWins) {
    StartTestRuntime(
        Set({Child(kA, {{1, 5}, {2, 3}, {2, 4}}), Child(kB, {{2, kNoHandler}, {2, 4}})}));
    EXPECT_TRUE(RaiseEvent(kMain, kA, 2).handled);
    EXPECT_FALSE(RaiseEvent(kMain, kB, 2).handled);  // first binding: no handler
    EXPECT_FALSE(RaiseEvent(kMain, kA, 3).handled);  // no binding at all
    EXPECT_FALSE(RaiseEvent(kMain, kA, -7).handled);
    EXPECT_TRUE(LogEquals({"handler 3 16010006"}));
}

TEST(EventDispatch, NothingRunsWhileSuppressed) {
    StartTestRuntime(Set({Child(kA, {{2, 1}})}));
    SuppressEvents();
    SuppressEvents();
    EXPECT_TRUE(EventsSuppressed());
    EXPECT_FALSE(RaiseEvent(kMain, kA, 2).handled);
    // Not even the checks run: an unknown window passes silently.
    EXPECT_FALSE(RaiseEvent(0x52019999, 0, 2).handled);
    ResumeEvents();
    EXPECT_FALSE(RaiseEvent(kMain, kA, 2).handled);
    ResumeEvents();
    EXPECT_FALSE(EventsSuppressed());
    EXPECT_TRUE(RaiseEvent(kMain, kA, 2).handled);
    EXPECT_TRUE(LogEquals({"handler 1 16010006"}));
}

UnitReference sourceAfterNested;

void RaiseNested() {
    RaiseEvent(kMain, kB, 2);
    sourceAfterNested = CurrentEventSource();
}

TEST(EventDispatch, TheCurrentSourceDuringAHandlerAndAfter) {
    StartTestRuntime(Set({Child(kA, {{2, 1}}), Child(kB, {{2, 2}})}));
    SetHandlerAction(1, RaiseNested);
    SetHandlerResult(1, true);
    EventOutcome o = RaiseEvent(kMain, kA, 2, 0, nullptr, true);
    EXPECT_TRUE(LogEquals({"handler 1 16010006", "handler 2 16010007"}));
    EXPECT_EQ(sourceAfterNested.windowId, kMain);
    EXPECT_EQ(sourceAfterNested.unitId, kA);
    EXPECT_EQ(CurrentEventSource().windowId, 0u);
    EXPECT_EQ(CurrentEventSource().unitId, 0u);
    EXPECT_TRUE(o.handled);
    EXPECT_TRUE(o.resultPresent);
    EXPECT_EQ(o.result.tag, static_cast<uint32_t>(kTagLogical));
    EXPECT_EQ(o.result.low, 1u);
    // No handler ran: no result, however much it was wanted.
    StartTestRuntime(Set({}));
    EXPECT_FALSE(RaiseEvent(kMain, 0, 2, 0, nullptr, true).resultPresent);
}

// ---- The idle phase ---------------------------------------------------------

int idleCalls = 0;
int answerTrueFor = 0;
std::vector<uint32_t> idleElapsed;  // the argument of each idle event, in order
constexpr DWORD kFirstIdleSleepMs = 60;

// The first call takes a while, so the later ones of its period see the time pass.
void CountIdle() {
    ++idleCalls;
    idleElapsed.push_back(LastHandlerArgs().empty() ? 0 : LastHandlerArgs()[0].low);
    if (idleCalls == 1)
        Sleep(kFirstIdleSleepMs);
    SetHandlerResult(6, idleCalls <= answerTrueFor);
}

void CALLBACK QuitLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(0);
}

// Runs the outer loop for about `ms` with a window that binds the idle event.
void RunIdleLoop(int trueFor, UINT ms) {
    DescriptionSet set = Set({});
    set.windows[0].units[0].bindings = {{7, 6}};
    StartTestRuntime(set);
    idleCalls = 0;
    answerTrueFor = trueFor;
    SetHandlerAction(6, CountIdle);
    SetHandlerResult(6, trueFor > 0);
    LoadStartupWindow(kMain);
    // Let the window settle so that no start-up message starts extra idle periods.
    ProcessPendingEvents();
    idleCalls = 0;
    idleElapsed.clear();
    LastHandlerArgs().clear();
    SetTimer(nullptr, 0, ms, QuitLater);
    RunMessageLoop();
}

TEST(IdlePhase, AWindowBindingTheIdleEventGetsItWithTheElapsedTime) {
    RunIdleLoop(0, 300);
    EXPECT_GE(idleCalls, 1);
    // One per idle period: the loop starts one, the timer message at most another
    // few; a handler that answers false never keeps the loop spinning.
    EXPECT_LE(idleCalls, 4);
    ASSERT_EQ(LastHandlerArgs().size(), 1u);
    EXPECT_EQ(LastHandlerArgs()[0].tag, static_cast<uint32_t>(kTagInteger));
    EXPECT_LT(LastHandlerArgs()[0].low, 300u);
}

TEST(IdlePhase, AHandlerAnsweringTrueGetsMoreInTheSamePeriod) {
    RunIdleLoop(20, 300);
    // Twenty answers of true, then one false, in the first period alone.
    EXPECT_GE(idleCalls, 21);
    EXPECT_LE(idleCalls, 25);
    // The time is counted from the start of the period: the calls after the slow
    // first one see it.
    ASSERT_GE(idleElapsed.size(), 21u);
    EXPECT_LT(idleElapsed[0], kFirstIdleSleepMs - 20);
    EXPECT_GE(idleElapsed[20], kFirstIdleSleepMs - 20);
}

constexpr UINT kWakeForIdle = 0x036A;
WNDPROC originalProc = nullptr;
int wakesDispatched = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kWakeForIdle)
        ++wakesDispatched;
    return CallWindowProcW(originalProc, hwnd, msg, wParam, lParam);
}

bool safetyQuit = false;

void CALLBACK SafetyQuit(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    safetyQuit = true;
    PostQuitMessage(0);
}

// Answers false; wakes the loop five times, then ends it.
void WakeFromIdle() {
    ++idleCalls;
    if (idleCalls <= 5) {
        PostMessageW(WindowHandle(kMain), kWakeForIdle, 0, 0);
    } else if (idleCalls == 6) {
        PostQuitMessage(0);
    }
}

TEST(IdlePhase, TheWakeMessageStartsAnIdlePeriodAndIsDropped) {
    DescriptionSet set = Set({});
    set.windows[0].units[0].bindings = {{7, 6}};
    StartTestRuntime(set);
    SetHandlerAction(6, WakeFromIdle);
    SetHandlerResult(6, false);
    LoadStartupWindow(kMain);
    ProcessPendingEvents();
    originalProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        WindowHandle(kMain), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
    idleCalls = 0;
    // Without the wake-ups starting new idle periods the loop would wait for this.
    SetTimer(nullptr, 0, 3000, SafetyQuit);
    RunMessageLoop();
    EXPECT_FALSE(safetyQuit);
    EXPECT_EQ(idleCalls, 6);
    EXPECT_EQ(wakesDispatched, 0);
}

TEST(IdlePhase, WithoutABindingTheLoopIdlesQuietly) {
    StartTestRuntime(Set({}));
    LoadStartupWindow(kMain);
    SetTimer(nullptr, 0, 100, QuitLater);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_TRUE(IsWindowLoaded(kMain));
}

// ---- Pre-translation ------------------------------------------------------------

class PreTranslation : public ::testing::Test {
  protected:
    void SetUp() override {
        StartTestRuntime(Set({Child(kA, {}), Child(kConsumer, {}, 0, kTestConsumerType)}));
        LoadStartupWindow(kMain);
        ProcessPendingEvents();
        Log().clear();
    }
    static std::string Msg(UINT m) { return Hex(m); }
};

TEST_F(PreTranslation, AChildsMessageIsOfferedToTheChildThenToItsWindow) {
    PostMessageW(UnitHwnd(kMain, kA), kMsgTestPlain, 0, 0);
    ProcessPendingEvents();
    EXPECT_TRUE(
        LogEquals({"pre 16010006 " + Msg(kMsgTestPlain), "pre 06010000 " + Msg(kMsgTestPlain),
                   "got 16010006 " + Msg(kMsgTestPlain)}));
}

TEST_F(PreTranslation, AMessageConsumedByTheChildGoesNoFurther) {
    PostMessageW(UnitHwnd(kMain, kConsumer), kMsgConsumedByChild, 0, 0);
    // The same message to a child that does not consume it reaches it.
    PostMessageW(UnitHwnd(kMain, kA), kMsgConsumedByChild, 0, 0);
    ProcessPendingEvents();
    EXPECT_TRUE(LogEquals(
        {"pre 1601000B " + Msg(kMsgConsumedByChild), "pre 16010006 " + Msg(kMsgConsumedByChild),
         "pre 06010000 " + Msg(kMsgConsumedByChild), "got 16010006 " + Msg(kMsgConsumedByChild)}));
}

TEST_F(PreTranslation, AMessageConsumedByTheWindowIsNotDispatched) {
    PostMessageW(UnitHwnd(kMain, kA), kMsgConsumedByWindow, 0, 0);
    PostMessageW(WindowHandle(kMain), kMsgTestPlain, 0, 0);
    ProcessPendingEvents();
    EXPECT_TRUE(LogEquals(
        {"pre 16010006 " + Msg(kMsgConsumedByWindow), "pre 06010000 " + Msg(kMsgConsumedByWindow),
         "pre 06010000 " + Msg(kMsgTestPlain), "got 06010000 " + Msg(kMsgTestPlain)}));
}

TEST_F(PreTranslation, TheOuterLoopWalksTheSameWay) {
    PostMessageW(UnitHwnd(kMain, kConsumer), kMsgConsumedByChild, 0, 0);
    PostMessageW(UnitHwnd(kMain, kA), kMsgTestPlain, 0, 0);
    PostQuitMessage(0);
    RunMessageLoop();
    EXPECT_TRUE(
        LogEquals({"pre 1601000B " + Msg(kMsgConsumedByChild), "pre 16010006 " + Msg(kMsgTestPlain),
                   "pre 06010000 " + Msg(kMsgTestPlain), "got 16010006 " + Msg(kMsgTestPlain)}));
}

TEST_F(PreTranslation, AThreadMessageIsOfferedToNoWindow) {
    PostThreadMessageW(GetCurrentThreadId(), kMsgTestPlain, 0, 0);
    ProcessPendingEvents();
    EXPECT_TRUE(Log().empty());
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, kMsgTestPlain, kMsgTestPlain, PM_NOREMOVE));
}

}  // namespace
}  // namespace velmora::test

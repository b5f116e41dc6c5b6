// Covers: the `Timer`.
//  - stored 250 ticks from creation on; empty data starts stopped; every WM_TIMER
//    (timer 1000, posted) raises tick;
//  - writes: the value already stored does not restart a running timer; another
//    value starts anew a full interval after the write; 0 and -5 (stored as 0) stop.
#include <gtest/gtest.h>

#include "support/message_sequence_win.h"
#include "support/test_program_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/timer_properties.h"
#include "ui/loader/event_indices.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kA = 0x16010006, kB = 0x16010007;

// Ticks of handler 1 (timer A), by their time.
std::vector<DWORD> ticks;
void NoteTick() {
    ticks.push_back(GetTickCount());
}

void Start(int32_t a, bool bHasData) {
    UnitRecord ua = ChildUnit(kA, kTimerTypeCode, 0, 0, 0, 0);
    ua.ownData = kTimerLayout.Encode(TimerProperties{a});
    ua.bindings = {{kEventTick, 1}};
    UnitRecord ub = ChildUnit(kB, kTimerTypeCode, 0, 0, 0, 0);
    ub.ownData = bHasData ? kTimerLayout.Encode(TimerProperties{}) : "";
    ub.bindings = {{kEventTick, 2}};
    DescriptionSet set;
    set.windows.push_back(Window(kMain, {WindowUnit(kMainUnit, 0, 0, 200, 100), ua, ub}));
    StartTestRuntime(set);
    ticks.clear();
    SetHandlerAction(1, NoteTick);
    LoadStartupWindow(kMain);
}

void WriteInterval(int32_t v) {
    WriteProperty(kMain, kA, kTimerInterval, kWholeProperty, MakeInteger(v));
}

TEST(Timer, AStoredIntervalTicksFromCreationAndEmptyDataStartsStopped) {
    const DWORD start = GetTickCount();
    Start(250, false);
    WatchUnit(kMain, kA);
    PumpFor(400);
    static const SequenceStep tick[] = {
        {kPosted | kWParam, kA, WM_TIMER, 1000},
        {kHandler, kA, kEventTick},
    };
    EXPECT_TRUE(SequenceIs(tick));  // one tick of A, none of B
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_GE(ticks[0] - start, 230u);
    EXPECT_EQ(ReadProperty(kMain, kB, kTimerInterval).low, 0u);
}

TEST(Timer, WritingTheSameIntervalDoesNotRestartIt) {
    Start(300, true);
    const DWORD start = GetTickCount();
    PumpFor(150);
    WriteInterval(300);
    while (ticks.empty() && GetTickCount() - start < 1000)
        PumpFor(5);
    ASSERT_FALSE(ticks.empty());
    EXPECT_LT(ticks[0] - start, 400u);  // a restart would have made it about 450
}

TEST(Timer, AnotherIntervalStartsAnewAFullIntervalAfterTheWrite) {
    Start(300, true);
    PumpFor(150);
    const DWORD written = GetTickCount();
    WriteInterval(200);
    while (ticks.empty() && GetTickCount() - written < 1000)
        PumpFor(5);
    ASSERT_FALSE(ticks.empty());
    EXPECT_GE(ticks[0] - written, 185u);  // not at 300 from the start
    EXPECT_EQ(ReadProperty(kMain, kA, kTimerInterval).low, 200u);
}

TEST(Timer, ZeroAndNegativeIntervalsStopIt) {
    for (int32_t stop : {0, -5}) {
        Start(50, true);
        WriteInterval(stop);
        ClearSequence();
        PumpFor(200);
        EXPECT_TRUE(ticks.empty()) << stop;
        EXPECT_EQ(ReadProperty(kMain, kA, kTimerInterval).low, 0u) << stop;
        DestroyWindow(WindowHandle(kMain));
    }
}

}  // namespace
}  // namespace velmora::test

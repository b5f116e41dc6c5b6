// The frequency test window's five handlers. Its only state outside the controls
// is the sweep's counter.
#include "app/test_window_handlers_win.h"

#include "app/edit_content_win.h"
#include "app/sweep_frequency.h"
#include "app/windows/test_window.h"
#include "runtime/conversions.h"
#include "runtime/external_call_win.h"
#include "runtime/external_table_win.h"
#include "runtime/text_block.h"
#include "ui/controls/balloon_tip/q_tip_commands.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/timer_properties.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

int32_t SweepFrequency = 0;

namespace {

using namespace test_window;

// A control reference as a service command takes it: the pair, typed by the unit's
// type code.
TypedValue Reference(uint32_t unitId, uint32_t typeCode) {
    return TypedValue{kWindowId, unitId, typeCode};
}

void AddBoxTip(uint32_t target, const char* text) {
    // The rectangle's four arguments are left out: the tip covers the whole box.
    const TypedValue args[8] = {Reference(kTipBox, kQTipTypeCode),
                                Reference(target, kEditBoxTypeCode),
                                MakeText(text),
                                MakeInteger(-1),
                                {},
                                {},
                                {},
                                {}};
    TypedValue result;
    AddTip(&result, 8, args);
}

void WriteInterval(int32_t interval) {
    WriteProperty(kWindowId, kSweepTimer, kTimerInterval, kWholeProperty, MakeInteger(interval));
}

}  // namespace

void TestWindowCreated() {
    AddBoxTip(kFrequencyBox, kFrequencyTip);
    AddBoxTip(kDurationBox, kDurationTip);
}

void TestPlayButtonClicked() {
    const int32_t frequency = ReadContentAsInteger(kWindowId, kFrequencyBox);
    const int32_t duration = ReadContentAsInteger(kWindowId, kDurationBox);
    // Both go as they are: a duration of -1 reaches Beep as 0xFFFFFFFF. The stack is
    // checked after the call; a mismatch is runtime error 6.
    CallExternal(kBeepDeclaration, frequency, duration);
}

void SweepButtonClicked() {
    WriteInterval(10);
}

void StopSweepButtonClicked() {
    WriteInterval(0);
}

void SweepTimerTick() {
    SweepFrequency = NextSweepFrequency(SweepFrequency);
    char* digits = ToText(SweepFrequency);
    WriteProperty(kWindowId, kFrequencyBox, kEditBoxContent, kWholeProperty, MakeText(digits));
    FreeBlock(digits);
    TestPlayButtonClicked();
}

}  // namespace velmora

#pragma once
// The frequency test window's handlers (Windows only): bound to its created event,
// the play, sweep and stop buttons and the sweep timer.

#include <cstdint>

namespace velmora {

// The sweep's frequency counter: 0 at start, raised by each sweep tick, never
// reset, so a sweep continues where the last one stopped, also after the window was
// closed and opened again.
extern int32_t SweepFrequency;

void TestWindowCreated();
void TestPlayButtonClicked();
void SweepButtonClicked();
void StopSweepButtonClicked();
void SweepTimerTick();

}  // namespace velmora

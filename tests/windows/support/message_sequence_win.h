#pragma once
// Message-sequence recording in the manner of Wine's user32 message tests: the
// windows of chosen units are subclassed and every message that reaches them
// (sent or posted) is recorded, together with the program's handlers as they run,
// in one stream; the noise of painting, hit-testing and system chatter is left out
// in one place (IsNoise). A test acts, then compares the stream with a static table
// of expected steps; "nothing happened" is an empty table.

#include <windows.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace velmora::test {

enum SequenceFlags : unsigned {
    kSent = 1u << 0,      // a message that reached the window through SendMessage
    kPosted = 1u << 1,    // a message taken from the queue
    kHandler = 1u << 2,   // the handler of event `code` ran, with `unit` as the source
    kOptional = 1u << 3,  // may be missing (Wine and Windows differ)
    kWParam = 1u << 4,    // the wParam must match too
};

// A handler bound to no event of its unit, or to several, records this index.
constexpr int kAmbiguousEvent = -1000;

struct SequenceStep {
    unsigned flags;
    uint32_t unit;  // unit identifier (0 = the window's own unit)
    int code;       // the message, or the event index with kHandler
    WPARAM wParam = 0;
};

// What a watch records besides the messages that are not noise.
enum class Painting { kLeftOut, kRecorded };

// Records every message but the noise that a unit's window gets from now on (the
// unit must be live); with Painting::kRecorded the paint messages too.
void WatchUnit(uint32_t windowId, uint32_t unitId, Painting painting = Painting::kLeftOut);
// Records only these messages (noise or not), for a test about one kind of message.
void WatchUnit(uint32_t windowId, uint32_t unitId, std::initializer_list<UINT> only);
// The same for any window, recorded under `unitId`.
void WatchWindow(HWND hwnd, uint32_t unitId, Painting painting = Painting::kLeftOut);
void WatchWindow(HWND hwnd, uint32_t unitId, std::initializer_list<UINT> only);

// Called by the test program's handlers.
void RecordHandler(uint32_t unitId, int eventIndex);

void ClearSequence();
const std::vector<SequenceStep>& RecordedSequence();

// Compares the recorded stream with the table (kSent/kPosted must agree; optional
// steps may be missing) and prints both side by side on a mismatch.
::testing::AssertionResult SequenceIs(const SequenceStep* expected, size_t count);

template <size_t N>
::testing::AssertionResult SequenceIs(const SequenceStep (&expected)[N]) {
    return SequenceIs(expected, N);
}
inline ::testing::AssertionResult NothingHappened() {
    return SequenceIs(nullptr, 0);
}

// Runs the thread's queue until it is empty.
void PumpMessages();
// Pumps for about `ms` milliseconds (timers fire meanwhile).
void PumpFor(DWORD ms);

}  // namespace velmora::test

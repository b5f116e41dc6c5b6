#pragma once
// The program's handlers as the window descriptions name them: each binding
// stores a handler reference, an offset into the program's handler code, which
// ReadDescriptions resolves to a routine through this list (0xFFFFFFFF, kNoHandler,
// means no handler).

#include <cstdint>

namespace velmora {

// Main window (0x52010001).
constexpr uint32_t kMainWindowCreatedRef = 0x00000513;  // window created: open the forum address
constexpr uint32_t kPlayButtonClickedRef = 0x000000C4;  // "按钮1" clicked: start or stop the tone
constexpr uint32_t kToneTimerTickRef = 0x0000022E;      // "时钟1" tick: one 1-ms tone
constexpr uint32_t kSettingsButtonClickedRef = 0x000002CF;  // "按钮2" clicked: open the test window

// Frequency test window (0x52010021).
constexpr uint32_t kTestWindowCreatedRef = 0x0000045E;       // window created: add the two tips
constexpr uint32_t kSweepButtonClickedRef = 0x00000561;      // "按钮3" clicked: start the sweep
constexpr uint32_t kStopSweepButtonClickedRef = 0x0000053D;  // "按钮2" clicked: stop the sweep
constexpr uint32_t kSweepTimerTickRef = 0x00000309;          // "时钟1" tick: next sweep frequency
constexpr uint32_t kTestPlayButtonClickedRef = 0x0000036E;   // "按钮1" clicked: one tone as typed

struct HandlerReferenceName {
    uint32_t ref;
    const char* name;
};

inline constexpr HandlerReferenceName kHandlerReferenceNames[] = {
    {kMainWindowCreatedRef, "MainWindowCreated"},
    {kPlayButtonClickedRef, "PlayButtonClicked"},
    {kToneTimerTickRef, "ToneTimerTick"},
    {kSettingsButtonClickedRef, "SettingsButtonClicked"},
    {kTestWindowCreatedRef, "TestWindowCreated"},
    {kSweepButtonClickedRef, "SweepButtonClicked"},
    {kStopSweepButtonClickedRef, "StopSweepButtonClicked"},
    {kSweepTimerTickRef, "SweepTimerTick"},
    {kTestPlayButtonClickedRef, "TestPlayButtonClicked"},
};

// The handler's name, or nullptr for a reference the program does not have.
inline const char* HandlerReferenceNameOf(uint32_t ref) {
    for (const HandlerReferenceName& h : kHandlerReferenceNames) {
        if (h.ref == ref)
            return h.name;
    }
    return nullptr;
}

}  // namespace velmora

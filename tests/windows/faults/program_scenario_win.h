#pragma once
// One run of velmora.exe through its usual scenario, driven from outside by posted
// messages (no pointer): start, "播放", a few ticks, "停止", "设置", the test
// window's three buttons, its close, the main window's close. Watches the whole way
// for the runtime's error box, the process's end and a stall.

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::faults {

enum class Outcome {
    kNormal,         // exit code 0
    kErrorBox,       // the out-of-memory error box, then exit code 0xFFFFFFFF
    kUnexpectedBox,  // an error box of another text, or another exit code after it
    kCrash,          // any other exit code
    kHang,           // no end within the time allowed; the process was ended
    kNotStarted,
};

const char* OutcomeName(Outcome outcome);

struct ScenarioResult {
    Outcome outcome = Outcome::kNotStarted;
    DWORD exitCode = 0;
    std::wstring boxText;
    // The first step that did not happen in time (empty: every step did).
    std::wstring missedStep;
    // For a hang: where each thread was before the process was ended.
    std::vector<std::vector<void*>> threadStacks;
};

// Runs the program at `exePath` (its environment is this process's) through the
// scenario; a step that waits for the program waits up to `stepMs`.
ScenarioResult RunProgramScenario(const std::wstring& exePath, DWORD stepMs);

}  // namespace velmora::faults

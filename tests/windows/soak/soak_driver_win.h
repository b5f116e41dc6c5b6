#pragma once
// Drives the real program from inside its own process, as a hurried user would,
// from a timer on its user-interface thread, and samples what the process holds
// whenever the program stands still (no tone, no animation, one window).
//
//  soak:  rounds of the main tone at interval 1, the test window opened with its
//         sweep running, the balloon shown over either box and hidden, the picture's
//         `Animate` toggled ten times a second, the play button pressed in bursts;
//         a sample after the warm-up and then every sample period.
//  abuse: passes of long texts pasted into each edit box, thousands of characters
//         typed, the spin arrows held down, the link clicked in bursts and the test
//         window opened and closed many times; a sample after each pass.
//
// Growth from the first sample to the last beyond a small allowance, a step that
// does not happen in time, or the runtime's error box fails the run.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/windows/soak/resource_sample_win.h"
#include "tests/windows/soak/soak_options.h"
#include "tests/windows/soak/step_queue.h"

namespace velmora::soak {

// What the driver did, for the report.
struct SoakCounts {
    long plays = 0;
    long testWindowOpenings = 0;
    long animateToggles = 0;
    long balloonsShown = 0;
    long toneTicks = 0;
    long sweepTicks = 0;
    long pastes = 0;
    uint32_t slowestPasteMs = 0;
    long typedChars = 0;
    long spinHolds = 0;
    long linkClicks = 0;
};

class SoakDriver {
  public:
    explicit SoakDriver(const SoakOptions& options);
    ~SoakDriver();
    SoakDriver(const SoakDriver&) = delete;
    SoakDriver& operator=(const SoakDriver&) = delete;

    // Before the program's main routine: the driver's timer and its watchdog.
    void Start();
    // After the main routine has returned: prints the verdict, answers the exit code
    // (0 when the run went through without growth).
    int Report();

  private:
    struct Sample {
        uint32_t atMs;
        ResourceSample resources;
        SoakCounts counts;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static DWORD WINAPI Watchdog(LPVOID self);
    static LRESULT CALLBACK CountTicks(int code, WPARAM removal, LPARAM lParam);
    void Turn();
    uint32_t Elapsed() const;

    void NextSoakRound();
    void PlanSoakRound();
    void NextAbusePass();
    void PlanAbusePass();
    void PlanStandStillAndSample();
    void PlanEnd();

    void PlanPaste(uint32_t windowId, uint32_t unitId, uint32_t focusAfter);
    void PlanTyping(uint32_t windowId, uint32_t unitId, uint32_t focusAfter);
    void PlanTidiedCheck(uint32_t unitId, const wchar_t* expected);
    void PlanSpinHold(uint32_t unitId, bool up);
    void PlanLinkBurst();
    void PlanOpenAndClose(bool showBalloon);
    void PlanOpenTestWindow();
    void PlanCloseTestWindow();
    void PlanPlayButton(bool playing);

    void Click(uint32_t windowId, uint32_t unitId);
    void PressPlay();
    void ToggleAnimate();
    void Hover(uint32_t unitId);
    void MoveAwayFromTheBoxes();
    void WatchBalloon();
    bool ReportErrorBox();

    SoakOptions options_;
    ResourceSampler* sampler_ = nullptr;  // made at the first sample, after start-up
    StepQueue plan_;
    UINT_PTR timer_ = 0;
    HANDLE watchdog_ = nullptr;
    HHOOK tickHook_ = nullptr;
    volatile LONG lastTurn_ = 0;
    volatile LONG stopping_ = 0;
    volatile LONG pasting_ = 0;
    uint32_t start_ = 0;
    bool inTurn_ = false;
    bool animate_ = false;
    bool balloonWasVisible_ = false;
    int pass_ = 0;
    uint32_t lastSampleMs_ = 0;
    std::wstring pasteText_;
    uint32_t typingSeed_ = 12345;
    SoakCounts counts_;
    std::vector<Sample> samples_;
    std::string failure_;
};

}  // namespace velmora::soak

#include "tests/windows/soak/soak_driver_win.h"

#include <cstdio>

#include "app/windows/main_window.h"
#include "app/windows/test_window.h"
#include "tests/windows/soak/program_windows_win.h"
#include "ui/loader/window_loader_win.h"
#include "ui/picture/gif_player_win.h"

namespace velmora::soak {

namespace {

namespace mw = main_window;
namespace tw = test_window;

constexpr UINT kTurnMs = 20;
constexpr uint32_t kStartMs = 30000;    // a fresh Wine session starts slowly
// The watchdog's patience, and its patience with a paste (Wine's edit control takes
// time that grows with the square of the text: minutes for a few hundred thousand
// characters).
constexpr LONG kStalledTurnMs = 120000;
constexpr LONG kStalledPasteMs = 3 * 3600 * 1000;

// Allowed between the first sample and the last. The driver's own plan may hold one
// block more or less of its queue at a sample; Wine makes and drops a few objects of
// its own. A leak per round or per pass exceeds these within the one-minute run.
constexpr long kHandleAllowance = 2;
constexpr long kGdiAllowance = 2;
constexpr long kWindowAllowance = 0;
constexpr long kHeapBlockAllowance = 3;
constexpr long kHeapByteAllowance = 4096;

SoakDriver* g_driver = nullptr;  // for the timer, the hook and the watchdog

}  // namespace

SoakDriver::SoakDriver(const SoakOptions& options) : options_(options) {
    // The pasted text: digits with a sign here and there, so the integer boxes have
    // something to tidy.
    pasteText_.reserve(options_.pasteChars);
    for (int i = 0; i < options_.pasteChars; ++i)
        pasteText_.push_back(i % 97 == 96 ? L'-' : static_cast<wchar_t>(L'0' + i % 10));
    samples_.reserve(256);
}

SoakDriver::~SoakDriver() {
    delete sampler_;
}

void SoakDriver::Start() {
    g_driver = this;
    start_ = GetTickCount();
    lastTurn_ = static_cast<LONG>(start_);
    timer_ = SetTimer(nullptr, 0, kTurnMs, OnTimer);
    tickHook_ = SetWindowsHookExW(WH_GETMESSAGE, CountTicks, nullptr, GetCurrentThreadId());
    watchdog_ = CreateThread(nullptr, 0, Watchdog, this, 0, nullptr);
    // Printed before the first sample: the output's buffer is on the heap then.
    if (options_.abuse)
        printf("abuse: %d passes of %d-character pastes, %d typed characters per box, spin arrows"
               " held %u ms, %d link clicks and %d test-window openings\n",
               options_.passes, options_.pasteChars, options_.typedChars, options_.spinHoldMs,
               options_.linkClicks, options_.openings);
    else
        printf("soak: %.1f minutes, a sample after %.0f s and then every %.0f s\n", options_.minutes,
               options_.warmUpMs / 1000.0, options_.sampleMs / 1000.0);
    fflush(stdout);
    plan_.Until("main window", [] { return Shown(mw::kWindowId); }, kStartMs);
    if (options_.abuse)
        plan_.Do("first pass", [this] { NextAbusePass(); });
    else
        plan_.Do("first round", [this] { NextSoakRound(); });
}

uint32_t SoakDriver::Elapsed() const {
    return GetTickCount() - start_;
}

void CALLBACK SoakDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_driver)
        g_driver->Turn();
}

// Counts the tone timer's and the sweep timer's ticks as the program takes them.
LRESULT CALLBACK SoakDriver::CountTicks(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION && removal == PM_REMOVE && g_driver) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (msg.message == WM_TIMER && msg.hwnd) {
            if (msg.hwnd == UnitWindow(mw::kWindowId, mw::kToneTimer))
                ++g_driver->counts_.toneTicks;
            else if (msg.hwnd == UnitWindow(tw::kWindowId, tw::kSweepTimer))
                ++g_driver->counts_.sweepTicks;
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

DWORD WINAPI SoakDriver::Watchdog(LPVOID param) {
    auto* self = static_cast<SoakDriver*>(param);
    while (!self->stopping_) {
        Sleep(1000);
        const LONG since = static_cast<LONG>(GetTickCount()) - self->lastTurn_;
        const LONG patience = self->pasting_ ? kStalledPasteMs : kStalledTurnMs;
        if (!self->stopping_ && since > patience) {
            fprintf(stdout, "FAILED: the user-interface thread has not run the driver for %ld s\n",
                    since / 1000);
            fflush(stdout);
            ExitProcess(3);
        }
    }
    return 0;
}

void SoakDriver::Turn() {
    lastTurn_ = static_cast<LONG>(GetTickCount());
    // A turn never waits, but a step may let messages through (a paste); a timer
    // message dispatched meanwhile must not start a turn inside this one.
    if (inTurn_ || stopping_)
        return;
    inTurn_ = true;
    if (ReportErrorBox()) {
        inTurn_ = false;
        return;
    }
    WatchBalloon();
    if (!plan_.Advance(Elapsed()) && failure_.empty()) {
        failure_ = "the step \"" + plan_.stalled() + "\" did not happen in time";
        fprintf(stdout, "FAILED: %s\n", failure_.c_str());
        fflush(stdout);
        // The program is ended as a user would end it: its windows closed.
        if (HWND test = WindowHandle(tw::kWindowId))
            PostMessageW(test, WM_CLOSE, 0, 0);
        if (HWND main = WindowHandle(mw::kWindowId))
            PostMessageW(main, WM_CLOSE, 0, 0);
    }
    inTurn_ = false;
}

bool SoakDriver::ReportErrorBox() {
    HWND box = ErrorBoxShown();
    if (!box)
        return false;
    if (failure_.empty()) {
        failure_ = "the runtime's error box";
        fprintf(stdout, "FAILED: the runtime's error box came up; the process ends with it\n");
        fflush(stdout);
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
}

void SoakDriver::WatchBalloon() {
    const bool visible = BalloonVisible();
    if (visible && !balloonWasVisible_)
        ++counts_.balloonsShown;
    balloonWasVisible_ = visible;
}

// The program brought to a standstill (no tone, no animation, the test window
// closed), given a moment, and sampled.
void SoakDriver::PlanStandStillAndSample() {
    plan_.Do("stand still", [this] {
        if (HWND test = WindowHandle(tw::kWindowId))
            PostMessageW(test, WM_CLOSE, 0, 0);
    });
    plan_.Until("test window closed", [] { return !IsWindowLoaded(tw::kWindowId); });
    PlanPlayButton(false);
    plan_.Do("picture still", [this] {
        animate_ = false;
        WriteAnimate(false);
    });
    plan_.Until("animation ended", [] { return GifPlayer::RunningWorkers() == 0; });
    plan_.Wait(500);
    plan_.Do("sample", [this] {
        if (!sampler_)
            sampler_ = new ResourceSampler;  // after start-up: the table filled once
        const uint32_t now = Elapsed();
        samples_.push_back({now, sampler_->Take(), counts_});
        lastSampleMs_ = now;
        const Sample& s = samples_.back();
        printf("%6.1f s  handles %4u  GDI %+5ld  windows %3u  heap %6lu blocks %9lu bytes"
               "  | plays %ld, test window %ld, animate %ld, balloons %ld, tone ticks %ld,"
               " sweep ticks %ld",
               now / 1000.0, s.resources.kernelHandles, s.resources.gdiObjects,
               s.resources.windows, static_cast<unsigned long>(s.resources.heapBlocks),
               static_cast<unsigned long>(s.resources.heapBytes), s.counts.plays,
               s.counts.testWindowOpenings, s.counts.animateToggles, s.counts.balloonsShown,
               s.counts.toneTicks, s.counts.sweepTicks);
        if (options_.abuse)
            printf(", pastes %ld (slowest %u ms), typed %ld, spins %ld, link clicks %ld",
                   s.counts.pastes, s.counts.slowestPasteMs, s.counts.typedChars,
                   s.counts.spinHolds, s.counts.linkClicks);
        printf("\n");
        fflush(stdout);
    });
}

void SoakDriver::PlanEnd() {
    plan_.Do("close the main window", [] {
        if (HWND main = WindowHandle(mw::kWindowId))
            PostMessageW(main, WM_CLOSE, 0, 0);
    });
}

int SoakDriver::Report() {
    stopping_ = 1;
    if (timer_)
        KillTimer(nullptr, timer_);
    if (tickHook_)
        UnhookWindowsHookEx(tickHook_);
    if (watchdog_) {
        WaitForSingleObject(watchdog_, 5000);
        CloseHandle(watchdog_);
    }
    g_driver = nullptr;
    if (!failure_.empty())
        return 1;
    if (samples_.size() < 2) {
        printf("FAILED: fewer than two samples (the run was too short)\n");
        return 1;
    }
    // A measure grew when the last sample exceeds the first beyond its allowance in
    // more than one interval between samples: a leak grows round after round, while
    // a cache that fills once (Wine keeps a device context or two more once the
    // threads have needed them at the same moment) steps up in one interval.
    struct Measure {
        const char* what;
        long allowance;
        long (*of)(const ResourceSample&);
    };
    static const Measure kMeasures[] = {
        {"kernel handles", kHandleAllowance,
         [](const ResourceSample& s) { return static_cast<long>(s.kernelHandles); }},
        {"GDI objects", kGdiAllowance, [](const ResourceSample& s) { return s.gdiObjects; }},
        {"windows", kWindowAllowance,
         [](const ResourceSample& s) { return static_cast<long>(s.windows); }},
        {"heap blocks", kHeapBlockAllowance,
         [](const ResourceSample& s) { return static_cast<long>(s.heapBlocks); }},
        {"heap bytes", kHeapByteAllowance,
         [](const ResourceSample& s) { return static_cast<long>(s.heapBytes); }},
    };
    const size_t intervals = samples_.size() - 1;
    printf("growth from %.1f s to %.1f s (intervals in which it grew, of %u):",
           samples_.front().atMs / 1000.0, samples_.back().atMs / 1000.0,
           static_cast<unsigned>(intervals));
    bool grew = false;
    for (const Measure& m : kMeasures) {
        const long growth = m.of(samples_.back().resources) - m.of(samples_.front().resources);
        unsigned rising = 0;
        for (size_t i = 1; i < samples_.size(); ++i) {
            if (m.of(samples_[i].resources) > m.of(samples_[i - 1].resources))
                ++rising;
        }
        const bool steady = growth > m.allowance && rising > 1;
        printf(" %s %+ld (%u)%s", m.what, growth, rising, steady ? " TOO MUCH" : "");
        grew = grew || steady;
    }
    printf("\n%s\n", grew ? "FAILED: the program grew" : "no growth");
    fflush(stdout);
    return grew ? 1 : 0;
}

}  // namespace velmora::soak

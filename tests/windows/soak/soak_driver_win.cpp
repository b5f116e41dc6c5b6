#include "tests/windows/soak/soak_driver_win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/sweep_frequency.h"
#include "app/windows/main_window.h"
#include "app/windows/test_window.h"
#include "runtime/typed_value.h"
#include "ui/loader/control.h"
#include "ui/loader/window_loader.h"
#include "ui/picture/gif_player.h"

namespace velmora::soak {

namespace {

namespace mw = main_window;
namespace tw = test_window;

constexpr UINT kTurnMs = 20;
constexpr int kEditContent = 8;
constexpr int kPictureAnimate = 12;
constexpr uint32_t kStartMs = 30000;    // a fresh Wine session starts slowly
constexpr LONG kStalledTurnMs = 120000;  // the watchdog's patience (a long paste takes a while)
constexpr int kTypedPerTurn = 200;
constexpr int kLinkClicksPerTurn = 10;

// Allowed between the first sample and the last. The driver's own plan may hold one
// block more or less of its queue at a sample; Wine makes and drops a few objects of
// its own. A leak per round or per pass exceeds these within the one-minute run.
constexpr long kHandleAllowance = 2;
constexpr long kGdiAllowance = 2;
constexpr long kWindowAllowance = 0;
constexpr long kHeapBlockAllowance = 3;
constexpr long kHeapByteAllowance = 4096;

SoakDriver* g_driver = nullptr;  // for the timer, the hook and the watchdog

HWND UnitWindow(uint32_t windowId, uint32_t unitId) {
    Control* control = FindLiveControl(windowId, unitId);
    return control ? control->hwnd() : nullptr;
}

bool Shown(uint32_t windowId) {
    HWND h = IsWindowLoaded(windowId) ? WindowHandle(windowId) : nullptr;
    return h && IsWindowVisible(h);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[64] = {};
    if (hwnd)
        GetWindowTextW(hwnd, text, 64);
    return text;
}

bool Playing() {
    return TextOf(UnitWindow(mw::kWindowId, mw::kPlayButton)) == L"停止";
}

void WriteContent(uint32_t windowId, uint32_t unitId, const char* text) {
    WriteProperty(windowId, unitId, kEditContent, kWholeProperty, MakeText(text));
}

// The client-area point at the middle of a window, and that point on the screen.
POINT Middle(HWND hwnd, POINT* screen) {
    RECT r = {};
    GetClientRect(hwnd, &r);
    POINT p = {r.right / 2, r.bottom / 2};
    if (screen) {
        *screen = p;
        ClientToScreen(hwnd, screen);
    }
    return p;
}

void PostMouse(HWND hwnd, UINT message, POINT client) {
    PostMessageW(hwnd, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                 MAKELPARAM(client.x, client.y));
}

BOOL CALLBACK FindVisibleBalloon(HWND hwnd, LPARAM found) {
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (wcscmp(cls, L"VelmoraBalloon") == 0 && IsWindowVisible(hwnd)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool BalloonVisible() {
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleBalloon, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK FindErrorBox(HWND hwnd, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(hwnd) && TextOf(hwnd) == L"错误") {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool SetClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool done = false;
    if (data) {
        memcpy(GlobalLock(data), text.c_str(), bytes);
        GlobalUnlock(data);
        done = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
        if (!done)
            GlobalFree(data);
    }
    CloseClipboard();
    return done;
}

// The up-down control beside an edit box has the box's identifier plus 4.
HWND SpinOf(HWND box) {
    return box ? GetDlgItem(GetParent(box), GetDlgCtrlID(box) + 4) : nullptr;
}

int ContentAsNumber(uint32_t windowId, uint32_t unitId) {
    wchar_t text[64] = {};
    GetWindowTextW(UnitWindow(windowId, unitId), text, 64);
    return static_cast<int>(wcstol(text, nullptr, 10));
}

bool ReadNumber(const char* text, double& value) {
    char* end = nullptr;
    value = strtod(text, &end);
    return end != text && *end == '\0' && value > 0;
}

}  // namespace

bool ParseSoakOptions(int argc, char** argv, SoakOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "--abuse") == 0) {
            o.abuse = true;
            continue;
        }
        double value = 0;
        if (i + 1 >= argc || !ReadNumber(argv[i + 1], value)) {
            fprintf(stderr, "%s: a positive number must follow\n", arg);
            return false;
        }
        ++i;
        if (strcmp(arg, "--minutes") == 0)
            o.minutes = value;
        else if (strcmp(arg, "--sample-seconds") == 0)
            o.sampleMs = static_cast<uint32_t>(value * 1000);
        else if (strcmp(arg, "--warm-up-seconds") == 0)
            o.warmUpMs = static_cast<uint32_t>(value * 1000);
        else if (strcmp(arg, "--passes") == 0)
            o.passes = static_cast<int>(value);
        else if (strcmp(arg, "--paste-chars") == 0)
            o.pasteChars = static_cast<int>(value);
        else if (strcmp(arg, "--typed-chars") == 0)
            o.typedChars = static_cast<int>(value);
        else if (strcmp(arg, "--openings") == 0)
            o.openings = static_cast<int>(value);
        else if (strcmp(arg, "--link-clicks") == 0)
            o.linkClicks = static_cast<int>(value);
        else {
            fprintf(stderr, "unknown option %s\n", arg);
            return false;
        }
    }
    if (o.passes < 2) {
        fprintf(stderr, "--passes: at least 2 (the first pass's end is the baseline)\n");
        return false;
    }
    return true;
}

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
        if (!self->stopping_ && since > kStalledTurnMs) {
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
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindErrorBox, reinterpret_cast<LPARAM>(&box));
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

// ---- actions ----

void SoakDriver::Click(uint32_t windowId, uint32_t unitId) {
    // Posted, as a click is: the handler may run a modal window.
    if (HWND button = UnitWindow(windowId, unitId))
        PostMessageW(button, BM_CLICK, 0, 0);
}

void SoakDriver::PressPlay() {
    Click(mw::kWindowId, mw::kPlayButton);
    ++counts_.plays;
}

void SoakDriver::ToggleAnimate() {
    animate_ = !animate_;
    WriteProperty(mw::kWindowId, mw::kPicture, kPictureAnimate, kWholeProperty,
                  MakeLogical(animate_));
    ++counts_.animateToggles;
}

// The pointer comes to rest on a box of the test window.
void SoakDriver::Hover(uint32_t unitId) {
    HWND box = UnitWindow(tw::kWindowId, unitId);
    if (!box)
        return;
    POINT screen;
    const POINT client = Middle(box, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMouse(box, WM_MOUSEMOVE, client);
}

void SoakDriver::MoveAwayFromTheBoxes() {
    HWND test = WindowHandle(tw::kWindowId);
    if (!test)
        return;
    POINT corner = {4, 4};
    POINT screen = corner;
    ClientToScreen(test, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMouse(test, WM_MOUSEMOVE, corner);
}

// ---- plans ----

void SoakDriver::PlanOpenTestWindow() {
    plan_.Do("press 设置", [this] {
        Click(mw::kWindowId, mw::kSettingsButton);
        ++counts_.testWindowOpenings;
    });
    plan_.Until("test window shown", [] { return Shown(tw::kWindowId); });
}

void SoakDriver::PlanCloseTestWindow() {
    plan_.Do("close the test window", [] {
        if (HWND test = WindowHandle(tw::kWindowId))
            PostMessageW(test, WM_CLOSE, 0, 0);
    });
    plan_.Until("test window closed", [] { return !IsWindowLoaded(tw::kWindowId); });
}

// Presses play until the tone runs (`playing`) or stands still.
void SoakDriver::PlanPlayButton(bool playing) {
    plan_.Do("press 播放", [this, playing] {
        if (Playing() != playing)
            PressPlay();
    });
    plan_.Until(playing ? "playing" : "stopped", [playing] { return Playing() == playing; });
}

void SoakDriver::PlanSoakRound() {
    plan_.Do("interval 1", [] { WriteContent(mw::kWindowId, mw::kIntervalBox, "1"); });
    PlanPlayButton(true);
    PlanOpenTestWindow();
    plan_.Do("press 连续播放", [this] { Click(tw::kWindowId, tw::kSweepButton); });
    // The picture toggled ten times a second; the balloon over each box in turn
    // (it shows after a rest and hides by itself), then the pointer away.
    auto lastToggle = std::make_shared<uint32_t>(0);
    auto hovered = std::make_shared<int>(0);
    plan_.During("test window busy", 9000, [this, lastToggle, hovered](uint32_t elapsed) {
        if (elapsed >= *lastToggle + 100) {
            *lastToggle = elapsed - elapsed % 100;
            ToggleAnimate();
        }
        if (*hovered == 0 && elapsed >= 300) {
            Hover(tw::kFrequencyBox);
            *hovered = 1;
        } else if (*hovered == 1 && elapsed >= 4300) {
            Hover(tw::kDurationBox);
            *hovered = 2;
        } else if (*hovered == 2 && elapsed >= 8300) {
            MoveAwayFromTheBoxes();
            *hovered = 3;
        }
    });
    plan_.Do("press 停止播放", [this] { Click(tw::kWindowId, tw::kStopSweepButton); });
    PlanCloseTestWindow();
    // Play pressed in a burst, then the tone stopped.
    for (int i = 0; i < 10; ++i) {
        plan_.Do("press 播放 in a burst", [this] { PressPlay(); });
        plan_.Wait(40);
    }
    PlanPlayButton(false);
}

// The decision what comes next is the step after the sample, so that at every
// sample the plan holds the same steps (the driver's own memory is counted too).
void SoakDriver::NextSoakRound() {
    const uint32_t now = Elapsed();
    const bool ending = now >= static_cast<uint32_t>(options_.minutes * 60000);
    const bool due = samples_.empty() ? now >= options_.warmUpMs
                                      : now - lastSampleMs_ >= options_.sampleMs;
    if (ending || due)
        PlanStandStillAndSample();
    plan_.Do("go on", [this, ending] {
        if (ending) {
            PlanEnd();
            return;
        }
        PlanSoakRound();
        plan_.Do("next round", [this] { NextSoakRound(); });
    });
}

void SoakDriver::PlanPaste(uint32_t windowId, uint32_t unitId, uint32_t focusAfter) {
    plan_.Do("paste", [this, windowId, unitId, focusAfter] {
        HWND box = UnitWindow(windowId, unitId);
        if (!box || !SetClipboardText(pasteText_))
            return;
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 0, -1);  // the paste replaces the whole text
        const DWORD before = GetTickCount();
        SendMessageW(box, WM_PASTE, 0, 0);
        counts_.slowestPasteMs = std::max<uint32_t>(counts_.slowestPasteMs, GetTickCount() - before);
        ++counts_.pastes;
        // Leaving the box tidies its text.
        SetFocus(UnitWindow(windowId, focusAfter));
    });
    if (windowId == mw::kWindowId)
        PlanTidiedCheck(unitId, L"2147483647");
}

// An integer box of the main window, left after a paste or typing, holds a whole
// number of at most eleven characters (the pasted digits reach past the top of the
// range, so they become its top).
void SoakDriver::PlanTidiedCheck(uint32_t unitId, const wchar_t* expected) {
    plan_.Until("the box's text tidied", [unitId, expected] {
        const std::wstring text = TextOf(UnitWindow(mw::kWindowId, unitId));
        if (expected)
            return text == expected;
        return text.size() <= 11 && text.find_first_not_of(L"-0123456789") == std::wstring::npos;
    }, 1000);
}

void SoakDriver::PlanTyping(uint32_t windowId, uint32_t unitId, uint32_t focusAfter) {
    plan_.Do("clear", [windowId, unitId] {
        if (HWND box = UnitWindow(windowId, unitId)) {
            SetFocus(box);
            SetWindowTextW(box, L"");
        }
    });
    // Digits, signs, letters, a blank, backspace and a Chinese character, in a
    // scrambled order, posted as fast as the queue takes them.
    static const wchar_t kKeys[] = L"0123456789-+.eE xZ\b\b中";
    auto posted = std::make_shared<int>(0);
    plan_.Until("typing", [this, windowId, unitId, posted] {
        HWND box = UnitWindow(windowId, unitId);
        if (!box)
            return true;
        for (int i = 0; i < kTypedPerTurn && *posted < options_.typedChars; ++i, ++*posted) {
            typingSeed_ = typingSeed_ * 1103515245u + 12345u;
            const wchar_t key = kKeys[(typingSeed_ >> 16) % (sizeof kKeys / sizeof *kKeys - 1)];
            PostMessageW(box, WM_CHAR, key, 1);
            ++counts_.typedChars;
        }
        return *posted >= options_.typedChars;
    });
    plan_.Wait(100);  // the keys still queued reach the box first
    plan_.Do("leave the box", [windowId, focusAfter, posted] {
        *posted = 0;
        SetFocus(UnitWindow(windowId, focusAfter));
    });
    if (windowId == mw::kWindowId)
        PlanTidiedCheck(unitId, nullptr);
}

void SoakDriver::PlanSpinHold(uint32_t unitId, bool up) {
    auto spin = std::make_shared<HWND>(nullptr);
    plan_.Do("press a spin arrow", [spin, unitId, up] {
        *spin = SpinOf(UnitWindow(mw::kWindowId, unitId));
        if (!*spin)
            return;
        RECT r = {};
        GetClientRect(*spin, &r);
        const POINT arrow = {r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4};
        PostMouse(*spin, WM_LBUTTONDOWN, arrow);
    });
    plan_.Wait(options_.spinHoldMs);
    plan_.Do("release the spin arrow", [this, spin] {
        if (*spin && IsWindow(*spin))
            PostMouse(*spin, WM_LBUTTONUP, POINT{1, 1});
        ++counts_.spinHolds;
    });
    plan_.Wait(50);
    // The arrows wrap round within the box's range.
    const bool frequency = unitId == mw::kFrequencyBox;
    plan_.Until("spun within range", [unitId, frequency] {
        const int value = ContentAsNumber(mw::kWindowId, unitId);
        return frequency ? value >= 15 && value <= 20 : value >= 1 && value <= 1000;
    }, 1000);
}

void SoakDriver::PlanLinkBurst() {
    auto clicked = std::make_shared<int>(0);
    plan_.Until("link clicked in bursts", [this, clicked] {
        HWND link = UnitWindow(mw::kWindowId, mw::kForumLink);
        if (!link)
            return true;
        const POINT middle = Middle(link, nullptr);
        for (int i = 0; i < kLinkClicksPerTurn && *clicked < options_.linkClicks; ++i, ++*clicked) {
            PostMouse(link, WM_LBUTTONDOWN, middle);
            PostMouse(link, WM_LBUTTONUP, middle);
            ++counts_.linkClicks;
        }
        if (*clicked < options_.linkClicks)
            return false;
        *clicked = 0;
        return true;
    });
}

void SoakDriver::PlanOpenAndClose(bool showBalloon) {
    PlanOpenTestWindow();
    if (showBalloon) {
        plan_.Do("hover", [this] { Hover(tw::kFrequencyBox); });
        plan_.Until("balloon shown", [] { return BalloonVisible(); }, 3000);
    }
    PlanCloseTestWindow();
}

void SoakDriver::PlanAbusePass() {
    PlanPaste(mw::kWindowId, mw::kFrequencyBox, mw::kPlayButton);
    PlanPaste(mw::kWindowId, mw::kIntervalBox, mw::kPlayButton);
    PlanTyping(mw::kWindowId, mw::kFrequencyBox, mw::kPlayButton);
    PlanTyping(mw::kWindowId, mw::kIntervalBox, mw::kPlayButton);
    PlanOpenTestWindow();
    PlanPaste(tw::kWindowId, tw::kFrequencyBox, tw::kPlayButton);
    PlanPaste(tw::kWindowId, tw::kDurationBox, tw::kPlayButton);
    PlanTyping(tw::kWindowId, tw::kFrequencyBox, tw::kPlayButton);
    PlanTyping(tw::kWindowId, tw::kDurationBox, tw::kPlayButton);
    PlanCloseTestWindow();
    for (bool up : {true, false}) {
        PlanSpinHold(mw::kFrequencyBox, up);
        PlanSpinHold(mw::kIntervalBox, up);
    }
    PlanLinkBurst();
    for (int i = 0; i < options_.openings; ++i)
        PlanOpenAndClose(i % 10 == 0);
}

void SoakDriver::NextAbusePass() {
    if (pass_ > 0)
        PlanStandStillAndSample();
    plan_.Do("go on", [this] {
        if (pass_ == options_.passes) {
            PlanEnd();
            return;
        }
        ++pass_;
        PlanAbusePass();
        plan_.Do("next pass", [this] { NextAbusePass(); });
    });
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
        WriteProperty(mw::kWindowId, mw::kPicture, kPictureAnimate, kWholeProperty,
                      MakeLogical(false));
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
    const ResourceSample& a = samples_.front().resources;
    const ResourceSample& b = samples_.back().resources;
    struct Row {
        const char* what;
        long growth;
        long allowance;
    };
    const Row rows[] = {
        {"kernel handles", static_cast<long>(b.kernelHandles) - static_cast<long>(a.kernelHandles),
         kHandleAllowance},
        {"GDI objects", b.gdiObjects - a.gdiObjects, kGdiAllowance},
        {"windows", static_cast<long>(b.windows) - static_cast<long>(a.windows), kWindowAllowance},
        {"heap blocks", static_cast<long>(b.heapBlocks) - static_cast<long>(a.heapBlocks),
         kHeapBlockAllowance},
        {"heap bytes", static_cast<long>(b.heapBytes) - static_cast<long>(a.heapBytes),
         kHeapByteAllowance},
    };
    printf("growth from %.1f s to %.1f s:", samples_.front().atMs / 1000.0,
           samples_.back().atMs / 1000.0);
    bool grew = false;
    for (const Row& row : rows) {
        printf(" %s %+ld%s", row.what, row.growth, row.growth > row.allowance ? " (TOO MUCH)" : "");
        grew = grew || row.growth > row.allowance;
    }
    printf("\n%s\n", grew ? "FAILED: the program grew" : "no growth");
    fflush(stdout);
    return grew ? 1 : 0;
}

}  // namespace velmora::soak

// The driver's plans: the soak's round and the abuse run's pass, and the user's
// actions they are made of.
#include <algorithm>
#include <memory>

#include "app/windows/main_window.h"
#include "app/windows/test_window.h"
#include "tests/windows/soak/program_windows_win.h"
#include "tests/windows/soak/soak_driver_win.h"
#include "ui/loader/window_loader_win.h"

namespace velmora::soak {

namespace {

namespace mw = main_window;
namespace tw = test_window;

constexpr int kTypedPerTurn = 200;
constexpr int kLinkClicksPerTurn = 10;

// Wine's edit control takes longer for each character as its text grows: a turn
// waits until the keys posted at the last have been taken.
uint32_t TypingTimeMs(int characters) {
    return std::max<uint32_t>(StepQueue::kStepMs, static_cast<uint32_t>(characters) * 20);
}

}  // namespace

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
    WriteAnimate(animate_);
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
        pasting_ = 1;
        SendMessageW(box, WM_PASTE, 0, 0);
        pasting_ = 0;
        lastTurn_ = static_cast<LONG>(GetTickCount());
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
    }, TypingTimeMs(options_.typedChars));
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

}  // namespace velmora::soak

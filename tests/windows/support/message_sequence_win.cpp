#include "support/message_sequence_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ui/loader/window_loader_win.h"

namespace velmora::test {

namespace {

struct Watch {
    uint32_t unitId;
    Painting painting;
    std::vector<UINT> only;  // empty: every message but the noise
};

constexpr UINT kSystemTimer = 0x0118;  // the system's own timers (caret, menus)

bool IsPainting(UINT msg) {
    return msg == WM_PAINT || msg == WM_NCPAINT || msg == WM_ERASEBKGND || msg == WM_SYNCPAINT ||
           msg == WM_PRINTCLIENT;
}

// Messages that say nothing about what the program did: hit-testing and pointer
// shapes, texts and icons fetched for the frame, colours asked of the parent, the
// system's timers, input-method and keyboard-cue chatter, broadcasts, and the
// registered messages of other components.
bool IsNoise(UINT msg) {
    switch (msg) {
        case WM_NCHITTEST:
        case WM_SETCURSOR:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_GETICON:
        case WM_GETOBJECT:
        case kSystemTimer:
        case WM_IME_SETCONTEXT:
        case WM_IME_NOTIFY:
        case WM_CHANGEUISTATE:
        case WM_UPDATEUISTATE:
        case WM_QUERYUISTATE:
        case WM_SETTINGCHANGE:
        case WM_DISPLAYCHANGE:
        case WM_DEVICECHANGE:
        case WM_TIMECHANGE:
        case WM_FONTCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
        case WM_DWMNCRENDERINGCHANGED:
            return true;
        default:
            return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg >= 0xC000;
    }
}

bool Wanted(const Watch& watch, UINT msg) {
    if (!watch.only.empty())
        return std::find(watch.only.begin(), watch.only.end(), msg) != watch.only.end();
    if (IsPainting(msg))
        return watch.painting == Painting::kRecorded;
    return !IsNoise(msg);
}

std::vector<SequenceStep>& Steps() {
    static std::vector<SequenceStep> steps;
    return steps;
}

// The message taken from the queue last, while its dispatch has not reached the
// window yet: that call is the posted one, every other call a sent one.
MSG retrieved = {};
HHOOK retrievalHook = nullptr;

LRESULT CALLBACK NoteRetrieval(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE)
        retrieved = *reinterpret_cast<const MSG*>(lParam);
    return CallNextHookEx(retrievalHook, code, wParam, lParam);
}

bool TakeRetrieved(HWND hwnd, UINT msg, WPARAM wParam) {
    if (retrieved.hwnd != hwnd || retrieved.message != msg || retrieved.wParam != wParam)
        return false;
    retrieved = {};
    return true;
}

LRESULT CALLBACK Recorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* watch = reinterpret_cast<Watch*>(data);
    if (Wanted(*watch, msg))
        Steps().push_back({TakeRetrieved(hwnd, msg, wParam) ? kPosted : kSent, watch->unitId,
                           static_cast<int>(msg), wParam});
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, Recorder, 0x7E57);
        delete watch;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

std::string Describe(const SequenceStep& s) {
    char line[96];
    if (s.flags & kHandler) {
        std::snprintf(line, sizeof line, "event %d of %08X", s.code, static_cast<unsigned>(s.unit));
    } else {
        std::snprintf(line, sizeof line, "%s %04X to %08X w=%X",
                      s.flags & kPosted ? "post" : "send", static_cast<unsigned>(s.code),
                      static_cast<unsigned>(s.unit), static_cast<unsigned>(s.wParam));
    }
    std::string text = line;
    if (s.flags & kOptional)
        text += " (opt)";
    return text;
}

bool Same(const SequenceStep& e, const SequenceStep& a) {
    const unsigned kinds = kSent | kPosted | kHandler;
    if ((e.flags & kinds) != (a.flags & kinds) || e.unit != a.unit || e.code != a.code)
        return false;
    return !(e.flags & kWParam) || e.wParam == a.wParam;
}

void StartWatching(HWND hwnd, Watch* watch) {
    if (!retrievalHook)
        retrievalHook =
            SetWindowsHookExW(WH_GETMESSAGE, NoteRetrieval, nullptr, GetCurrentThreadId());
    if (!SetWindowSubclass(hwnd, Recorder, 0x7E57, reinterpret_cast<DWORD_PTR>(watch)))
        delete watch;
}

HWND LiveHwnd(uint32_t windowId, uint32_t unitId) {
    Control* c = FindLiveControl(windowId, unitId);
    EXPECT_NE(c, nullptr) << "unit " << unitId << " is not live";
    return c ? c->hwnd() : nullptr;
}

}  // namespace

void WatchWindow(HWND hwnd, uint32_t unitId, Painting painting) {
    StartWatching(hwnd, new Watch{unitId, painting, {}});
}

void WatchWindow(HWND hwnd, uint32_t unitId, std::initializer_list<UINT> only) {
    StartWatching(hwnd, new Watch{unitId, Painting::kRecorded, only});
}

void WatchUnit(uint32_t windowId, uint32_t unitId, Painting painting) {
    if (HWND hwnd = LiveHwnd(windowId, unitId))
        WatchWindow(hwnd, unitId, painting);
}

void WatchUnit(uint32_t windowId, uint32_t unitId, std::initializer_list<UINT> only) {
    if (HWND hwnd = LiveHwnd(windowId, unitId))
        WatchWindow(hwnd, unitId, only);
}

void RecordHandler(uint32_t unitId, int eventIndex) {
    Steps().push_back({kHandler, unitId, eventIndex});
}

void ClearSequence() {
    Steps().clear();
}

const std::vector<SequenceStep>& RecordedSequence() {
    return Steps();
}

::testing::AssertionResult SequenceIs(const SequenceStep* expected, size_t count) {
    const std::vector<SequenceStep>& actual = Steps();
    size_t e = 0, a = 0;
    bool ok = true;
    while (ok && (e < count || a < actual.size())) {
        if (e < count && a < actual.size() && Same(expected[e], actual[a])) {
            ++e, ++a;
        } else if (e < count && (expected[e].flags & kOptional)) {
            ++e;
        } else {
            ok = false;
        }
    }
    if (ok)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "\n  expected                              | actual\n";
    for (size_t i = 0; i < std::max(count, actual.size()); ++i) {
        std::string x = i < count ? Describe(expected[i]) : "";
        std::string y = i < actual.size() ? Describe(actual[i]) : "";
        char line[200];
        std::snprintf(line, sizeof line, "  %-38s | %s\n", x.c_str(), y.c_str());
        failure << line;
    }
    return failure;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        PumpMessages();
    }
}

}  // namespace velmora::test

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
    std::vector<UINT> messages;
};

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
    if (std::find(watch->messages.begin(), watch->messages.end(), msg) != watch->messages.end())
        Steps().push_back(
            {TakeRetrieved(hwnd, msg, wParam) ? kPosted : kSent, watch->unitId, msg, wParam});
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, Recorder, 0x7E57);
        delete watch;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

std::string Describe(const SequenceStep& s) {
    char line[96];
    if (s.flags & kHandler) {
        std::snprintf(line, sizeof line, "handler %u (%08X)", s.code,
                      static_cast<unsigned>(s.unit));
    } else {
        std::snprintf(line, sizeof line, "%s %04X to %08X w=%X",
                      s.flags & kPosted ? "post" : "send", s.code, static_cast<unsigned>(s.unit),
                      static_cast<unsigned>(s.wParam));
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

}  // namespace

void WatchWindow(HWND hwnd, uint32_t unitId, std::initializer_list<UINT> messages) {
    if (!retrievalHook)
        retrievalHook =
            SetWindowsHookExW(WH_GETMESSAGE, NoteRetrieval, nullptr, GetCurrentThreadId());
    auto* watch = new Watch{unitId, messages};
    if (!SetWindowSubclass(hwnd, Recorder, 0x7E57, reinterpret_cast<DWORD_PTR>(watch)))
        delete watch;
}

void WatchUnit(uint32_t windowId, uint32_t unitId, std::initializer_list<UINT> messages) {
    Control* c = FindLiveControl(windowId, unitId);
    ASSERT_NE(c, nullptr) << "unit " << unitId << " is not live";
    WatchWindow(c->hwnd(), unitId, messages);
}

void RecordHandler(uint32_t unitId, unsigned handlerNumber) {
    Steps().push_back({kHandler, unitId, handlerNumber});
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

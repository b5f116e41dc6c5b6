// The one message loop: the outer loop of the program and the nested loop of a
// modal window, with its idle phase and the pre-translation walk.
#include <windows.h>

#include <algorithm>

#include "runtime/runtime_state_win.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/loader_state_win.h"
#include "ui/loader/private_messages.h"

namespace velmora {

namespace {

constexpr UINT kCaretBlinkTimer = 0x0118;
constexpr int kLoopFailedCode = -1;

enum class LoopMode { kOuter, kNested };

struct IdleState {
    DWORD start = 0;
    std::vector<uint32_t> done;  // windows that asked for no more idle events
};

// One idle step. Counts 0 and 1 are housekeeping only; from 2 on every loaded
// window that still wants them gets its idle event.
bool IdleStep(int count, IdleState& idle) {
    if (count == 0) {
        idle.start = GetTickCount();
        idle.done.clear();
    }
    if (count < 2)
        return true;
    bool more = false;
    const DWORD elapsed = GetTickCount() - idle.start;
    LoaderState& s = Loader();
    for (size_t i = 0; i < s.windows.size(); ++i) {
        if (!s.windows[i].loaded)
            continue;
        uint32_t id = s.descriptions.windows[i].windowId;
        if (std::find(idle.done.begin(), idle.done.end(), id) != idle.done.end())
            continue;
        TypedValue arg = MakeInteger(static_cast<int32_t>(elapsed));
        EventOutcome o = RaiseEvent(id, 0, kEventIdle, 1, &arg, true);
        if (o.resultPresent && o.result.low == 1) {
            more = true;
        } else {
            idle.done.push_back(id);
        }
        // A handler may have loaded or released windows.
        if (s.windows.size() <= i)
            break;
    }
    return more;
}

// Idle work is due after any message except paint, the caret blink and a mouse
// move that repeats the previous one.
bool IdleDueAfter(const MSG& msg, MSG& lastMouseMove) {
    if (msg.message == WM_PAINT || msg.message == kCaretBlinkTimer)
        return false;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        bool same = lastMouseMove.message == msg.message && lastMouseMove.pt.x == msg.pt.x &&
                    lastMouseMove.pt.y == msg.pt.y;
        lastMouseMove = msg;
        return !same;
    }
    return true;
}

// Offers the message to the runtime objects of its window and its ancestors.
bool PreTranslate(MSG& msg) {
    if (!msg.hwnd)
        return false;  // no handlers for thread messages
    HWND mainWindow = GetActiveWindow();
    for (HWND h = msg.hwnd; h;) {
        if (Control* object = Control::FromWindow(h);
            object && Control::OfferPreTranslate(object, msg)) {
            return true;
        }
        if (h == mainWindow)
            break;
        h = GetParent(h);
    }
    return false;
}

void DispatchOne(MSG& msg) {
    if (msg.message == kMsgWakeForIdle)
        return;
    if (PreTranslate(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool ModalEnded(LoopMode mode) {
    return mode == LoopMode::kNested && Runtime().runningModalWindow == 0;
}

// Answers the wParam of the WM_QUIT that ended an outer loop.
int RunLoop(LoopMode mode) {
    IdleState idle;
    MSG lastMouseMove = {};
    int idleCount = 0;
    bool idling = true;
    MSG msg;
    for (;;) {
        while (idling && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!IdleStep(idleCount++, idle))
                idling = false;
            if (ModalEnded(mode))
                return 0;
        }
        if (ModalEnded(mode))
            return 0;
        do {
            if (mode == LoopMode::kNested && PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) &&
                msg.message == WM_QUIT) {
                return 0;  // left in the queue for the outer loop
            }
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                // A failed retrieval leaves `msg` as it was: no quit code to go by.
                // The loop cannot go on, and the program ends as failed.
                const int code = got == 0 ? static_cast<int>(msg.wParam) : kLoopFailedCode;
                if (mode == LoopMode::kNested)
                    PostQuitMessage(code);
                return code;
            }
            DispatchOne(msg);
            if (ModalEnded(mode))
                return 0;
            if (IdleDueAfter(msg, lastMouseMove)) {
                idleCount = 0;
                idling = true;
            }
        } while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

}  // namespace

int RunMessageLoop() {
    Runtime().loopStarted = true;
    if (!AnyLoadedWindowAlive())
        return 0;
    Runtime().quitCode = RunLoop(LoopMode::kOuter);
    return Runtime().quitCode;
}

void RunNestedMessageLoop() {
    RunLoop(LoopMode::kNested);
}

void ProcessPendingEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            return;
        if (msg.message == WM_QUIT) {
            // Another WM_QUIT overtook the one looked at: put it back for the loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

}  // namespace velmora

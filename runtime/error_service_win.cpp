#include <windows.h>

#include <atomic>

#include "runtime/error_service.h"
#include "runtime/event_suppression.h"
#include "runtime/runtime_state.h"
#include "runtime/wide_text.h"

namespace velmora {

namespace {

constexpr UINT kErrorExitCode = 0xFFFFFFFF;

// Set by the first report; the process ends when its box is closed.
std::atomic<bool> reporting{false};

bool OnMainThread() {
    const DWORD main = Runtime().mainThread;
    return main == 0 || GetCurrentThreadId() == main;
}

BOOL CALLBACK FindVisibleDialog(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, name, 16) && lstrcmpW(name, L"#32770") == 0) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool ErrorBoxShownOnThisThread() {
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A fault raised inside the message loop of the box already shown (by a window's
// own code: no handler runs by then) cannot return to that box. It keeps the box
// working until the user has closed it, then ends the program as the box would.
[[noreturn]] void AwaitFirstBoxThenEnd() {
    MSG msg;
    while (ErrorBoxShownOnThisThread() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (Runtime().endProgram)
        Runtime().endProgram(-1);
    ExitProcess(kErrorExitCode);
}

}  // namespace

[[noreturn]] void ReportRuntimeError(const char* message, int code) {
    // No handler runs from here on: the box's own message loop keeps the windows
    // painting and their timers ticking, but no event reaches the program.
    SuppressEvents();
    // The exit routine never runs after a fault, however the process ends.
    Runtime().exitRoutine = nullptr;
    const bool mainThread = OnMainThread();
    if (reporting.exchange(true)) {
        // One box per run. Another thread waits for the first box to end the process.
        if (mainThread)
            AwaitFirstBoxThenEnd();
        for (;;)
            Sleep(INFINITE);
    }
    const std::string text = FormatErrorReport(message, code);
    MessageBoxW(nullptr, WideFromGbk(text).c_str(), WideFromGbk("错误").c_str(),
                MB_OK | MB_ICONERROR);
    // Windows and libraries belong to the main thread: a report from another thread
    // ends the process without shutting the runtime down from there.
    if (mainThread && Runtime().endProgram)
        Runtime().endProgram(-1);
    ExitProcess(kErrorExitCode);
}

}  // namespace velmora

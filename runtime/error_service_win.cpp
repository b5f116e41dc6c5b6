#include <windows.h>

#include <atomic>
#include <new>

#include "runtime/error_service.h"
#include "runtime/event_suppression.h"
#include "runtime/runtime_state_win.h"
#include "runtime/wide_text.h"

namespace velmora {

namespace {

constexpr UINT kErrorExitCode = 0xFFFFFFFF;
constexpr int kStackReportBytes = 1024;

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

// The report is most often about a heap that has nothing left: when its texts
// cannot be made there, they are made on the stack, the message cut to fit.
void ShowReport(const char* message, int code) {
    std::wstring text, title;
    try {
        text = WideFromGbk(FormatErrorReport(message, code));
        title = WideFromGbk("错误");
    } catch (const std::bad_alloc&) {
        char gbk[kStackReportBytes];
        FormatErrorReport(message, code, gbk, sizeof gbk);
        // A character of GBK takes at least one byte: the wide text fits as many.
        wchar_t wideText[kStackReportBytes] = {};
        wchar_t wideTitle[8] = {};
        MultiByteToWideChar(kGbkCodePage, 0, gbk, -1, wideText, kStackReportBytes);
        MultiByteToWideChar(kGbkCodePage, 0, "错误", -1, wideTitle, 8);
        MessageBoxW(nullptr, wideText, wideTitle, MB_OK | MB_ICONERROR);
        return;
    }
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

bool RuntimeErrorReported() {
    return reporting.load();
}

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
    ShowReport(message, code);
    // Windows and libraries belong to the main thread: a report from another thread
    // ends the process without shutting the runtime down from there.
    if (mainThread && Runtime().endProgram)
        Runtime().endProgram(-1);
    ExitProcess(kErrorExitCode);
}

}  // namespace velmora

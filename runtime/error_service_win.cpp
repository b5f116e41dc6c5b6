#include <windows.h>

#include "app/runtime_startup.h"
#include "runtime/error_service.h"
#include "runtime/runtime_state.h"
#include "runtime/wide_text.h"
#include "ui/loader/window_loader.h"

namespace velmora {

[[noreturn]] void ReportRuntimeError(const char* message, int code) {
    // No handler runs from here on: the box's own message loop keeps the windows
    // painting and their timers ticking, but no event reaches the program.
    SuppressEvents();
    const std::string text = FormatErrorReport(message, code);
    MessageBoxW(nullptr, WideFromGbk(text).c_str(), WideFromGbk("错误").c_str(),
                MB_OK | MB_ICONERROR);
    Runtime().exitRoutine = nullptr;
    EndProgram(-1);
}

}  // namespace velmora

#include "app/program_main.h"

#include <windows.h>

#include "app/program_handlers_win.h"
#include "app/runtime_startup_win.h"
#include "runtime/runtime_state_win.h"

namespace velmora {

namespace {

constexpr uint32_t kMainWindowId = 0x52010001;
const wchar_t kDescriptionsResource[] = L"WINDOW_DESCRIPTIONS";

void GlobalInitialiser() {}
void ExitRoutine() {}

ProgramData TheProgram() {
    ProgramData program;
    HMODULE self = GetModuleHandleW(nullptr);
    if (HRSRC res =
            FindResourceW(self, kDescriptionsResource, reinterpret_cast<LPCWSTR>(RT_RCDATA))) {
        if (HGLOBAL data = LoadResource(self, res)) {
            program.descriptions = static_cast<const uint8_t*>(LockResource(data));
            program.descriptionsSize = SizeofResource(self, res);
        }
    }
    program.handlers = ProgramHandlers();
    return program;
}

}  // namespace

void ProgramMain() {
    InitRuntime(TheProgram());
    // All floating-point exceptions masked, round to nearest, 64-bit precision:
    // truncation relies on masked exceptions.
    asm volatile("fninit");
    GlobalInitialiser();
    RegisterExitRoutine(ExitRoutine);
    LoadStartupWindow(kMainWindowId);
    RunMessageLoop();
}

}  // namespace velmora

// The executable's entry: the runtime, the program's main routine, the end.
#include <windows.h>

#include "app/program_handlers.h"
#include "app/runtime_startup.h"
#include "runtime/out_of_memory.h"
#include "runtime/runtime_state.h"

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

int ProgramMain() {
    InitRuntime(TheProgram());
    // All floating-point exceptions masked, round to nearest, 64-bit precision:
    // truncation relies on masked exceptions.
    asm volatile("fninit");
    GlobalInitialiser();
    RegisterExitRoutine(ExitRoutine);
    LoadStartupWindow(kMainWindowId);
    Runtime().quitCode = RunMessageLoop();
    return 0;
}

}  // namespace
}  // namespace velmora

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The start-up and the message loop itself (idle events, pre-translation) run
    // outside any window procedure.
    velmora::WithOutOfMemoryError([] {
        velmora::ProgramMain();
        velmora::ShutdownRuntime(0);
    });
    ExitProcess(static_cast<UINT>(velmora::Runtime().quitCode));
}

// The executable's entry: the runtime, the program's main routine, the end.
#include <windows.h>

#include "app/program_main.h"
#include "app/runtime_startup.h"
#include "runtime/out_of_memory.h"
#include "runtime/runtime_state.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The start-up and the message loop itself (idle events, pre-translation) run
    // outside any window procedure.
    velmora::WithOutOfMemoryError([] {
        velmora::ProgramMain();
        velmora::ShutdownRuntime(0);
    });
    ExitProcess(static_cast<UINT>(velmora::Runtime().quitCode));
}

#include "app/program_entry.h"

#include <windows.h>

#include "app/runtime_startup_win.h"
#include "runtime/out_of_memory.h"
#include "runtime/runtime_state_win.h"

namespace velmora {

void RunToEnd(void (*mainRoutine)()) {
    WithOutOfMemoryError([mainRoutine] {
        mainRoutine();
        ShutdownRuntime(0);
    });
    ExitProcess(static_cast<UINT>(Runtime().quitCode));
}

}  // namespace velmora

#pragma once
// The life of the process: initialising the runtime, the program's main routine,
// shutting down and ending.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/loader/window_loader_win.h"

namespace velmora {

// What the runtime needs of the program to start.
struct ProgramData {
    const uint8_t* descriptions = nullptr;  // the stored DescriptionSet bytes
    size_t descriptionsSize = 0;
    std::vector<HandlerEntry> handlers;  // the program's handlers by stored reference
};

// The ten start-up steps: heap, OLE, program folder as current directory, hidden
// runtime window, main thread, protected constant texts, the external-function
// table, the three libraries, and the descriptions.
void InitRuntime(const ProgramData& program);

// Releases the runtime in order (descriptions, exit routine, libraries, external
// libraries, icons, hidden window, OLE).
void ShutdownRuntime(int exitCode);

// ShutdownRuntime, then ExitProcess with the code.
[[noreturn]] void EndProgram(int exitCode);

}  // namespace velmora

#pragma once
// The runtime's one program-wide record (Windows only). Created before the
// program's main routine runs; lives until the process ends.

#include <windows.h>

#include <cstdint>
#include <string>

namespace velmora {

struct RuntimeState {
    HANDLE heap = nullptr;            // the runtime allocator's heap
    std::string programFolder;        // without trailing backslash; "" if none
    std::string programFileName;      // file name part of the executable path
    DWORD mainThread = 0;             // the thread that ran InitRuntime
    bool loopStarted = false;         // set when RunMessageLoop is entered; never cleared
    void (*exitRoutine)() = nullptr;  // set by RegisterExitRoutine
    uint32_t runningModalWindow = 0;  // window identifier; 0 = none
    bool shuttingDown = false;
    bool oleInitialised = false;
    HWND hiddenWindow = nullptr;  // invisible tool window owning taskbar-less windows
    int quitCode = 0;             // wParam of the WM_QUIT that ended the outer loop
    // Ends the program (shutdown, then the process exit); set by the start-up.
    void (*endProgram)(int exitCode) = nullptr;
    // The program's default icon in its big and small sizes, loaded on first use
    // and shared by every window; destroyed at shutdown.
    HICON defaultIconBig = nullptr;
    HICON defaultIconSmall = nullptr;
};

// The instance.
RuntimeState& Runtime();

// Stores the routine that ShutdownRuntime calls once, replacing any earlier one.
void RegisterExitRoutine(void (*routine)());

}  // namespace velmora

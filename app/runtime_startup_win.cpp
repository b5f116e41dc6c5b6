#include <windows.h>
#include <ole2.h>

#include "app/runtime_startup_win.h"
#include "runtime/event_suppression.h"
#include "runtime/external_table_win.h"
#include "runtime/program_path.h"
#include "runtime/runtime_state_win.h"
#include "runtime/text_block.h"
#include "ui/loader/control_library_win.h"

namespace velmora {

namespace {

constexpr wchar_t kHiddenWindowClass[] = L"VelmoraRuntimeWindow";

bool IsAnsiLeadByte(unsigned char b) {
    return IsDBCSLeadByte(b) != FALSE;
}

HWND CreateHiddenRuntimeWindow() {
    Control::RegisterControlClass({kHiddenWindowClass, 0, HollowBrush(), nullptr, DefWindowProcW});
    return CreateWindowExW(WS_EX_TOOLWINDOW, kHiddenWindowClass, L"", 0, 0, 0, 0, 0, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The program's constant texts are the literals in the executable's read-only data:
// the section that holds them is registered as protected, so a handler that frees a
// constant it got back from somewhere never releases it.
void ProtectConstantTexts() {
    static const char kProbe[] = "";
    auto* base = reinterpret_cast<const uint8_t*>(GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    const uint8_t* probe = reinterpret_cast<const uint8_t*>(kProbe);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const uint8_t* start = base + section->VirtualAddress;
        const uint8_t* end = start + section->Misc.VirtualSize;
        if (probe >= start && probe < end) {
            RegisterProtectedRange(start, end);
            return;
        }
    }
}

}  // namespace

void InitRuntime(const ProgramData& program) {
    RuntimeState& r = Runtime();
    // A start after an earlier run in this process (shut down or not) begins as the
    // first did: handlers run again, and a loop, a modal window or a quit code of
    // that run count no more.
    if (r.shuttingDown) {
        r.shuttingDown = false;
        ResumeEvents();  // the shutdown's suppression
    }
    r.loopStarted = false;
    r.runningModalWindow = 0;
    r.quitCode = 0;
    // 1. The runtime allocator draws on the process heap.
    r.heap = GetProcessHeap();
    // 2. OLE.
    if (!r.oleInitialised)
        r.oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    // 3. Program folder and file name.
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    ProgramPath split = SplitProgramPath(path, IsAnsiLeadByte);
    r.programFolder = split.folder;
    r.programFileName = split.fileName;
    // 4. The program folder becomes the current directory ("C:" alone would name the
    //    drive's current directory, not its root).
    if (!r.programFolder.empty()) {
        std::string dir = r.programFolder;
        if (dir.back() == ':')
            dir += '\\';
        SetCurrentDirectoryA(dir.c_str());
    }
    // 5. The hidden runtime window.
    if (!r.hiddenWindow)
        r.hiddenWindow = CreateHiddenRuntimeWindow();
    // 6.
    r.mainThread = GetCurrentThreadId();
    r.endProgram = EndProgram;
    // 7.
    ProtectConstantTexts();
    // 8.
    ResetExternalTable();
    // 9. The three libraries, in their stored order.
    InitialiseLibrary(1, StandardLibrary());
    InitialiseLibrary(2, ExtendedLibrary());
    InitialiseLibrary(3, WebLibrary());
    // 10.
    ReadDescriptions(program.descriptions, program.descriptionsSize, program.handlers);
}

void ShutdownRuntime(int) {
    RuntimeState& r = Runtime();
    if (r.shuttingDown)
        return;
    // 1. From here on no handler runs.
    r.shuttingDown = true;
    SuppressEvents();
    // 2.
    ReleaseDescriptions();
    // 3.
    if (void (*routine)() = r.exitRoutine) {
        r.exitRoutine = nullptr;
        routine();
    }
    // 4.
    NotifyLibrariesProgramEnding();
    // 5.
    ReleaseExternalLibraries();
    // 6.
    for (HICON* icon : {&r.defaultIconBig, &r.defaultIconSmall}) {
        if (*icon)
            DestroyIcon(*icon);
        *icon = nullptr;
    }
    if (r.hiddenWindow) {
        DestroyWindow(r.hiddenWindow);
        r.hiddenWindow = nullptr;
    }
    if (r.oleInitialised) {
        OleUninitialize();
        r.oleInitialised = false;
    }
}

[[noreturn]] void EndProgram(int exitCode) {
    ShutdownRuntime(exitCode);
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace velmora

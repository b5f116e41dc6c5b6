// Covers: start-up of the process.
//  - the program itself, started from another folder: its main window shows,
//    centred on the screen, and Escape closes it with exit code 0; a close waiting
//    when a tone tick begins ends it with 0 too; two copies started at once each run
//    and end on their own; a WM_QUIT while the test window is open ends it with
//    the WM_QUIT's code;
//  - a start-up window that its own handler closes while it loads: the loop does
//    not run and the entry ends the process normally with 0, the exit routine run
//    once;
//  - a second start after a shutdown in one process begins afresh; a shutdown
//    releases the windows, runs the exit routine, tells the libraries, then
//    releases the external libraries and the hidden window;
//  - after InitRuntime the current directory is the program folder, whatever it was
//    at start, and the program folder and file name are split from the path.
#include <gtest/gtest.h>

#include "app/program_entry.h"
#include "app/runtime_startup_win.h"
#include "runtime/external_call_win.h"
#include "runtime/external_table_win.h"
#include "runtime/library.h"
#include "runtime/runtime_state_win.h"
#include "runtime/wide_text.h"
#include "support/external_program_win.h"
#include "support/scenario_win.h"
#include "support/test_program_win.h"

namespace velmora::test {
namespace {

std::wstring ProgramPath() {
    return ExecutableFolder() + L"\\..\\..\\app\\velmora.exe";
}

std::wstring OtherFolder() {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return dir;
}

VELMORA_SCENARIO(CurrentDirectoryAfterStart) {
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    AppendMarker(GbkFromWide(before));
    StartTestRuntime(DescriptionSet{});
    wchar_t after[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, after);
    AppendMarker(GbkFromWide(after));
    AppendMarker(Runtime().programFolder);
    AppendMarker(Runtime().programFileName);
    return 0;
}

TEST(Startup, TheCurrentDirectoryBecomesTheProgramFolder) {
    std::wstring marker = TempPath(L"cwd.txt");
    ScenarioResult r = RunScenario("CurrentDirectoryAfterStart", marker, OtherFolder());
    EXPECT_FALSE(r.boxShown);
    EXPECT_EQ(r.exitCode, 0u);
    std::vector<std::string> lines = ReadMarker(marker);
    DeleteFileW(marker.c_str());
    ASSERT_EQ(lines.size(), 4u);
    // Compared without case and a trailing backslash: the folder as started.
    auto same = [](std::string a, std::wstring b) {
        if (!a.empty() && a.back() == '\\')
            a.pop_back();
        if (!b.empty() && b.back() == L'\\')
            b.pop_back();
        return CompareStringOrdinal(WideFromGbk(a).c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    EXPECT_TRUE(same(lines[0], OtherFolder())) << lines[0];
    EXPECT_TRUE(same(lines[1], ExecutableFolder())) << lines[1];
    EXPECT_TRUE(same(lines[2], ExecutableFolder())) << lines[2];
    EXPECT_EQ(lines[3], "windows_tests.exe");
}

constexpr uint32_t kMain = 0x52010001;

void CloseMain() {
    DestroyWindow(WindowHandle(kMain));
}
void MarkExitRoutine() {
    AppendMarker("exit routine");
}

// A main routine whose window closes as it is created, ended by the executable's
// own entry code.
void ClosedWhileLoadingMain() {
    DescriptionSet set;
    UnitRecord own = WindowUnit(0x06010000, 10, 10, 200, 100);
    own.bindings = {{0, 1}};
    set.windows.push_back(Window(kMain, {own}));
    StartTestRuntime(set);
    SetHandlerAction(1, CloseMain);
    RegisterExitRoutine(MarkExitRoutine);
    LoadStartupWindow(kMain);
    RunMessageLoop();
    AppendMarker("loop returned");
}

VELMORA_SCENARIO(StartupWindowClosedWhileLoading) {
    RunToEnd(ClosedWhileLoadingMain);
}

TEST(Startup, AStartupWindowClosedWhileLoadingEndsTheProgramNormally) {
    std::wstring marker = TempPath(L"closed.txt");
    ScenarioResult r = RunScenario("StartupWindowClosedWhileLoading", marker);
    std::vector<std::string> lines = ReadMarker(marker);
    DeleteFileW(marker.c_str());
    EXPECT_FALSE(r.boxShown);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(lines, (std::vector<std::string>{"loop returned", "exit routine"}));
}

// What is still there at each step of a shutdown.
std::vector<std::string> shutdownSteps;
std::string StillThere() {
    const bool bound = !ExternalTable().empty() && ExternalTable()[0].library;
    return std::string(IsWindowLoaded(kMain) ? " window" : "") + (bound ? " Beep" : "") +
           (Runtime().hiddenWindow ? " hidden" : "");
}

// Counts and notes what the runtime tells a library.
int libraryEndings = 0;
int RecordLibraryNotice(int code, RuntimeNotifyEntry) {
    if (code == kLibraryProgramEnding) {
        ++libraryEndings;
        shutdownSteps.push_back("library told:" + StillThere());
    }
    return 0;
}
const ControlLibrary kRecordingLibrary{"recording", {}, {}, RecordLibraryNotice};
int exitRoutineRuns = 0;
void CountExitRoutine() {
    ++exitRoutineRuns;
    shutdownSteps.push_back("exit routine:" + StillThere());
}

// The windows go first, then the exit routine runs, then the libraries are told,
// and only then are the external libraries and the hidden window released.
TEST(Startup, ShutdownReleasesInOrder) {
    DescriptionSet set;
    set.windows.push_back(Window(kMain, {WindowUnit(0x06010000, 10, 10, 200, 100)}));
    StartTestRuntime(set);
    InitialiseLibrary(4, kRecordingLibrary);
    LoadStartupWindow(kMain);
    BindExternal(kBeepDeclaration);
    RegisterExitRoutine(CountExitRoutine);
    shutdownSteps = {"before:" + StillThere()};
    ShutdownRuntime(0);
    shutdownSteps.push_back("after:" + StillThere());
    EXPECT_EQ(shutdownSteps, (std::vector<std::string>{"before: window Beep hidden",
                                                       "exit routine: Beep hidden",
                                                       "library told: Beep hidden", "after:"}));
}

// A second start in the same process, after the first was shut down, is a fresh
// runtime: handlers run, the end runs the exit routine, and each library is told
// of the end once.
TEST(Startup, ASecondStartAfterShutdownBeginsAfresh) {
    DescriptionSet set;
    UnitRecord own = WindowUnit(0x06010000, 10, 10, 200, 100);
    own.bindings = {{5, 1}};
    set.windows.push_back(Window(kMain, {own}));
    StartTestRuntime(set);
    InitialiseLibrary(4, kRecordingLibrary);
    LoadStartupWindow(kMain);
    DestroyWindow(WindowHandle(kMain));
    RunMessageLoop();  // no window: returns at once, the loop counted as started...
    ShutdownRuntime(0);
    ASSERT_EQ(libraryEndings, 1);

    StartTestRuntime(set);
    InitialiseLibrary(4, kRecordingLibrary);
    LoadStartupWindow(kMain);
    Log().clear();
    RaiseEvent(kMain, 0, 5);
    EXPECT_TRUE(LogEquals({"handler 1 06010000"}));
    // ...and the loop of the first run counts no more: closing the window posts
    // no WM_QUIT before the loop of this run has started.
    DestroyWindow(WindowHandle(kMain));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    RegisterExitRoutine(CountExitRoutine);
    ShutdownRuntime(0);
    EXPECT_EQ(exitRoutineRuns, 1);
    EXPECT_EQ(libraryEndings, 2);
}

const std::wstring& MainWindowTitle() {
    static const std::wstring title = W("Velmora电子驱蚊器 v1.0");
    return title;
}

TEST(Program, ShowsItsMainWindowCentredAndEscapeEndsItWithZero) {
    ExternalProgram program(ProgramPath(), OtherFolder());
    ASSERT_TRUE(program.started());
    HWND main = program.WaitForWindow(MainWindowTitle());
    ASSERT_NE(main, nullptr);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 298) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 196) / 2);
    program.PostKey(main, VK_ESCAPE);
    DWORD code = 1;
    ASSERT_TRUE(program.WaitForExit(10000, code));
    EXPECT_EQ(code, 0u);
}

// A close that waits in the queue when a tone tick begins: the tick lets it through
// (pending events first), the window ends under it, and the program still ends
// normally instead of reporting a read of a window that is gone.
TEST(Program, AClosePendingWhenAToneTickBeginsEndsItWithZero) {
    ExternalProgram program(ProgramPath());
    HWND main = program.WaitForWindow(MainWindowTitle());
    ASSERT_NE(main, nullptr);
    // Both timers tick (only the first has a handler), then the close comes; the
    // program's thread waits meanwhile, so all three are queued when it takes the
    // first.
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(main, nullptr));
    ASSERT_NE(thread, nullptr);
    SuspendThread(thread);
    int timers = 0;
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (wcscmp(cls, L"VelmoraTimer") == 0 && PostMessageW(child, WM_TIMER, 1000, 0))
            ++timers;
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    ResumeThread(thread);
    CloseHandle(thread);
    ASSERT_EQ(timers, 2);
    DWORD code = 1;
    ASSERT_TRUE(program.WaitForExit(10000, code)) << "an error box holds the program";
    EXPECT_EQ(code, 0u);
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t buffer[64] = {};
        InternalGetWindowText(c, buffer, 64);
        if (text == buffer)
            return c;
    }
    return nullptr;
}

// A WM_QUIT that reaches the program while the frequency test window's loop runs
// ends that loop, then the outer one; the process ends with the WM_QUIT's code.
TEST(Program, AQuitDuringTheTestWindowEndsItWithTheQuitCode) {
    ExternalProgram program(ProgramPath());
    HWND main = program.WaitForWindow(MainWindowTitle());
    ASSERT_NE(main, nullptr);
    HWND settings = ChildWithText(main, W("设置"));
    ASSERT_NE(settings, nullptr);
    PostMessageW(settings, BM_CLICK, 0, 0);
    HWND test = program.WaitForWindow(W("频率调试"));
    ASSERT_NE(test, nullptr);
    PostThreadMessageW(GetWindowThreadProcessId(main, nullptr), WM_QUIT, 7, 0);
    DWORD code = 0;
    ASSERT_TRUE(program.WaitForExit(10000, code));
    EXPECT_EQ(code, 7u);
}

TEST(Program, TwoCopiesRunIndependently) {
    ExternalProgram first(ProgramPath()), second(ProgramPath());
    HWND a = first.WaitForWindow(MainWindowTitle());
    HWND b = second.WaitForWindow(MainWindowTitle());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    first.PostKey(a, VK_ESCAPE);
    DWORD code = 1;
    ASSERT_TRUE(first.WaitForExit(10000, code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(IsWindow(b));  // the other copy runs on
    second.PostKey(b, VK_ESCAPE);
    ASSERT_TRUE(second.WaitForExit(10000, code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace velmora::test

// Covers: start-up of the process.
//  - the program itself, started from another folder: its main window shows,
//    centred on the screen, and Escape closes it with exit code 0; a close waiting
//    when a tone tick begins ends it with 0 too; two copies started at once each run
//    and end on their own;
//  - a start-up window that its own handler closes while it loads: the loop does
//    not run and the process ends normally with 0, the exit routine run once;
//  - after InitRuntime the current directory is the program folder, whatever it was
//    at start, and the program folder and file name are split from the path.
#include <gtest/gtest.h>

#include "app/runtime_startup.h"
#include "runtime/runtime_state.h"
#include "runtime/wide_text.h"
#include "support/external_program.h"
#include "support/scenario.h"
#include "support/test_program.h"

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

// The program's main routine and end, with a window that closes as it is created.
VELMORA_SCENARIO(StartupWindowClosedWhileLoading) {
    DescriptionSet set;
    UnitRecord own = WindowUnit(0x06010000, 10, 10, 200, 100);
    own.bindings = {{0, 1}};
    set.windows.push_back(Window(kMain, {own}));
    StartTestRuntime(set);
    SetHandlerAction(1, CloseMain);
    RegisterExitRoutine(MarkExitRoutine);
    LoadStartupWindow(kMain);
    Runtime().quitCode = RunMessageLoop();
    AppendMarker("loop returned");
    ShutdownRuntime(0);
    ExitProcess(static_cast<UINT>(Runtime().quitCode));
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

// Covers: the runtime error box, each fault raised through the real services, each
// in a process of its own.
//  - the box: title "错误", error icon, the report line by line (code line only
//    for a code, message line only for a message), exit code 0xFFFFFFFF, and the
//    registered exit routine never runs;
//  - every message of the loader's failure table: unreadable descriptions (corrupt
//    bytes), a start-up window that is unknown, of an unregistered type or with a
//    control that fails; property access
//    to an unknown window, own properties of a window not loaded; events of an
//    unknown window, unknown unit or a unit that is not windowed; the strict lookup;
//  - error code 6; out of memory with the byte count as a signed decimal; code 0
//    with no message;
//  - no handler runs while the box is up, though timers keep firing;
//  - a normal end runs the exit routine exactly once and exits with 0.
#include <gtest/gtest.h>

#include "app/program_entry.h"
#include "app/runtime_startup_win.h"
#include "runtime/error_service.h"
#include "runtime/runtime_state_win.h"
#include "runtime/text_block.h"
#include "runtime/wide_text.h"
#include "support/scenario_win.h"
#include "support/test_program_win.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kDialog = 0x52010021, kDialogUnit = 0x06010022;
constexpr uint32_t kButton = 0x16010006, kTimerUnit = 0x16010007;
constexpr DWORD kErrorExit = 0xFFFFFFFF;

void MarkExitRoutine() {
    AppendMarker("exit routine");
}

// Main window with a child and a unit that is not windowed; a dialog.
DescriptionSet TestSet() {
    DescriptionSet set;
    UnitRecord main = WindowUnit(kMainUnit, 10, 10, 300, 200);
    main.bindings = {{5, 1}};
    set.windows.push_back(Window(kMain, {main, ChildUnit(kButton, kTestChildType, 1, 1, 50, 20),
                                         ChildUnit(kTimerUnit, kTestNotWindowedType, 0, 0, 0, 0)}));
    set.windows.push_back(Window(kDialog, {WindowUnit(kDialogUnit, 50, 50, 200, 100)}));
    return set;
}

// The runtime with the test set and an exit routine that leaves a mark.
void Start() {
    StartTestRuntime(TestSet());
    RegisterExitRoutine(MarkExitRoutine);
}

// The scenarios: each ends through the error box unless it says otherwise.
VELMORA_SCENARIO(CorruptDescriptions) {
    RegisterExitRoutine(MarkExitRoutine);
    std::string bytes = WriteDescriptionSet(TestSet());
    bytes[0] ^= 0x40;  // the window count no longer matches
    ProgramData program;
    program.descriptions = reinterpret_cast<const uint8_t*>(bytes.data());
    program.descriptionsSize = bytes.size();
    InitRuntime(program);
    return 0;
}

VELMORA_SCENARIO(UnknownStartupWindow) {
    Start();
    LoadStartupWindow(0x52019999);
    return 0;
}

VELMORA_SCENARIO(StartupWindowOfUnregisteredType) {
    RegisterExitRoutine(MarkExitRoutine);
    DescriptionSet set = TestSet();
    set.windows[0].units[0].typeCode = 0x00FF0077;
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    return 0;
}

VELMORA_SCENARIO(StartupWindowWithFailingControl) {
    RegisterExitRoutine(MarkExitRoutine);
    DescriptionSet set = TestSet();
    set.windows[0].units.push_back(ChildUnit(0x16010030, kTestFailingType, 0, 0, 5, 5));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    return 0;
}

VELMORA_SCENARIO(ReadOfUnknownWindow) {
    Start();
    ReadProperty(0x52019999, 0, 0);
    return 0;
}

VELMORA_SCENARIO(WriteOfUnknownWindow) {
    Start();
    WriteProperty(0x52019999, kButton, 4, kWholeProperty, MakeText("x"));
    return 0;
}

VELMORA_SCENARIO(OwnPropertyReadOfWindowNotLoaded) {
    Start();
    LoadStartupWindow(kMain);
    // The common properties of the dialog are readable; its own ones are not.
    if (ReadProperty(kDialog, 0, 2).low != 200)
        return 5;
    ReadProperty(kDialog, 0, 8);
    return 0;
}

VELMORA_SCENARIO(OwnPropertyWriteOfClosedWindow) {
    Start();
    LoadStartupWindow(kMain);
    DestroyWindow(WindowHandle(kMain));
    WriteProperty(kMain, kButton, 8, kWholeProperty, MakeText("x"));
    return 0;
}

VELMORA_SCENARIO(EventOfUnknownWindow) {
    Start();
    RaiseEvent(0x52019999, 0, 0);
    return 0;
}

VELMORA_SCENARIO(EventOfUnknownUnit) {
    Start();
    RaiseEvent(kMain, 0x16019999, 0);
    return 0;
}

VELMORA_SCENARIO(EventOfUnitNotWindowed) {
    Start();
    RaiseEvent(kMain, kTimerUnit, 0);
    return 0;
}

VELMORA_SCENARIO(StrictLookupOfWindowNotLoaded) {
    Start();
    LoadStartupWindow(kMain);
    if (!LiveControlOrFail(kMain, kButton))
        return 5;  // loaded: found
    LiveControlOrFail(kDialog, 0);
    return 0;
}

VELMORA_SCENARIO(ErrorCodeSix) {
    Start();
    RaiseErrorCode(6);
}

VELMORA_SCENARIO(OutOfMemoryHuge) {
    Start();
    AllocateBlock(0xFFFFFFF0u);
    return 0;
}

VELMORA_SCENARIO(OutOfMemoryLarge) {
    Start();
    AllocateBlock(0x7FFFFFF0u);
    return 0;
}

VELMORA_SCENARIO(NoCodeNoMessage) {
    Start();
    ReportRuntimeError("", 0);
}

VELMORA_SCENARIO(NullMessage) {
    Start();
    ReportRuntimeError(nullptr, 0);
}

// A timer keeps raising the window's event 5 while the box is up: the timer runs,
// the handler never does.
void CALLBACK RaiseFromTimer(HWND, UINT, UINT_PTR, DWORD) {
    AppendMarker("tick");
    RaiseEvent(kMain, 0, 5);
}
void MarkHandler() {
    AppendMarker("handler");
}

VELMORA_SCENARIO(NoHandlerWhileTheBoxIsUp) {
    Start();
    SetHandlerAction(1, MarkHandler);
    LoadStartupWindow(kMain);
    RaiseEvent(kMain, 0, 5);  // runs before the fault
    SetTimer(nullptr, 0, 10, RaiseFromTimer);
    RaiseErrorMessage("x");
}

// A second fault while the box is up, from a window's own code (no handler runs by
// then): no second box; the first one ends the program when it is closed.
void CALLBACK RaiseSecondFault(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    AppendMarker("second fault");
    RaiseErrorMessage("second");
}

VELMORA_SCENARIO(SecondFaultWhileTheBoxIsUp) {
    Start();
    LoadStartupWindow(kMain);
    SetTimer(nullptr, 0, 10, RaiseSecondFault);
    RaiseErrorMessage("first");
}

// A fault on another thread shows the box there, and never shuts the runtime down
// from that thread: the windows belong to the main thread.
void MarkEndProgram(int code) {
    AppendMarker("end program from " +
                 std::string(GetCurrentThreadId() == Runtime().mainThread ? "main" : "other") +
                 " thread");
    ExitProcess(static_cast<UINT>(code));
}

DWORD WINAPI FaultOnWorker(void*) {
    RaiseErrorMessage("worker");
}

VELMORA_SCENARIO(FaultOnAnotherThread) {
    Start();
    Runtime().endProgram = MarkEndProgram;
    LoadStartupWindow(kMain);
    CloseHandle(CreateThread(nullptr, 0, FaultOnWorker, nullptr, 0, nullptr));
    return RunMessageLoop();
}

// Ended by the executable's own entry code, whose shutdown is the second one.
void NormalEndMain() {
    Start();
    LoadStartupWindow(kMain);
    PostMessageW(WindowHandle(kMain), WM_CLOSE, 0, 0);
    RunMessageLoop();
    AppendMarker("loop ended " + std::to_string(Runtime().quitCode));
    ShutdownRuntime(0);
}

VELMORA_SCENARIO(NormalEnd) {
    RunToEnd(NormalEndMain);
}

// The box's message lines for a message with code 0.
std::vector<std::wstring> MessageLines(const char* message) {
    return {W("运行时出错!"), L"", W("错误信息：") + W(message), L""};
}

::testing::AssertionResult IsErrorBox(const ScenarioResult& r,
                                      const std::vector<std::wstring>& lines,
                                      const std::wstring& marker) {
    if (!r.boxShown)
        return ::testing::AssertionFailure() << "no box; exit code " << r.exitCode;
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    bool ok = true;
    if (r.boxTitle != W("错误"))
        ok = false, failure << "title differs; ";
    if (r.boxIcon != MB_ICONERROR)
        ok = false, failure << "icon " << r.boxIcon << "; ";
    if (r.boxLines != lines) {
        ok = false;
        failure << "lines differ:";
        for (const std::wstring& l : r.boxLines)
            failure << " [" << GbkFromWide(l) << "]";
        failure << "; ";
    }
    if (!r.exited || r.exitCode != kErrorExit)
        ok = false, failure << "exit code " << r.exitCode << "; ";
    for (const std::string& line : ReadMarker(marker)) {
        if (line == "exit routine")
            ok = false, failure << "the exit routine ran; ";
    }
    return ok ? ::testing::AssertionSuccess() : failure;
}

class ErrorBox : public ::testing::Test {
  protected:
    std::wstring marker = TempPath(L"marker.txt");
    void TearDown() override { DeleteFileW(marker.c_str()); }
    ::testing::AssertionResult Shows(const char* scenario, const std::vector<std::wstring>& lines) {
        return IsErrorBox(RunScenario(scenario, marker), lines, marker);
    }
};

TEST_F(ErrorBox, UnreadableDescriptions) {
    EXPECT_TRUE(Shows("CorruptDescriptions", MessageLines("载入窗口模板数据段出错!")));
}

TEST_F(ErrorBox, StartupWindowThatCannotBeLoaded) {
    EXPECT_TRUE(Shows("UnknownStartupWindow", MessageLines("载入启动窗口失败")));
    EXPECT_TRUE(Shows("StartupWindowOfUnregisteredType", MessageLines("载入启动窗口失败")));
    EXPECT_TRUE(Shows("StartupWindowWithFailingControl", MessageLines("载入启动窗口失败")));
}

TEST_F(ErrorBox, PropertyAccessToAnUnknownWindow) {
    EXPECT_TRUE(Shows("ReadOfUnknownWindow", MessageLines("未载入欲访问窗口组件所在的窗口")));
    EXPECT_TRUE(Shows("WriteOfUnknownWindow", MessageLines("未载入欲访问窗口组件所在的窗口")));
}

TEST_F(ErrorBox, OwnPropertiesOfAWindowNotLoaded) {
    EXPECT_TRUE(Shows("OwnPropertyReadOfWindowNotLoaded", MessageLines("指定窗口尚未载入")));
    EXPECT_TRUE(Shows("OwnPropertyWriteOfClosedWindow", MessageLines("指定窗口尚未载入")));
}

TEST_F(ErrorBox, EventsThatNameNoValidSource) {
    EXPECT_TRUE(Shows("EventOfUnknownWindow", MessageLines("未找到引发事件的窗口")));
    EXPECT_TRUE(Shows("EventOfUnknownUnit", MessageLines("未找到引发事件的窗口组件")));
    EXPECT_TRUE(Shows("EventOfUnitNotWindowed", MessageLines("引发事件的窗口组件无效")));
}

TEST_F(ErrorBox, StrictLookupOfAControlNotLoaded) {
    EXPECT_TRUE(
        Shows("StrictLookupOfWindowNotLoaded", MessageLines("指定窗口或窗口组件不存在或尚未载入")));
}

TEST_F(ErrorBox, ErrorCodeSixHasACodeLine) {
    EXPECT_TRUE(Shows("ErrorCodeSix", {W("运行时出错!"), L"", W("错误代码：6"), L"",
                                       W("错误信息：调用DLL命令后发现堆栈错误"), L""}));
}

TEST_F(ErrorBox, OutOfMemoryShowsTheCountAsSignedDecimal) {
    if (sizeof(void*) != 4)
        GTEST_SKIP() << "requests of 2 GiB and more fail in a 32-bit process only";
    EXPECT_TRUE(Shows("OutOfMemoryHuge", MessageLines("分配 -16 字节内存失败!")));
    EXPECT_TRUE(Shows("OutOfMemoryLarge", MessageLines("分配 2147483632 字节内存失败!")));
}

TEST_F(ErrorBox, NoCodeAndNoMessageLeavesOnlyTheHeading) {
    EXPECT_TRUE(Shows("NoCodeNoMessage", {W("运行时出错!"), L"", L""}));
    EXPECT_TRUE(Shows("NullMessage", {W("运行时出错!"), L"", L""}));
}

TEST_F(ErrorBox, NoHandlerRunsWhileTheBoxIsUp) {
    ASSERT_TRUE(Shows("NoHandlerWhileTheBoxIsUp", MessageLines("x")));
    std::vector<std::string> lines = ReadMarker(marker);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "handler");  // the one raised before the fault
    for (size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], "tick") << i;
}

TEST_F(ErrorBox, ASecondFaultOpensNoSecondBox) {
    EXPECT_TRUE(Shows("SecondFaultWhileTheBoxIsUp", MessageLines("first")));
    EXPECT_EQ(ReadMarker(marker), std::vector<std::string>{"second fault"});
}

TEST_F(ErrorBox, AFaultOnAnotherThreadEndsWithoutShuttingDownThere) {
    EXPECT_TRUE(Shows("FaultOnAnotherThread", MessageLines("worker")));
    EXPECT_TRUE(ReadMarker(marker).empty());
}

TEST_F(ErrorBox, ANormalEndRunsTheExitRoutineOnce) {
    ScenarioResult r = RunScenario("NormalEnd", marker);
    EXPECT_FALSE(r.boxShown);
    ASSERT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(ReadMarker(marker), (std::vector<std::string>{"loop ended 0", "exit routine"}));
}

}  // namespace
}  // namespace velmora::test

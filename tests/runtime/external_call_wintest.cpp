// Covers: binding and calling declared external functions.
//  - binding asks for the program folder's copy first, then the name alone; a name
//    with a colon is asked for as it is; a library found in the program folder ends
//    the search; the second call loads nothing and reuses the address;
//  - a bound library stays loaded until ReleaseExternalLibraries;
//  - arguments arrive in order as 32-bit values (-1 as 0xFFFFFFFF) and the result
//    comes back; kernel32's Beep is bound and called without error;
//  - a function that leaves its arguments on the stack: runtime error 6, the exact
//    box text, exit code 0xFFFFFFFF, no exit routine (in a scenario process);
//  - a missing entry or a library that does not load: the binding error box without
//    a code line, the loaded library released, no further library asked for;
//  - a declaration index outside the table: the error box, nothing loaded.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/error_service.h"
#include "runtime/external_call_win.h"
#include "runtime/external_table_win.h"
#include "runtime/runtime_state_win.h"
#include "runtime/wide_text.h"
#include "support/scenario_win.h"

namespace velmora {
namespace {

const char kTestLibrary[] = "velmora_external_test";

std::string ExecutableFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.rfind('\\'));
}

// Records every library request and passes it on.
std::vector<std::string> requests;
std::vector<HMODULE> releases;
int allowedRequests = 1 << 30;

HMODULE WINAPI RecordingLoad(LPCSTR name) {
    requests.push_back(name);
    if (static_cast<int>(requests.size()) > allowedRequests) {
        std::fprintf(stderr, "unexpected library request: %s\n", name);
        std::fflush(stderr);
        ExitProcess(3);
    }
    return LoadLibraryA(name);
}

BOOL WINAPI RecordingRelease(HMODULE library) {
    releases.push_back(library);
    test::AppendMarker("library released");
    return FreeLibrary(library);
}

// The external table empty, the program folder that of this executable, library
// requests and releases recorded.
void PrepareRecording() {
    ResetExternalTable();
    Runtime().programFolder = ExecutableFolder();
    requests.clear();
    releases.clear();
    allowedRequests = 1 << 30;
    ExternalLibraryFunctions().load = RecordingLoad;
    ExternalLibraryFunctions().release = RecordingRelease;
}

void MarkExitRoutine() {
    test::AppendMarker("exit routine");
}

// Adds a declaration and returns its index.
int Declare(const std::string& library, const std::string& entry) {
    ExternalTable().emplace_back();
    ExternalTable().back().libraryName = library;
    ExternalTable().back().entryName = entry;
    return static_cast<int>(ExternalTable().size()) - 1;
}

class ExternalCall : public ::testing::Test {
  protected:
    void SetUp() override { PrepareRecording(); }
    void TearDown() override {
        ReleaseExternalLibraries();
        ExternalLibraryFunctions() = LibraryFunctions();
    }

    // A function of the test library, reached directly.
    template <typename F>
    static F TestFunction(const char* name) {
        HMODULE library = GetModuleHandleA("velmora_external_test.dll");
        return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                       : nullptr;
    }
};

TEST_F(ExternalCall, ProgramFolderFirstThenTheNameAlone) {
    Runtime().programFolder = "C:\\velmora-no-such-folder";
    FARPROC address = BindExternal(kBeepDeclaration);
    EXPECT_EQ(requests,
              (std::vector<std::string>{"C:\\velmora-no-such-folder\\kernel32", "kernel32"}));
    EXPECT_EQ(address, GetProcAddress(GetModuleHandleA("kernel32"), "Beep"));
    // Bound: the second call asks for nothing.
    EXPECT_EQ(BindExternal(kBeepDeclaration), address);
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_TRUE(releases.empty());
}

TEST_F(ExternalCall, ALibraryInTheProgramFolderEndsTheSearch) {
    ASSERT_EQ(GetModuleHandleA("velmora_external_test.dll"), nullptr);
    int index = Declare(kTestLibrary, "RecordPair");
    FARPROC address = BindExternal(index);
    EXPECT_EQ(requests, (std::vector<std::string>{ExecutableFolder() + "\\" + kTestLibrary}));
    HMODULE loaded = GetModuleHandleA("velmora_external_test.dll");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(address, GetProcAddress(loaded, "RecordPair"));
    CallExternal(index, 1, 2);
    CallExternal(index, 3, 4);
    EXPECT_EQ(requests.size(), 1u);
    // Loaded until the external libraries are released.
    ReleaseExternalLibraries();
    EXPECT_EQ(GetModuleHandleA("velmora_external_test.dll"), nullptr);
}

TEST_F(ExternalCall, ANameWithAColonIsAskedForAsItIs) {
    std::string path = ExecutableFolder() + "\\velmora_external_test.dll";
    ASSERT_NE(path.find(':'), std::string::npos);
    int index = Declare(path, "RecordFour");
    EXPECT_NE(BindExternal(index), nullptr);
    EXPECT_EQ(requests, std::vector<std::string>{path});
}

TEST_F(ExternalCall, ArgumentsArriveInOrderAsThirtyTwoBitValues) {
    int pair = Declare(kTestLibrary, "RecordPair");
    int four = Declare(kTestLibrary, "RecordFour");
    int32_t frequency = 440, duration = -1;
    EXPECT_EQ(CallExternal(pair, frequency, duration), 440u ^ 0xFFFFFFFFu);
    auto received = TestFunction<uint32_t(WINAPI*)(int)>("ReceivedArgument");
    auto count = TestFunction<int(WINAPI*)()>("ReceivedCount");
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(received(0), 440u);
    EXPECT_EQ(received(1), 0xFFFFFFFFu);

    EXPECT_EQ(CallExternal(four, 1, 2, 3, INT32_MIN), 6u + 0x80000000u);
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(received(0), 1u);
    EXPECT_EQ(received(1), 2u);
    EXPECT_EQ(received(2), 3u);
    EXPECT_EQ(received(3), 0x80000000u);
}

TEST_F(ExternalCall, BeepOfKernel32) {
    ExternalLibraryFunctions() = LibraryFunctions();  // the real thing, end to end
    EXPECT_NE(CallExternal(kBeepDeclaration, 440, 1), 0u);
    EXPECT_NE(ExternalTable()[kBeepDeclaration].boundAddress, nullptr);
    EXPECT_TRUE(ExternalTable()[kBeepDeclaration].library);
}

// The fatal cases, each in a process of its own.
VELMORA_SCENARIO(CallerCleansFunction) {
    PrepareRecording();
    RegisterExitRoutine(MarkExitRoutine);
    CallExternal(Declare(kTestLibrary, "RecordPairCallerCleans"), 440, 1);
    return 0;
}

VELMORA_SCENARIO(MissingEntry) {
    PrepareRecording();
    RegisterExitRoutine(MarkExitRoutine);
    // The program folder's copy loads, lacks the entry and is released; the name
    // alone is not asked for.
    allowedRequests = 1;
    CallExternal(Declare(kTestLibrary, "NoSuchEntry"), 440, 1);
    return 0;
}

VELMORA_SCENARIO(LibraryThatDoesNotLoad) {
    PrepareRecording();
    RegisterExitRoutine(MarkExitRoutine);
    allowedRequests = 2;
    BindExternal(Declare("velmora_no_such_library", "Beep"));
    return 0;
}

// Declaration 0 is the only one: 1 and -1 name none.
VELMORA_SCENARIO(UndeclaredAfterTheTable) {
    PrepareRecording();
    RegisterExitRoutine(MarkExitRoutine);
    allowedRequests = 0;
    BindExternal(1);
    return 0;
}

VELMORA_SCENARIO(UndeclaredBelowTheTable) {
    PrepareRecording();
    RegisterExitRoutine(MarkExitRoutine);
    allowedRequests = 0;
    CallExternal(-1, 440, 1);
    return 0;
}

std::vector<std::wstring> Lines(std::initializer_list<const char*> gbk) {
    std::vector<std::wstring> lines;
    for (const char* line : gbk)
        lines.push_back(WideFromGbk(line));
    return lines;
}

class ExternalCallFailure : public ::testing::Test {
  protected:
    std::wstring marker = test::TempPath(L"external.txt");
    void TearDown() override { DeleteFileW(marker.c_str()); }
};

TEST_F(ExternalCallFailure, AFunctionThatLeavesItsArgumentsIsRuntimeError6) {
    if (sizeof(void*) != 4)
        GTEST_SKIP() << "in 64-bit code the caller removes the arguments: the stack cannot come back unbalanced";
    test::ScenarioResult r = test::RunScenario("CallerCleansFunction", marker);
    ASSERT_TRUE(r.boxShown);
    EXPECT_EQ(r.boxTitle, WideFromGbk("错误"));
    EXPECT_EQ(r.boxLines, Lines({"运行时出错!", "", "错误代码：6", "",
                                 "错误信息：调用DLL命令后发现堆栈错误", ""}));
    EXPECT_EQ(r.exitCode, 0xFFFFFFFFu);
    // The exit routine did not run.
    EXPECT_TRUE(test::ReadMarker(marker).empty());
}

TEST_F(ExternalCallFailure, AMissingEntryEndsTheProgram) {
    test::ScenarioResult r = test::RunScenario("MissingEntry", marker);
    ASSERT_TRUE(r.boxShown);
    EXPECT_EQ(
        r.boxLines,
        Lines({"运行时出错!", "",
               "错误信息：无法找到指定DLL库文件“velmora_external_test”中的输出命令“NoSuchEntry”",
               ""}));
    // 3 would mean a second library request.
    EXPECT_EQ(r.exitCode, 0xFFFFFFFFu);
    // Released before the box, once; no exit routine.
    EXPECT_EQ(test::ReadMarker(marker), std::vector<std::string>{"library released"});
}

TEST_F(ExternalCallFailure, ALibraryThatDoesNotLoadEndsTheProgram) {
    test::ScenarioResult r = test::RunScenario("LibraryThatDoesNotLoad", marker);
    ASSERT_TRUE(r.boxShown);
    EXPECT_EQ(
        r.boxLines,
        Lines({"运行时出错!", "",
               "错误信息：无法找到指定DLL库文件“velmora_no_such_library”中的输出命令“Beep”", ""}));
    EXPECT_EQ(r.exitCode, 0xFFFFFFFFu);
    EXPECT_TRUE(test::ReadMarker(marker).empty());
}

TEST_F(ExternalCallFailure, AnUndeclaredFunctionEndsTheProgramThroughTheBox) {
    const struct {
        const char* scenario;
        const char* message;
    } cases[] = {
        {"UndeclaredAfterTheTable", "错误信息：调用了未声明的DLL命令（序号 1）"},
        {"UndeclaredBelowTheTable", "错误信息：调用了未声明的DLL命令（序号 -1）"},
    };
    for (const auto& c : cases) {
        test::ScenarioResult r = test::RunScenario(c.scenario, marker);
        ASSERT_TRUE(r.boxShown) << c.scenario << " exit code " << r.exitCode;
        EXPECT_EQ(r.boxLines, Lines({"运行时出错!", "", c.message, ""}));
        EXPECT_EQ(r.exitCode, 0xFFFFFFFFu);
        EXPECT_TRUE(test::ReadMarker(marker).empty());
    }
}

}  // namespace
}  // namespace velmora

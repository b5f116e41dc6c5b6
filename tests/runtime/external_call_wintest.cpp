// Covers: binding and calling declared external functions.
//  - binding asks for the program folder's copy first, then the name alone; a name
//    with a colon is asked for as it is; a library found in the program folder ends
//    the search; the second call loads nothing and reuses the address;
//  - a bound library stays loaded until ReleaseExternalLibraries;
//  - arguments arrive in order as 32-bit values (-1 as 0xFFFFFFFF) and the result
//    comes back; kernel32's Beep is bound and called without error;
//  - a function that leaves its arguments on the stack: runtime error 6, the exact
//    box text, exit code 0xFFFFFFFF;
//  - a missing entry or a library that does not load: the binding error box without
//    a code line, the loaded library released, no further library asked for.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/error_service.h"
#include "runtime/external_call.h"
#include "runtime/external_table.h"
#include "runtime/runtime_state.h"
#include "tests/runtime/error_box_capture.h"

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
    std::fprintf(stderr, "library released\n");
    std::fflush(stderr);
    return FreeLibrary(library);
}

class ExternalCall : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetExternalTable();
        Runtime().programFolder = ExecutableFolder();
        requests.clear();
        releases.clear();
        allowedRequests = 1 << 30;
        ExternalLibraryFunctions().load = RecordingLoad;
        ExternalLibraryFunctions().release = RecordingRelease;
    }
    void TearDown() override {
        ReleaseExternalLibraries();
        ExternalLibraryFunctions() = LibraryFunctions();
    }

    // Adds a declaration and returns its index.
    static int Declare(const std::string& library, const std::string& entry) {
        ExternalTable().emplace_back();
        ExternalTable().back().libraryName = library;
        ExternalTable().back().entryName = entry;
        return static_cast<int>(ExternalTable().size()) - 1;
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

TEST_F(ExternalCall, AFunctionThatLeavesItsArgumentsIsRuntimeError6) {
    int index = Declare(kTestLibrary, "RecordPairCallerCleans");
    testing::ErrorBoxCapture box;
    EXPECT_EXIT(CallExternal(index, 440, 1), ::testing::ExitedWithCode(-1), "");
    EXPECT_EQ(box.Text(),
              "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
}

TEST_F(ExternalCall, AMissingEntryEndsTheProgram) {
    int index = Declare(kTestLibrary, "NoSuchEntry");
    // The program folder's copy loads, lacks the entry and is released; the name
    // alone is not asked for.
    allowedRequests = 1;
    testing::ErrorBoxCapture box;
    EXPECT_EXIT(CallExternal(index, 440, 1), ::testing::ExitedWithCode(-1), "library released");
    EXPECT_EQ(box.Text(),
              "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“velmora_external_"
              "test”中的输出命令“NoSuchEntry”\r\n");
}

TEST_F(ExternalCall, ALibraryThatDoesNotLoadEndsTheProgram) {
    int index = Declare("velmora_no_such_library", "Beep");
    allowedRequests = 2;
    testing::ErrorBoxCapture box;
    EXPECT_EXIT(BindExternal(index), ::testing::ExitedWithCode(-1), "");
    EXPECT_EQ(box.Text(),
              "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“velmora_no_such_"
              "library”中的输出命令“Beep”\r\n");
}

}  // namespace
}  // namespace velmora

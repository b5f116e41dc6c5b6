// Covers: the web address service command.
//  - the given text reaches the shell unchanged (no trimming, no scheme added) with
//    the verb "open", no parameters, no folder and SW_SHOWNORMAL;
//  - an omitted argument (tag 0, or no argument at all) opens the default address;
//    an empty or null text goes to the shell as "";
//  - the owner is the top-level window titled exactly "Microsoft Internet Explorer"
//    while one exists (found through the real FindWindowExA), otherwise none;
//  - the result record is left untouched; a failing shell call reports nothing;
//  - the third library offers the command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/web_address_win.h"
#include "ui/loader/control_library_win.h"

namespace velmora {
namespace {

struct ShellCall {
    HWND owner;
    std::string verb;
    std::string file;
    bool noParameters;
    bool noDirectory;
    INT show;
};
std::vector<ShellCall> calls;

HINSTANCE WINAPI RecordingShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                       LPCSTR directory, INT show) {
    calls.push_back({owner, verb ? verb : "(null)", file ? file : "(null)", parameters == nullptr,
                     directory == nullptr, show});
    return reinterpret_cast<HINSTANCE>(42);
}

class WebAddress : public ::testing::Test {
  protected:
    void SetUp() override {
        calls.clear();
        WebAddressShell().shellExecute = RecordingShellExecute;  // FindWindowExA stays real
    }
    void TearDown() override { WebAddressShell() = WebShellFunctions(); }

    static ShellCall Open(int argCount, const TypedValue* args) {
        calls.clear();
        TypedValue result = {0x11111111, 0x22222222, 0x33333333};
        OpenWebAddress(&result, argCount, args);
        EXPECT_EQ(result.low, 0x11111111u);
        EXPECT_EQ(result.high, 0x22222222u);
        EXPECT_EQ(result.tag, 0x33333333u);
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? ShellCall{} : calls[0];
    }
    static ShellCall OpenText(const char* text) {
        TypedValue arg = MakeText(text);
        return Open(1, &arg);
    }

    // A top-level window of this process with the given title.
    static HWND MakeWindow(const char* title) {
        return CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
};

TEST_F(WebAddress, TheTextGoesToTheShellUnchanged) {
    ShellCall call = OpenText("http://bbs.velmora.example/forum.php?mod=1");
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, "http://bbs.velmora.example/forum.php?mod=1");
    EXPECT_TRUE(call.noParameters);
    EXPECT_TRUE(call.noDirectory);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
    EXPECT_EQ(OpenText("  bbs.velmora.example ").file, "  bbs.velmora.example ");
    EXPECT_EQ(OpenText("论坛").file, "论坛");
}

TEST_F(WebAddress, AnOmittedArgumentOpensTheDefault) {
    TypedValue omitted;
    EXPECT_EQ(Open(1, &omitted).file, kDefaultWebAddress);
    EXPECT_EQ(Open(0, nullptr).file, kDefaultWebAddress);
    EXPECT_EQ(std::string(kDefaultWebAddress).find(':'), std::string::npos);  // a bare host name
}

TEST_F(WebAddress, AnEmptyTextGoesToTheShellAsItIs) {
    EXPECT_EQ(OpenText("").file, "");
    EXPECT_EQ(OpenText(nullptr).file, "");
    EXPECT_EQ(OpenText("").show, SW_SHOWNORMAL);
}

TEST_F(WebAddress, AnArgumentThatIsNoTextOpensNothing) {
    for (TypedValue arg : {MakeInteger(0x1234), MakeDouble(1.0), MakeLogical(true)}) {
        calls.clear();
        TypedValue result;
        OpenWebAddress(&result, 1, &arg);
        EXPECT_TRUE(calls.empty()) << arg.tag;
    }
}

TEST_F(WebAddress, TheInternetExplorerWindowIsTheOwner) {
    HWND similar = MakeWindow("Microsoft Internet Explorer - forum");
    ASSERT_NE(similar, nullptr);
    EXPECT_EQ(OpenText("bbs.velmora.example").owner, nullptr);  // the title must match exactly
    HWND browser = MakeWindow("Microsoft Internet Explorer");
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(OpenText("bbs.velmora.example").owner, browser);
    DestroyWindow(browser);
    EXPECT_EQ(OpenText("bbs.velmora.example").owner, nullptr);
    DestroyWindow(similar);
}

// The real shell, its answer noted.
INT_PTR realShellAnswer = 0;
HINSTANCE WINAPI RealShellNoted(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                LPCSTR directory, INT show) {
    HINSTANCE answer = ShellExecuteA(owner, verb, file, parameters, directory, show);
    realShellAnswer = reinterpret_cast<INT_PTR>(answer);
    return answer;
}

TEST_F(WebAddress, AFailingShellReportsNothing) {
    // The real shell: an address that no program is registered for opens nothing,
    // and the command returns as usual.
    WebAddressShell().shellExecute = RealShellNoted;
    TypedValue arg = MakeText("velmora-unregistered-scheme:nothing");
    TypedValue result = {0x11111111, 0x22222222, 0x33333333};
    OpenWebAddress(&result, 1, &arg);
    EXPECT_EQ(result.low, 0x11111111u);
    EXPECT_EQ(result.high, 0x22222222u);
    EXPECT_EQ(result.tag, 0x33333333u);
    EXPECT_GT(realShellAnswer, 0);
    EXPECT_LE(realShellAnswer, 32) << "the shell opened it";
}

TEST_F(WebAddress, TheThirdLibraryOffersTheCommand) {
    const std::vector<ServiceCommand>& commands = WebLibrary().commands;
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], &OpenWebAddress);
    TypedValue arg = MakeText("bbs.velmora.example");
    CallServiceCommand(commands[0], 1, &arg);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "bbs.velmora.example");
}

}  // namespace
}  // namespace velmora

// Covers: memory that operator new cannot supply inside a window procedure, of the
// controls' own class or of a subclassed system window, ends the program through
// the out-of-memory error box (exit code 0xFFFFFFFF) naming the request's bytes,
// or -1 for a request too large to be made; the exception never unwinds into the
// system's frames (that would end the process with the C++ runtime's abort).
#include <gtest/gtest.h>

#include <new>

#include "support/scenario_win.h"
#include "ui/loader/control_win.h"

namespace velmora::test {
namespace {

constexpr UINT kMsgAllocate = WM_APP + 0x200;        // allocates wParam bytes
constexpr UINT kMsgBadArrayLength = WM_APP + 0x201;  // throws std::bad_array_new_length
const wchar_t kClassName[] = L"VelmoraOutOfMemoryTest";

char* volatile sink;  // keeps the allocation from being left out

class Allocating : public Control {
  public:
    Allocating() : Control(0, 0) {}
    HWND CreateOwn() {
        RegisterControlClass({kClassName});
        return CreateOwnWindow(0, kClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    }
    HWND TakeOver(HWND hwnd) {
        Subclass(hwnd);
        return hwnd;
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kMsgAllocate) {
            sink = new char[wParam];
            delete[] sink;
        }
        if (msg == kMsgBadArrayLength)
            throw std::bad_array_new_length();
        return DefaultProcessing(msg, wParam, lParam);
    }
};

VELMORA_SCENARIO(OwnWindowAllocatesTooMuch) {
    Allocating control;
    SendMessageW(control.CreateOwn(), kMsgAllocate, 0x7FFFFFF0, 0);
    return 0;
}

VELMORA_SCENARIO(SubclassedWindowAsksForTooLongAnArray) {
    Allocating control;
    HWND hwnd = control.TakeOver(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                                 nullptr, nullptr, nullptr));
    SendMessageW(hwnd, kMsgBadArrayLength, 0, 0);
    return 0;
}

TEST(OutOfMemoryInAWindowProcedure, EndsInTheErrorBoxWithTheRequest) {
    if (sizeof(void*) != 4)
        GTEST_SKIP() << "the requests fail in a 32-bit process only";
    const struct {
        const char* scenario;
        const char* message;
    } cases[] = {
        {"OwnWindowAllocatesTooMuch", "错误信息：分配 2147483632 字节内存失败!"},
        {"SubclassedWindowAsksForTooLongAnArray", "错误信息：分配 -1 字节内存失败!"},
    };
    for (const auto& c : cases) {
        const ScenarioResult r = RunScenario(c.scenario);
        EXPECT_TRUE(r.boxShown) << c.scenario << ": exit code " << r.exitCode;
        EXPECT_EQ(r.boxLines, (std::vector<std::wstring>{W("运行时出错!"), L"", W(c.message), L""}))
            << c.scenario;
        EXPECT_EQ(r.exitCode, 0xFFFFFFFFu) << c.scenario;
    }
}

}  // namespace
}  // namespace velmora::test

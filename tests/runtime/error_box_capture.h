#pragma once
// For death tests of the runtime error service (Windows only): watches for the
// error box ("错误") that a child process shows, reads its text and presses OK, so
// that the child can end with its exit code.
//
//   ErrorBoxCapture box;   // in the parent only, before EXPECT_EXIT
//   EXPECT_EXIT(RaiseSomething(), ::testing::ExitedWithCode(-1), "");
//   EXPECT_EQ(box.Text(), FormatErrorReport(message, code));

#include <windows.h>

#include <atomic>
#include <cwchar>
#include <string>
#include <thread>

#include "runtime/wide_text.h"

namespace velmora::testing {

// True in the child process that runs a death test's statement.
inline bool InDeathTestChild() {
    return std::wcsstr(GetCommandLineW(), L"gtest_internal_run_death_test") != nullptr;
}

class ErrorBoxCapture {
  public:
    ErrorBoxCapture() {
        if (!InDeathTestChild())
            watcher_ = std::thread([this] { Watch(); });
    }
    ~ErrorBoxCapture() { Stop(); }
    ErrorBoxCapture(const ErrorBoxCapture&) = delete;
    ErrorBoxCapture& operator=(const ErrorBoxCapture&) = delete;

    // The text of the box as GBK, once one was seen and closed; "" if none was.
    std::string Text() {
        Stop();
        return text_;
    }
    bool Seen() {
        Stop();
        return seen_;
    }

  private:
    struct Search {
        DWORD ownProcess;
        HWND found;
    };

    static BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
        Search* search = reinterpret_cast<Search*>(param);
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        if (process == search->ownProcess || !IsWindowVisible(hwnd))
            return TRUE;
        wchar_t className[16] = {};
        GetClassNameW(hwnd, className, 16);
        wchar_t title[16] = {};
        GetWindowTextW(hwnd, title, 16);
        if (std::wcscmp(className, L"#32770") == 0 && WideFromGbk("错误") == title) {
            search->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    void Watch() {
        // Up to 30 s: a child under Wine starts in well under a second.
        for (int i = 0; i < 3000 && !stop_; ++i) {
            Search search{GetCurrentProcessId(), nullptr};
            EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
            if (search.found) {
                Read(search.found);
                return;
            }
            Sleep(10);
        }
    }

    void Read(HWND box) {
        // The message box shows its text in the static control 0xFFFF. WM_GETTEXT is
        // carried across processes by the system.
        HWND label = GetDlgItem(box, 0xFFFF);
        wchar_t buffer[2048] = {};
        DWORD_PTR copied = 0;
        if (label) {
            SendMessageTimeoutW(label, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer),
                                SMTO_ABORTIFHUNG, 5000, &copied);
        }
        text_ = GbkFromWide(buffer);
        seen_ = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    void Stop() {
        // Called once the child has ended: by then its box, if it showed one, has
        // been handled, since the child cannot end before OK is pressed.
        if (!watcher_.joinable())
            return;
        stop_ = true;
        watcher_.join();
    }

    std::thread watcher_;
    std::atomic<bool> stop_{false};
    std::string text_;
    bool seen_ = false;
};

}  // namespace velmora::testing

#include "tests/windows/faults/program_scenario_win.h"

#include <tlhelp32.h>

#include <functional>

namespace velmora::faults {

namespace {

const wchar_t kMainTitle[] = L"Velmora电子驱蚊器 v1.0";
const wchar_t kTestTitle[] = L"频率调试";
const wchar_t kBoxTitle[] = L"错误";
const wchar_t kReportStart[] = L"运行时出错!";
constexpr DWORD kErrorExit = 0xFFFFFFFF;
constexpr DWORD kStartMs = 20000;  // the first start of a fresh Wine session is slow
constexpr DWORD kEndMs = 10000;

// Texts are read from the window server (InternalGetWindowText): a program stuck
// in a handler cannot hold the driver up.
std::wstring TextOf(HWND hwnd) {
    wchar_t text[512] = {};
    InternalGetWindowText(hwnd, text, 512);
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

struct Search {
    DWORD pid;
    const wchar_t* text;
    const wchar_t* className;  // null: any
    HWND found;
};

bool Matches(HWND hwnd, const Search& s) {
    return TextOf(hwnd) == s.text &&
           (!s.className || _wcsicmp(ClassOf(hwnd).c_str(), s.className) == 0);
}

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd) || !Matches(hwnd, *s))
        return TRUE;
    s->found = hwnd;
    return FALSE;
}

BOOL CALLBACK FindChild(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    if (!Matches(hwnd, *s))
        return TRUE;
    s->found = hwnd;
    return FALSE;
}

HWND TopLevel(DWORD pid, const wchar_t* title, const wchar_t* className = nullptr) {
    Search s{pid, title, className, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND Button(HWND parent, const wchar_t* caption) {
    Search s{0, caption, L"Button", nullptr};
    EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The message of a message box: its static control that shows no icon.
std::wstring BoxMessage(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0 &&
            !(GetWindowLongW(child, GWL_STYLE) & SS_ICON)) {
            return TextOf(child);
        }
    }
    return std::wstring();
}

// Where each thread of a stalled program is: its instruction pointer, then the
// return addresses up its chain of frame pointers (the program is built with them).
std::vector<std::vector<void*>> ThreadStacks(HANDLE process, DWORD pid) {
    std::vector<std::vector<void*>> stacks;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return stacks;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != pid)
            continue;
        HANDLE thread =
            OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, entry.th32ThreadID);
        if (!thread)
            continue;
        SuspendThread(thread);
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL;
        std::vector<void*> stack;
        if (GetThreadContext(thread, &context)) {
            stack.push_back(reinterpret_cast<void*>(context.Eip));
            DWORD frame = context.Ebp;
            for (int i = 0; i < 24 && frame; ++i) {
                DWORD pair[2] = {};  // the caller's frame pointer, the return address
                SIZE_T got = 0;
                if (!ReadProcessMemory(process, reinterpret_cast<void*>(frame), pair, sizeof pair,
                                       &got) ||
                    got != sizeof pair || pair[0] <= frame) {
                    break;
                }
                stack.push_back(reinterpret_cast<void*>(pair[1]));
                frame = pair[0];
            }
        }
        stacks.push_back(stack);
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return stacks;
}

class Run {
  public:
    Run(HANDLE process, DWORD pid, DWORD stepMs) : process_(process), pid_(pid), stepMs_(stepMs) {}
    ScenarioResult Drive();

  private:
    enum class Seen { kReady, kEnded, kBox, kTimeout };

    // What comes first within `ms`: the end, the error box (unless `boxSeen`), `ready`.
    Seen Watch(const std::function<bool()>& ready, DWORD ms, bool boxSeen = false);
    // Waits until `ready`; false when the program left the scenario: it ended, showed
    // the box, or `ready` did not come in time (then `step` is the one missed).
    bool Await(const wchar_t* step, const std::function<bool()>& ready, DWORD ms = 0);
    // Lets the program run for `ms`; false when it ended or showed the box meanwhile.
    bool Pause(DWORD ms);
    bool Click(HWND button);
    bool Close(HWND window);
    bool PressTestButtons(HWND testWindow);
    ScenarioResult Finish();

    HANDLE process_;
    DWORD pid_;
    DWORD stepMs_;
    Seen last_ = Seen::kReady;
    std::wstring missed_;
};

Run::Seen Run::Watch(const std::function<bool()>& ready, DWORD ms, bool boxSeen) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (WaitForSingleObject(process_, 0) == WAIT_OBJECT_0)
            return Seen::kEnded;
        if (!boxSeen && TopLevel(pid_, kBoxTitle, L"#32770"))
            return Seen::kBox;
        if (ready && ready())
            return Seen::kReady;
        if (GetTickCount() - start >= ms)
            return Seen::kTimeout;
        Sleep(5);
    }
}

bool Run::Await(const wchar_t* step, const std::function<bool()>& ready, DWORD ms) {
    last_ = Watch(ready, ms ? ms : stepMs_);
    if (last_ == Seen::kTimeout)
        missed_ = step;
    return last_ == Seen::kReady;
}

bool Run::Pause(DWORD ms) {
    last_ = Watch(nullptr, ms);
    if (last_ == Seen::kTimeout)
        last_ = Seen::kReady;
    return last_ == Seen::kReady;
}

bool Run::Click(HWND button) {
    // Posted: a handler that shows a box or runs a modal window would hold a sender.
    PostMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool Run::Close(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return true;
}

bool Run::PressTestButtons(HWND test) {
    HWND play = nullptr, sweep = nullptr, stop = nullptr;
    return Await(L"test window buttons",
                 [&] {
                     play = Button(test, L"播放");
                     sweep = Button(test, L"连续播放");
                     stop = Button(test, L"停止播放");
                     return play && sweep && stop;
                 }) &&
           Click(play) && Pause(50) && Click(sweep) && Pause(150) && Click(stop) && Pause(50);
}

ScenarioResult Run::Drive() {
    HWND main = nullptr, play = nullptr, settings = nullptr, test = nullptr;
    const bool completed =
        Await(
            L"main window", [&] { return (main = TopLevel(pid_, kMainTitle)) != nullptr; },
            kStartMs) &&
        Await(L"main window buttons",
              [&] {
                  play = Button(main, L"播放");
                  settings = Button(main, L"设置");
                  return play && settings;
              }) &&
        Click(play) && Await(L"playing", [&] { return TextOf(play) == L"停止"; }) && Pause(300) &&
        Click(play) && Await(L"stopped", [&] { return TextOf(play) == L"播放"; }) &&
        Click(settings) &&
        Await(L"test window", [&] { return (test = TopLevel(pid_, kTestTitle)) != nullptr; }) &&
        PressTestButtons(test) && Close(test) &&
        Await(L"test window closed", [&] { return !IsWindow(test) || !IsWindowVisible(test); }) &&
        Close(main);
    if (completed)
        Await(L"end", nullptr, kEndMs);
    return Finish();
}

ScenarioResult Run::Finish() {
    ScenarioResult result;
    result.missedStep = missed_;
    if (last_ == Seen::kTimeout || last_ == Seen::kReady) {
        // Left the scenario on a stalled step: the windows still shown are closed,
        // the test window first.
        for (const wchar_t* title : {kTestTitle, kMainTitle}) {
            if (HWND w = TopLevel(pid_, title))
                PostMessageW(w, WM_CLOSE, 0, 0);
            if (Watch(nullptr, 500) != Seen::kTimeout)
                break;
        }
        last_ = Watch(nullptr, kEndMs);
    }
    if (last_ == Seen::kBox) {
        HWND box = TopLevel(pid_, kBoxTitle, L"#32770");
        // Its text may still be on the way.
        for (int i = 0; i < 100 && box && BoxMessage(box).empty(); ++i)
            Sleep(10);
        result.boxText = box ? BoxMessage(box) : std::wstring();
        if (box)
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        last_ = Watch(nullptr, kEndMs, true);
        if (last_ == Seen::kEnded) {
            GetExitCodeProcess(process_, &result.exitCode);
            result.outcome =
                result.exitCode == kErrorExit &&
                        result.boxText.compare(0, wcslen(kReportStart), kReportStart) == 0
                    ? Outcome::kErrorBox
                    : Outcome::kUnexpectedBox;
        }
    }
    if (last_ == Seen::kEnded && result.boxText.empty()) {
        GetExitCodeProcess(process_, &result.exitCode);
        result.outcome = result.exitCode == 0 ? Outcome::kNormal : Outcome::kCrash;
    }
    if (last_ == Seen::kTimeout) {
        result.outcome = Outcome::kHang;
    }
    if (result.outcome == Outcome::kHang) {
        result.threadStacks = ThreadStacks(process_, pid_);
        TerminateProcess(process_, 0xDEAD);
        WaitForSingleObject(process_, kEndMs);
    }
    return result;
}

}  // namespace

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::kNormal:
            return "normal end";
        case Outcome::kErrorBox:
            return "error box";
        case Outcome::kUnexpectedBox:
            return "UNEXPECTED BOX";
        case Outcome::kCrash:
            return "CRASH";
        case Outcome::kHang:
            return "HANG";
        case Outcome::kNotStarted:
            return "NOT STARTED";
    }
    return "?";
}

ScenarioResult RunProgramScenario(const std::wstring& exePath, DWORD stepMs) {
    std::wstring folder = exePath.substr(0, exePath.find_last_of(L"\\/"));
    std::wstring command = L"\"" + exePath + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &si, &pi)) {
        return ScenarioResult{};
    }
    CloseHandle(pi.hThread);
    ScenarioResult result = Run(pi.hProcess, pi.dwProcessId, stepMs).Drive();
    CloseHandle(pi.hProcess);
    return result;
}

}  // namespace velmora::faults

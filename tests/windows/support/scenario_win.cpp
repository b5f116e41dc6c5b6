#include "support/scenario.h"

#include <cstring>
#include <map>
#include <string>

#include "runtime/wide_text.h"

namespace velmora::test {

namespace {

constexpr char kScenarioFlag[] = "--velmora-scenario=";
constexpr DWORD kBoxWaitMs = 20000;

std::map<std::string, ScenarioFunction>& Scenarios() {
    static std::map<std::string, ScenarioFunction> scenarios;
    return scenarios;
}

struct BoxSearch {
    DWORD pid;
    HWND box;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (pid == search->pid && wcscmp(cls, L"#32770") == 0 && IsWindowVisible(hwnd)) {
        search->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring ControlText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(n + 1, L'\0');
    GetWindowTextW(hwnd, &text[0], n + 1);
    text.resize(n);
    return text;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(L"\r\n", start);
        if (at == std::wstring::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
}

// The message text of a message box: the static control that is not the icon.
std::wstring BoxMessage(HWND box, UINT& icon) {
    std::wstring message;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Static") != 0) continue;
        if (GetWindowLongW(child, GWL_STYLE) & SS_ICON) {
            HICON shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            if (shown) icon = MB_ICONERROR;
            continue;
        }
        std::wstring text = ControlText(child);
        if (!text.empty()) message = text;
    }
    return message;
}

ScenarioResult RunAndReadBox(std::wstring commandLine, const std::wstring& workingDir) {
    ScenarioResult result;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &si, &pi)) {
        return result;
    }
    CloseHandle(pi.hThread);
    const DWORD start = GetTickCount();
    BoxSearch search{pi.dwProcessId, nullptr};
    while (GetTickCount() - start < kBoxWaitMs) {
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        search.box = nullptr;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.box) break;
        Sleep(20);
    }
    if (search.box) {
        Sleep(50);  // let the box finish laying out its controls
        result.boxShown = true;
        result.boxTitle = ControlText(search.box);
        result.boxLines = SplitLines(BoxMessage(search.box, result.boxIcon));
        PostMessageW(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    if (WaitForSingleObject(pi.hProcess, kBoxWaitMs) == WAIT_OBJECT_0) {
        result.exited = true;
        GetExitCodeProcess(pi.hProcess, &result.exitCode);
    } else {
        TerminateProcess(pi.hProcess, 99);
    }
    CloseHandle(pi.hProcess);
    return result;
}

std::wstring ThisExecutable() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace

ScenarioRegistrar::ScenarioRegistrar(const char* name, ScenarioFunction run) {
    Scenarios()[name] = run;
}

ScenarioResult RunScenario(const char* name, const std::wstring& marker) {
    if (!marker.empty()) {
        DeleteFileW(marker.c_str());
        SetEnvironmentVariableW(L"VELMORA_MARKER", marker.c_str());
    }
    std::wstring cmd = L"\"" + ThisExecutable() + L"\" " + WideFromGbk(std::string(kScenarioFlag) + name);
    return RunAndReadBox(cmd, L"");
}

ScenarioResult RunProgram(const std::wstring& exePath, const std::wstring& workingDir) {
    return RunAndReadBox(L"\"" + exePath + L"\"", workingDir);
}

const char* ScenarioArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kScenarioFlag, sizeof kScenarioFlag - 1) == 0) {
            return argv[i] + sizeof kScenarioFlag - 1;
        }
    }
    return nullptr;
}

int RunNamedScenario(const char* name) {
    auto it = Scenarios().find(name);
    if (it == Scenarios().end()) return 98;
    return it->second();
}

std::wstring W(const char* gbk) { return WideFromGbk(gbk); }

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"velmora-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace velmora::test

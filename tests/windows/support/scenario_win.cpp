#include "support/scenario_win.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "runtime/wide_text.h"
#include "runtime/win_handles_win.h"
#include "ui/picture/dib_canvas_win.h"

namespace velmora::test {

namespace {

constexpr char kScenarioFlag[] = "--velmora-scenario=";
constexpr DWORD kBoxWaitMs = 20000;
constexpr DWORD kIconWaitMs = 3000;

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

// What a window shows on the screen, as 32-bit pixels (the desktop is shared, so
// this works for windows of other processes too).
std::string CaptureWindow(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    const int w = r.right, h = r.bottom;
    if (w <= 0 || h <= 0)
        return std::string();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    const WindowDc screen(nullptr);
    DibCanvas canvas(w, h);
    BitBlt(canvas.dc(), 0, 0, w, h, screen.get(), origin.x, origin.y, SRCCOPY);
    const std::vector<uint32_t> bits = canvas.Pixels();
    std::string pixels(bits.size() * 4, '\0');
    std::memcpy(&pixels[0], bits.data(), pixels.size());
    return pixels;
}

HWND IconControl(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_ICON))
            return child;
    }
    return nullptr;
}

bool HasSeveralColours(const std::string& pixels) {
    for (size_t i = 4; i + 4 <= pixels.size(); i += 4) {
        if (pixels.compare(i, 4, pixels, 0, 4) != 0)
            return true;
    }
    return false;
}

DWORD WINAPI ShowReferenceBox(LPVOID title) {
    MessageBoxW(nullptr, L"x", static_cast<const wchar_t*>(title), MB_OK | MB_ICONERROR);
    return 0;
}

// How the error icon looks in a message box: one shown by this process, captured once.
std::string CaptureErrorIcon() {
    std::string pixels;
    const wchar_t kTitle[] = L"velmora-error-icon-reference";
    HANDLE thread =
        CreateThread(nullptr, 0, ShowReferenceBox, const_cast<wchar_t*>(kTitle), 0, nullptr);
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
        Sleep(20);
        box = FindWindowW(L"#32770", kTitle);
    }
    if (box) {
        // The screen shows the icon a little after the box paints it: taken once it
        // has shown more than one colour and stayed the same for a moment.
        if (HWND icon = IconControl(box)) {
            std::string previous;
            for (int i = 0; i < 60; ++i) {
                Sleep(50);
                std::string now = CaptureWindow(icon);
                if (now == previous && HasSeveralColours(now)) {
                    pixels = now;
                    break;
                }
                previous = now;
            }
        }
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    return pixels;
}

const std::string& ErrorIconPixels() {
    static const std::string pixels = CaptureErrorIcon();  // once, whichever thread asks
    return pixels;
}

// The message text of a message box: the static control that is not the icon.
std::wstring BoxMessage(HWND box, UINT& icon) {
    std::wstring message;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Static") != 0)
            continue;
        if (GetWindowLongW(child, GWL_STYLE) & SS_ICON) {
            // The icon handle belongs to the box's process: compare what it shows.
            if (!SendMessageW(child, STM_GETICON, 0, 0))
                continue;
            std::string pixels = CaptureWindow(child);
            icon = !pixels.empty() && pixels == ErrorIconPixels() ? MB_ICONERROR : MB_USERICON;
            continue;
        }
        std::wstring text = ControlText(child);
        if (!text.empty())
            message = text;
    }
    return message;
}

ScenarioResult RunAndReadBox(std::wstring commandLine, const std::wstring& workingDir) {
    ScenarioResult result;
    ErrorIconPixels();  // the reference box first, while no other box is up
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
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
            break;
        search.box = nullptr;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.box)
            break;
        Sleep(20);
    }
    if (search.box) {
        Sleep(50);  // let the box finish laying out its controls
        result.boxShown = true;
        result.boxTitle = ControlText(search.box);
        // The icon reaches the screen a little after the box paints it, later still on
        // a busy machine: it is looked at again for a while before it counts as other.
        std::wstring message;
        for (DWORD since = GetTickCount(); ; Sleep(50)) {
            message = BoxMessage(search.box, result.boxIcon);
            if (result.boxIcon == MB_ICONERROR || GetTickCount() - since > kIconWaitMs)
                break;
        }
        result.boxLines = SplitLines(message);
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

ScenarioResult RunScenario(const char* name, const std::wstring& marker,
                           const std::wstring& workingDir) {
    if (!marker.empty()) {
        DeleteFileW(marker.c_str());
        SetEnvironmentVariableW(L"VELMORA_MARKER", marker.c_str());
    }
    std::wstring cmd =
        L"\"" + ThisExecutable() + L"\" " + WideFromGbk(std::string(kScenarioFlag) + name);
    ScenarioResult result = RunAndReadBox(cmd, workingDir);
    if (!marker.empty())
        SetEnvironmentVariableW(L"VELMORA_MARKER", nullptr);
    return result;
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
    if (it == Scenarios().end())
        return 98;
    return it->second();
}

void AppendMarker(const std::string& line) {
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"VELMORA_MARKER", path, MAX_PATH))
        return;
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<std::string> ReadMarker(const std::wstring& path) {
    std::vector<std::string> lines;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    size_t start = 0;
    for (size_t at; (at = text.find('\n', start)) != std::string::npos; start = at + 1) {
        lines.push_back(text.substr(start, at - start));
    }
    return lines;
}

std::wstring ExecutableFolder() {
    std::wstring path = ThisExecutable();
    return path.substr(0, path.rfind(L'\\'));
}

std::wstring W(const char* gbk) {
    return WideFromGbk(gbk);
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"velmora-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace velmora::test

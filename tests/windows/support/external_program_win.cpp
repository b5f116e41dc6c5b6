#include "support/external_program_win.h"

#include "support/scenario_win.h"

namespace velmora::test {

namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK FindProgramWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hwnd))
        return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    if (*search->title == text) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ExternalProgram::ExternalProgram(const std::wstring& exePath, const std::wstring& workingDir) {
    std::wstring command = L"\"" + exePath + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                       workingDir.empty() ? nullptr : workingDir.c_str(), &si, &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        processId_ = pi.dwProcessId;
        WaitForInputIdle(process_, 10000);
    }
}

ExternalProgram::~ExternalProgram() {
    if (!process_)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_, 1);
    CloseHandle(process_);
}

HWND ExternalProgram::WaitForWindow(const std::wstring& title, DWORD ms) const {
    const DWORD start = GetTickCount();
    do {
        WindowSearch search{processId_, &title, nullptr};
        EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

HWND ExternalProgram::FocusedWindow(HWND anyOfItsWindows) const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(anyOfItsWindows, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

void ExternalProgram::PostKey(HWND hwnd, WORD vk) const {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(hwnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageW(hwnd, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
}

bool ExternalProgram::WaitForExit(DWORD ms, DWORD& exitCode) const {
    if (!process_ || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_, &exitCode) != FALSE;
}

std::vector<std::wstring> ChildTexts(HWND parent, const wchar_t* className) {
    std::vector<std::wstring> texts;
    for (HWND c = FindWindowExW(parent, nullptr, className, nullptr); c;
         c = FindWindowExW(parent, c, className, nullptr)) {
        wchar_t text[256] = {};
        GetWindowTextW(c, text, 256);
        texts.push_back(text);
    }
    return texts;
}

std::wstring BuildFolder() {
    return ExecutableFolder() + L"\\..\\..";
}

}  // namespace velmora::test

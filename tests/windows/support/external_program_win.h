#pragma once
// Another executable run by a test as a user would run it: started in a folder,
// its windows found by title, driven by posted input, its end awaited.

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::test {

class ExternalProgram {
  public:
    // Starts the executable in `workingDir` (empty: this process's).
    explicit ExternalProgram(const std::wstring& exePath, const std::wstring& workingDir = L"");
    ~ExternalProgram();  // ends the process if it still runs
    ExternalProgram(const ExternalProgram&) = delete;
    ExternalProgram& operator=(const ExternalProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    // Its visible top-level window of this title, waited for up to `ms`; null if none.
    HWND WaitForWindow(const std::wstring& title, DWORD ms = 10000) const;
    // The window that has the keyboard focus in its user-interface thread.
    HWND FocusedWindow(HWND anyOfItsWindows) const;
    // Posts a key press (down and up) to a window of the program.
    void PostKey(HWND hwnd, WORD vk) const;
    // Waits up to `ms` for the end; true with the exit code when it ended.
    bool WaitForExit(DWORD ms, DWORD& exitCode) const;

  private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// The texts of a window's direct children of a class.
std::vector<std::wstring> ChildTexts(HWND parent, const wchar_t* className);
// The folder of this test executable's build tree, for the program's executables.
std::wstring BuildFolder();

}  // namespace velmora::test

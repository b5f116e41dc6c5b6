#pragma once
// The Windows functions a hyperlink box opens its address with; tests put
// recorders in their place.

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

namespace velmora {

struct LinkShellFunctions {
    HINSTANCE(WINAPI* shellExecute)
    (HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
     INT show) = ShellExecuteA;
    UINT(WINAPI* winExec)(LPCSTR commandLine, UINT show) = WinExec;
    // The default value of a key under HKEY_CLASSES_ROOT.
    std::optional<std::string> (*classesRootDefault)(const std::string& key) = nullptr;
};
LinkShellFunctions& LinkShell();

// The default value of HKEY_CLASSES_ROOT\key, read safely: a text of at most
// MAX_PATH bytes with or without its terminator; nullopt when the key cannot be
// opened, the value is missing, is not text or does not fit.
std::optional<std::string> ReadClassesRootDefault(const std::string& key);

// Opens the address: the shell first, then the ".htm" program's command line.
// Answers whether it succeeded.
bool OpenLink(const std::string& address);

}  // namespace velmora

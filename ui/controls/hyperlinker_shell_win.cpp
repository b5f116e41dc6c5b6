#include "ui/controls/hyperlinker_shell_win.h"

#include <algorithm>
#include <cstring>

#include "ui/controls/link_opening.h"

namespace velmora {

LinkShellFunctions& LinkShell() {
    static LinkShellFunctions functions{ShellExecuteA, WinExec, ReadClassesRootDefault};
    return functions;
}

std::optional<std::string> ReadClassesRootDefault(const std::string& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
        return std::nullopt;
    // Room for a value of MAX_PATH bytes and the terminator the registry may add;
    // one byte more is never handed out, so the text always ends inside.
    char buffer[MAX_PATH + 2] = {};
    DWORD type = 0;
    DWORD size = MAX_PATH + 1;
    const LSTATUS status =
        RegQueryValueExA(h, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    const size_t length = strnlen(buffer, std::min<size_t>(size, MAX_PATH + 1));
    if (length > MAX_PATH)
        return std::nullopt;
    return std::string(buffer, length);
}

bool OpenLink(const std::string& address) {
    LinkShellFunctions& shell = LinkShell();
    const auto answer = reinterpret_cast<INT_PTR>(
        shell.shellExecute(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOW));
    if (answer > 32)
        return true;
    const std::optional<std::string> type = shell.classesRootDefault(".htm");
    if (!type)
        return false;
    const std::optional<std::string> line =
        shell.classesRootDefault(*type + "\\shell\\open\\command");
    if (!line)
        return false;
    const std::optional<std::string> command = FallbackCommand(*line, address);
    return command && shell.winExec(command->c_str(), SW_SHOW) > 32;
}

}  // namespace velmora

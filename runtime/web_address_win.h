#pragma once
// Opening a web address in the user's browser through the Windows shell (Windows
// only): the service command of the third library.

#include <windows.h>
#include <shellapi.h>

#include "runtime/typed_value.h"

namespace velmora {

// Opened when the caller leaves the address out: a bare host name.
constexpr const char* kDefaultWebAddress = "www.velmora.example";

// The service command, one optional text argument: the address, used unchanged
// (the default address when the argument is omitted, tag 0; null is the empty
// text; an argument that is not a text opens nothing). The owner window is the
// first top-level window titled exactly "Microsoft Internet Explorer", if any; the shell is asked
// to "open" the address with SW_SHOWNORMAL. Whatever the shell answers is ignored: nothing is
// reported and the result record is left untouched.
void OpenWebAddress(TypedValue* result, int argCount, const TypedValue* args);

// The user32 and shell32 functions that OpenWebAddress uses; tests put recorders
// in their place.
struct WebShellFunctions {
    HWND(WINAPI* findWindow)
    (HWND parent, HWND childAfter, LPCSTR className, LPCSTR title) = FindWindowExA;
    HINSTANCE(WINAPI* shellExecute)
    (HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
     INT show) = ShellExecuteA;
};
WebShellFunctions& WebAddressShell();

}  // namespace velmora

#pragma once
// The table of the program's declared external functions (Windows only).

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/win_handles_win.h"

namespace velmora {

struct ExternalDeclaration {
    std::string libraryName;  // as passed to LoadLibraryA
    std::string entryName;    // as passed to GetProcAddress
    FARPROC boundAddress = nullptr;
    UniqueLibrary library;  // loaded by the first successful binding
};

// Index of `Beep` in kernel32, the program's one declaration.
constexpr int kBeepDeclaration = 0;

// The table, addressed by declaration index.
std::vector<ExternalDeclaration>& ExternalTable();
// Sets the table up from the program's data: nothing loaded, nothing bound.
void ResetExternalTable();
// Releases every library a binding loaded and forgets the table.
void ReleaseExternalLibraries();

}  // namespace velmora

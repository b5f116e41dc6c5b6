#pragma once
// Calling the program's declared external functions (Windows only): each is bound
// on its first call and called with a check of the stack pointer afterwards.

#include <windows.h>

#include <cstdint>
#include <type_traits>

namespace velmora {

// The address of declaration `index` of the external table (runtime/external_table.h).
// The first call loads the library: the program folder, a backslash and the
// library name first, then the name alone (only the name when it holds a colon);
// only the first library that loads is searched for the entry. The library stays
// loaded until ReleaseExternalLibraries. When no library loads or the entry is
// missing, the library is released and the runtime error "无法找到指定DLL库文件“%s”
// 中的输出命令“%s”" ends the program. Later calls return the bound address.
FARPROC BindExternal(int index);

// Calls declaration `index` with `count` 32-bit arguments, pushed from last to
// first as the system's calling convention wants, and returns what it returns in
// EAX. The stack pointer is noted before the arguments are pushed and compared
// after the call; when the function removed more or fewer bytes than were pushed
// (its convention or argument count does not match), runtime error 6 ends the
// program.
uint32_t CallExternalArguments(int index, const uint32_t* args, int count);

// CallExternal(kBeepDeclaration, frequency, duration): each argument goes as its
// 32-bit value (-1 arrives as 0xFFFFFFFF).
template <typename... Args>
uint32_t CallExternal(int index, Args... args) {
    static_assert((std::is_integral_v<Args> && ...), "arguments are 32-bit integers");
    const uint32_t values[] = {static_cast<uint32_t>(args)..., 0};
    return CallExternalArguments(index, values, static_cast<int>(sizeof...(Args)));
}

// The library functions that binding uses; tests put recorders in their place.
struct LibraryFunctions {
    HMODULE(WINAPI* load)(LPCSTR name) = LoadLibraryA;
    BOOL(WINAPI* release)(HMODULE library) = FreeLibrary;
};
LibraryFunctions& ExternalLibraryFunctions();

}  // namespace velmora

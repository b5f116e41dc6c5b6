#pragma once
// A library of the program: control types and service commands. The runtime
// initialises the program's three libraries in their stored order at start-up and
// tells them when the program ends.

#include <cstdint>
#include <vector>

#include "runtime/typed_value.h"

namespace velmora {

struct ControlType;  // what the window loader builds controls from

// Notification codes between the runtime and a library.
enum : int {
    kLibraryInitialise = 1,  // the runtime hands over its notification entry
    kLibraryProgramEnding = 2,
};

// The runtime's notification entry, which libraries may call back.
using RuntimeNotifyEntry = int (*)(int code, uintptr_t a, uintptr_t b);

struct ControlLibrary {
    struct TypeEntry {
        uint16_t typeNumber;  // counted from 1 within the library
        const ControlType* type;
    };
    const char* name;
    std::vector<TypeEntry> types;
    std::vector<ServiceCommand> commands;
    // Answers -1 for a code it does not know.
    int (*notify)(int code, RuntimeNotifyEntry entry);
};

// The notification of a library that needs nothing from the runtime: it knows the
// start and the end, and no other code.
inline int NotifyStartAndEnd(int code, RuntimeNotifyEntry) {
    return code == kLibraryInitialise || code == kLibraryProgramEnding ? 0 : -1;
}

// Library 3, opening web addresses (runtime/web_library_win.cpp).
const ControlLibrary& WebLibrary();

}  // namespace velmora

#pragma once
// A raw own-property value as a control type holds it.

#include <cstdint>
#include <string>

namespace velmora {

// Numbers in `number` (32-bit kinds in its low half); texts (without terminator),
// byte data and font records in `bytes`.
struct RawValue {
    uint64_t number = 0;
    std::string bytes;
};

// What an own-property write comes to: the value is stored (and shown where it
// shows), or it takes effect only by re-creating the control.
enum class WriteOutcome {
    kStored,
    kRecreate,
};

}  // namespace velmora

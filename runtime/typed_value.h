#pragma once
// The one shape in which values cross a service-command call.

#include <cstdint>

namespace velmora {

// Kind tags. Numeric kinds follow 0x80000n01 for numeric kind n.
enum : uint32_t {
    kTagOmitted = 0,  // an argument that the caller left out
    kTagByte = 0x80000101,
    kTagShort = 0x80000201,
    kTagInteger = 0x80000301,
    kTagLong = 0x80000401,
    kTagFloat = 0x80000501,
    kTagDouble = 0x80000601,
    kTagLogical = 0x80000002,
    kTagText = 0x80000004,
    kTagByteData = 0x80000005,  // pointer to a byte-data block (text_block.h)
};

struct TypedValue {
    uint32_t low = 0;   // the value, its low half, or a pointer for texts
    uint32_t high = 0;  // the high half of 64-bit kinds
    uint32_t tag = 0;   // kind; 0 = omitted
};
static_assert(sizeof(TypedValue) == 12, "three 32-bit fields");

// A service command of the runtime or a control library: fills in `result`
// (which the caller zeroed) from `argCount` arguments.
using ServiceCommand = void (*)(TypedValue* result, int argCount, const TypedValue* args);

// Calls a service command the way every caller does: result zeroed first.
inline TypedValue CallServiceCommand(ServiceCommand command, int argCount, const TypedValue* args) {
    TypedValue result;
    command(&result, argCount, args);
    return result;
}

// Typed values of the kinds the program uses. A text value holds a pointer in low;
// in native 64-bit builds its upper half goes into high.
TypedValue MakeInteger(int32_t v);
TypedValue MakeLogical(bool v);
TypedValue MakeDouble(double v);
TypedValue MakeText(const char* text);
double DoubleOf(const TypedValue& v);
const char* TextOf(const TypedValue& v);

}  // namespace velmora

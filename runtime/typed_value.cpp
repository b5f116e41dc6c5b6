#include "runtime/typed_value.h"

#include <cstring>

namespace velmora {

TypedValue MakeInteger(int32_t v) {
    return {static_cast<uint32_t>(v), 0, kTagInteger};
}

TypedValue MakeLogical(bool v) {
    return {v ? 1u : 0u, 0, kTagLogical};
}

TypedValue MakeDouble(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return {static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32), kTagDouble};
}

TypedValue MakeText(const char* text) {
    uint64_t p = reinterpret_cast<uintptr_t>(text);
    return {static_cast<uint32_t>(p), static_cast<uint32_t>(p >> 32), kTagText};
}

double DoubleOf(const TypedValue& v) {
    uint64_t bits = v.low | (static_cast<uint64_t>(v.high) << 32);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

const char* TextOf(const TypedValue& v) {
    uint64_t p = v.low;
    if (sizeof(void*) > 4)
        p |= static_cast<uint64_t>(v.high) << 32;
    return reinterpret_cast<const char*>(static_cast<uintptr_t>(p));
}

}  // namespace velmora

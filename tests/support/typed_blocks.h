#pragma once
// Texts and byte data as property reads return them, and little-endian dwords
// inside stored byte blocks.

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/text_block.h"
#include "runtime/typed_value.h"

namespace velmora::test {

// The contents of a text read, freed (null gives "").
inline std::string TakeText(const TypedValue& v) {
    BlockOwner owner(const_cast<char*>(TextOf(v)));
    return TextOf(v) ? TextOf(v) : "";
}

// The contents of a byte-data read, freed (null gives no bytes).
inline std::string TakeBytes(const TypedValue& v) {
    const auto* block = reinterpret_cast<const uint8_t*>(TextOf(v));
    BlockOwner owner(const_cast<uint8_t*>(block));
    return block ? ByteBlockContents(block) : std::string();
}

// Writes and reads a little-endian dword at `at` of a byte block.
inline void PutU32(std::string& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(v >> (8 * i));
}
inline int32_t GetI32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<int32_t>(v);
}

}  // namespace velmora::test

#pragma once
// What the handlers read from an edit box (Windows only).

#include <cstdint>

namespace velmora {

// The number in an edit box's Content (property 8), truncated toward zero, low 32
// bits. The text block read is freed; null counts as the empty text.
int32_t ReadContentAsInteger(uint32_t windowId, uint32_t unitId);

}  // namespace velmora

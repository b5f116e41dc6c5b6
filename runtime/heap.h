#pragma once
// The runtime allocator's heap: the process heap in the program, malloc natively.

#include <cstddef>

namespace velmora {

// n bytes, or the out-of-memory runtime error (which does not return).
void* HeapAllocateOrFail(size_t n);
void HeapRelease(void* p);

}  // namespace velmora

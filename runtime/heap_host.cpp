#include <cstdlib>

#include "runtime/error_service.h"
#include "runtime/heap.h"

namespace velmora {

void* HeapAllocateOrFail(size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p)
        RaiseErrorMessage(FormatOutOfMemory(n).text);
    return p;
}

void HeapRelease(void* p) {
    std::free(p);
}

}  // namespace velmora

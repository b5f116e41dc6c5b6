#include <windows.h>

#include "runtime/error_service.h"
#include "runtime/heap.h"
#include "runtime/runtime_state.h"

namespace velmora {

namespace {

HANDLE RuntimeHeap() {
    HANDLE heap = Runtime().heap;
    return heap ? heap : GetProcessHeap();
}

}  // namespace

void* HeapAllocateOrFail(size_t n) {
    void* p = HeapAlloc(RuntimeHeap(), 0, n);
    if (!p)
        RaiseErrorMessage(FormatOutOfMemory(n).c_str());
    return p;
}

void HeapRelease(void* p) {
    HeapFree(RuntimeHeap(), 0, p);
}

}  // namespace velmora

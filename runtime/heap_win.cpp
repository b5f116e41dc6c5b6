#include <windows.h>

#include "runtime/allocation_faults.h"
#include "runtime/error_service.h"
#include "runtime/heap.h"
#include "runtime/runtime_state_win.h"

namespace velmora {

namespace {

HANDLE RuntimeHeap() {
    HANDLE heap = Runtime().heap;
    return heap ? heap : GetProcessHeap();
}

}  // namespace

void* HeapAllocateOrFail(size_t n) {
    void* p = AllocationFaultDue(AllocationKind::kRuntimeHeap, n) ? nullptr
                                                                  : HeapAlloc(RuntimeHeap(), 0, n);
    if (!p)
        RaiseErrorMessage(FormatOutOfMemory(n).text);
    return p;
}

void HeapRelease(void* p) {
    HeapFree(RuntimeHeap(), 0, p);
}

}  // namespace velmora

#pragma once
// What the allocation-fault build of the program tells the driver that started
// it: a record in memory shared through a named file mapping, so that it outlives
// the program however the program ends. Both sides are 32-bit, built together.

#include <windows.h>

namespace velmora::faults {

// Names the mapping that holds the record (set by the driver).
constexpr wchar_t kRecordVariable[] = L"VELMORA_ALLOCATION_RECORD";
// The allocation to fail, counted from 1 over both allocators together; unset or 0
// fails none. "n+" fails the n-th and every one after it, as when memory has run out.
constexpr wchar_t kFailVariable[] = L"VELMORA_FAIL_ALLOCATION";

constexpr int kStackDepth = 24;

enum class Ending : LONG { kNone, kTerminate, kException };

struct AllocationRecord {
    volatile LONG runtimeHeap;  // allocations counted, each allocator
    volatile LONG operatorNew;
    // The (first) allocation that was failed: 0 none, 1 runtime heap, 2 operator new.
    LONG failedKind;
    LONG failedBytes;
    LONG failedOnMainThread;
    void* failedStack[kStackDepth];  // return addresses, innermost first
    // How the program ended when it did not end by itself.
    Ending ending;
    DWORD exceptionCode;
    void* exceptionAddress;
    void* endingStack[kStackDepth];
};

}  // namespace velmora::faults

#include "tests/windows/soak/resource_sample_win.h"

#include <windows.h>

#include <cstdint>

namespace velmora::soak {

namespace {

// Room left in the GDI handle table for the program's own objects, more than it
// ever holds at once (canvases, fonts, the balloon's bitmaps).
constexpr size_t kGdiRoom = 4000;
constexpr size_t kGdiCountedUpTo = kGdiRoom + 1000;

// Handle values are multiples of 4 from 4; this process holds far fewer than this.
constexpr uintptr_t kHighestHandleValue = 0x10000;

unsigned KernelHandles() {
    unsigned count = 0;
    for (uintptr_t value = 4; value < kHighestHandleValue; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM param) {
    ++*reinterpret_cast<unsigned*>(param);
    EnumChildWindows(hwnd, CountWindow, param);
    return TRUE;
}

unsigned ThreadWindows() {
    unsigned count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

void CountHeapBlocks(size_t& blocks, size_t& bytes) {
    HANDLE heaps[128];
    const DWORD total = GetProcessHeaps(128, heaps);
    for (DWORD i = 0; i < total && i < 128; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                ++blocks;
                bytes += entry.cbData;
            }
        }
        HeapUnlock(heaps[i]);
    }
}

}  // namespace

ResourceSampler::ResourceSampler() : gdi_(kGdiRoom) {
    gdi_.CountFree(kGdiCountedUpTo);  // the probe's list gets its room now
}

ResourceSample ResourceSampler::Take() const {
    ResourceSample s;
    s.kernelHandles = KernelHandles();
    s.gdiObjects = static_cast<long>(kGdiRoom) - static_cast<long>(gdi_.CountFree(kGdiCountedUpTo));
    s.windows = ThreadWindows();
    CountHeapBlocks(s.heapBlocks, s.heapBytes);
    return s;
}

}  // namespace velmora::soak

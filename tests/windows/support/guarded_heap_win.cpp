#include "support/guarded_heap.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "runtime/out_of_memory.h"

namespace velmora::test {

namespace {

// Blocks handed out while guarding (never reused: at most this many per process).
constexpr int kMaxGuarded = 16384;
void* guarded[kMaxGuarded];
std::atomic<int> guardedCount{0};
std::atomic<bool> guarding{false};
std::atomic<int> deletions{0};
std::atomic<DWORD> guardingThread{0};

bool IsGuarded(void* p) {
    const int n = guardedCount.load();
    for (int i = 0; i < n; ++i) {
        if (guarded[i] == p)
            return true;
    }
    return false;
}

void* Allocate(std::size_t size) {
    if (size == 0)
        size = 1;
    // Only the guarding thread's allocations: the heap of other threads stays as is.
    if (guarding.load() && GetCurrentThreadId() == guardingThread.load() &&
        guardedCount.load() < kMaxGuarded) {
        if (void* p = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)) {
            guarded[guardedCount.fetch_add(1)] = p;
            return p;
        }
    }
    if (void* p = std::malloc(size))
        return p;
    throw OutOfMemory(size);  // as the program's own operator new
}

void Release(void* p) {
    if (!p)
        return;
    if (IsGuarded(p)) {
        MEMORY_BASIC_INFORMATION info;
        VirtualQuery(p, &info, sizeof info);
        DWORD old;
        VirtualProtect(p, info.RegionSize, PAGE_NOACCESS, &old);
        deletions.fetch_add(1);
        return;
    }
    std::free(p);
}

}  // namespace

void GuardNewAllocations(bool on) {
    guardingThread.store(GetCurrentThreadId());
    guarding.store(on);
}

int GuardedDeletions() {
    return deletions.load();
}

}  // namespace velmora::test

void* operator new(std::size_t size) {
    return velmora::test::Allocate(size);
}
void* operator new[](std::size_t size) {
    return velmora::test::Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return velmora::test::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return velmora::test::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    velmora::test::Release(p);
}
void operator delete[](void* p) noexcept {
    velmora::test::Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    velmora::test::Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    velmora::test::Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    velmora::test::Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    velmora::test::Release(p);
}

// The fault-injecting half of the allocation seam, linked only into the program of
// the allocation-fault build: counts every allocation of the runtime allocator and
// of operator new, fails the one named by VELMORA_FAIL_ALLOCATION (or every one
// from it on), and notes in the driver's record what was failed and how the
// program ended if it crashed.
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>

#include <unwind.h>

#include "runtime/allocation_faults.h"
#include "tests/windows/faults/allocation_record_win.h"

namespace velmora {

namespace {

using faults::AllocationRecord;
using faults::Ending;

void CaptureStack(void** frames, int skip) {
    RtlCaptureStackBackTrace(static_cast<DWORD>(skip), faults::kStackDepth, frames, nullptr);
}

// Through the unwind tables, which also know the C++ library's frames (built
// without frame pointers): where std::terminate was called from.
struct Frames {
    void** frames;
    int count;
};

_Unwind_Reason_Code NoteFrame(_Unwind_Context* context, void* param) {
    auto* f = static_cast<Frames*>(param);
    if (f->count >= faults::kStackDepth)
        return _URC_END_OF_STACK;
    f->frames[f->count++] = reinterpret_cast<void*>(_Unwind_GetIP(context));
    return _URC_NO_REASON;
}

struct Counter {
    long failAt = 0;
    bool andAfter = false;  // every allocation from failAt on fails
    DWORD mainThread = 0;
    AllocationRecord* record = nullptr;
    std::atomic<long> count{0};
};

Counter& TheCounter();

// No C++ library on the way out: the heap or the stack may be what failed.
LONG WINAPI NoteException(EXCEPTION_POINTERS* info) {
    if (AllocationRecord* r = TheCounter().record) {
        r->ending = Ending::kException;
        r->exceptionCode = info->ExceptionRecord->ExceptionCode;
        r->exceptionAddress = info->ExceptionRecord->ExceptionAddress;
        CaptureStack(r->endingStack, 0);
    }
    // Ends the process with the exception's code; no debugger is started.
    TerminateProcess(GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void NoteTerminate() {
    if (AllocationRecord* r = TheCounter().record) {
        r->ending = Ending::kTerminate;
        Frames f{r->endingStack, 0};
        _Unwind_Backtrace(NoteFrame, &f);
    }
    std::abort();
}

// Read on the first allocation, before any thread but the first runs.
Counter& TheCounter() {
    static Counter* counter = [] {
        static Counter c;
        wchar_t text[32] = {};
        if (GetEnvironmentVariableW(faults::kFailVariable, text, 32)) {
            wchar_t* end = nullptr;
            c.failAt = wcstol(text, &end, 10);
            c.andAfter = *end == L'+';
        }
        c.mainThread = GetCurrentThreadId();
        wchar_t name[128] = {};
        if (GetEnvironmentVariableW(faults::kRecordVariable, name, 128)) {
            if (HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name)) {
                // The view stays for the life of the process; the handle may go.
                c.record = static_cast<AllocationRecord*>(
                    MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(AllocationRecord)));
                CloseHandle(mapping);
            }
        }
        SetUnhandledExceptionFilter(NoteException);
        std::set_terminate(NoteTerminate);
        return &c;
    }();
    return *counter;
}

}  // namespace

bool AllocationFaultDue(AllocationKind kind, size_t bytes) {
    Counter& c = TheCounter();
    const long n = ++c.count;
    AllocationRecord* r = c.record;
    if (r)
        InterlockedIncrement(kind == AllocationKind::kRuntimeHeap ? &r->runtimeHeap
                                                                  : &r->operatorNew);
    if (c.failAt <= 0 || n < c.failAt || (n > c.failAt && !c.andAfter))
        return false;
    if (r && n == c.failAt) {
        r->failedKind = kind == AllocationKind::kRuntimeHeap ? 1 : 2;
        r->failedBytes = static_cast<LONG>(bytes);
        r->failedOnMainThread = GetCurrentThreadId() == c.mainThread;
        CaptureStack(r->failedStack, 1);
    }
    return true;
}

}  // namespace velmora

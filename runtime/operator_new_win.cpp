// The program's operator new: the C library's heap, as the default one, but a
// failure throws OutOfMemory, which knows how many bytes were asked for, so the
// out-of-memory error can name them. The other forms (array, nothrow) of the C++
// library come here; operator delete stays the library's (free).
#include <cstdlib>
#include <new>

#include "runtime/allocation_faults.h"
#include "runtime/out_of_memory.h"

void* operator new(size_t n) {
    if (n == 0)
        n = 1;
    for (;;) {
        if (!velmora::AllocationFaultDue(velmora::AllocationKind::kOperatorNew, n)) {
            if (void* p = std::malloc(n))
                return p;
        }
        // A handler installed by std::set_new_handler may free memory and have
        // another try; without one, the failure is thrown.
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw velmora::OutOfMemory(n);
        handler();
    }
}

void* operator new[](size_t n) {
    return ::operator new(n);
}

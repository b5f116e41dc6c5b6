#pragma once
// The seam through which the allocation-fault build (tests/windows/faults) fails
// an allocation on purpose. In every other build it is a constant: no code, no cost.

#include <cstddef>

namespace velmora {

enum class AllocationKind { kRuntimeHeap, kOperatorNew };

#ifdef VELMORA_ALLOCATION_FAULTS
// Counts the allocation; true when it is the one that is to fail.
bool AllocationFaultDue(AllocationKind kind, size_t bytes);
#else
constexpr bool AllocationFaultDue(AllocationKind, size_t) {
    return false;
}
#endif

}  // namespace velmora

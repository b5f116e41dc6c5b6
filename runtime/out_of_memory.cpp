#include "runtime/out_of_memory.h"

#include <cstdint>

namespace velmora {

const char* OutOfMemory::what() const noexcept {
    return "out of memory";
}

[[noreturn]] void RaiseOutOfMemory(const std::bad_alloc& failure) {
    const auto* known = dynamic_cast<const OutOfMemory*>(&failure);
    const size_t bytes = known ? known->bytes() : SIZE_MAX;
    RaiseErrorMessage(FormatOutOfMemory(bytes).text);
}

}  // namespace velmora

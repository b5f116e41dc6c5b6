#pragma once
// Memory that operator new could not supply. The C++ code of the program may catch
// std::bad_alloc where it can do without (a picture too large to decode); wherever
// Windows calls the program back, what is not caught becomes the runtime's
// out-of-memory error, as a failure of the runtime allocator does. An exception
// must never reach a window procedure's caller: it cannot unwind through the
// system's frames.

#include <cstddef>
#include <new>

#include "runtime/error_service.h"

namespace velmora {

// What the program's operator new throws: a std::bad_alloc that knows the request.
class OutOfMemory : public std::bad_alloc {
  public:
    explicit OutOfMemory(size_t bytes) : bytes_(bytes) {}
    size_t bytes() const { return bytes_; }
    const char* what() const noexcept override;

  private:
    size_t bytes_;
};

// The out-of-memory runtime error for a failed allocation: "分配 %d 字节内存失败!"
// with the request's byte count; a request too large to be made at all (a bad
// array length) counts as SIZE_MAX bytes, shown as -1.
[[noreturn]] void RaiseOutOfMemory(const std::bad_alloc& failure);

// Runs `work` at a place where Windows calls the program back (a window procedure,
// a hook, an enumeration callback, the entry point) and answers what it answers.
template <typename Work>
auto WithOutOfMemoryError(Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const std::bad_alloc& failure) {
        RaiseOutOfMemory(failure);
    }
}

}  // namespace velmora

#pragma once
// An object made in static storage on first use and never destroyed: objects held by
// other statics may still reach it while the process exits. Making it needs no heap
// when T's default constructor needs none (an empty container), so a destructor,
// which must not fail, may be the first to reach it even when memory has run out.

#include <new>

namespace velmora {

template <typename T>
class NeverDestroyed {
  public:
    NeverDestroyed() { new (storage_) T(); }
    NeverDestroyed(const NeverDestroyed&) = delete;
    NeverDestroyed& operator=(const NeverDestroyed&) = delete;

    T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

  private:
    alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace velmora

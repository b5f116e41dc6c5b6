#pragma once
// Puts a replacement in the place of a function that this executable imports from
// a system library, for the life of the object: the executable's calls of it (the
// runtime's included) reach the replacement, which may call the original.

#include <windows.h>

namespace velmora::test {

class ImportPatch {
  public:
    ImportPatch(const char* library, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // Whether the import was found and replaced.
    bool active() const { return slot_ != nullptr; }
    // The library's own function.
    void* original() const { return original_; }

  private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

}  // namespace velmora::test

#pragma once
// Text and byte-data blocks that the runtime hands out. A returned block belongs to
// the caller, who releases it once with FreeBlock; constant texts lie in protected
// ranges and are never freed.

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

// A new block of n bytes from the runtime heap. When the heap cannot supply it the
// runtime error "分配 %d 字节内存失败!" ends the program; never returns null.
void* AllocateBlock(size_t n);

// Releases a block; does nothing for null or for a pointer in a protected range.
void FreeBlock(void* p);

// Marks [start, end) as protected (the program's constant texts).
void RegisterProtectedRange(const void* start, const void* end);
bool IsProtected(const void* p);

// A fresh zero-terminated copy of n bytes of text, or null when n is 0.
char* NewTextBlock(const char* text, size_t n);
inline char* NewTextBlock(const std::string& text) {
    return NewTextBlock(text.data(), text.size());
}

// A fresh byte-data block: u32 length in the first four bytes, then the bytes;
// null when n is 0.
uint8_t* NewByteBlock(const void* bytes, size_t n);
// The bytes of such a block (empty for null).
std::string ByteBlockContents(const uint8_t* block);

// Owns a block handed out by the runtime and frees it at scope exit.
class BlockOwner {
  public:
    explicit BlockOwner(void* p) : p_(p) {}
    ~BlockOwner() { FreeBlock(p_); }
    BlockOwner(const BlockOwner&) = delete;
    BlockOwner& operator=(const BlockOwner&) = delete;
    void* get() const { return p_; }

  private:
    void* p_;
};

}  // namespace velmora

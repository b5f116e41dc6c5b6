#include "runtime/text_block.h"

#include <cstring>
#include <vector>

#include "runtime/heap.h"

namespace velmora {

namespace {

struct ProtectedRange {
    const char* start;
    const char* end;
};

// The protected ranges of the runtime (the program's constant texts).
std::vector<ProtectedRange>& ProtectedRanges() {
    static std::vector<ProtectedRange> ranges;
    return ranges;
}

}  // namespace

void RegisterProtectedRange(const void* start, const void* end) {
    ProtectedRanges().push_back({static_cast<const char*>(start), static_cast<const char*>(end)});
}

bool IsProtected(const void* p) {
    const char* c = static_cast<const char*>(p);
    for (const ProtectedRange& r : ProtectedRanges()) {
        if (c >= r.start && c < r.end)
            return true;
    }
    return false;
}

void* AllocateBlock(size_t n) {
    return HeapAllocateOrFail(n);
}

void FreeBlock(void* p) {
    if (!p || IsProtected(p))
        return;
    HeapRelease(p);
}

char* NewTextBlock(const char* text, size_t n) {
    if (n == 0)
        return nullptr;
    char* block = static_cast<char*>(AllocateBlock(n + 1));
    std::memcpy(block, text, n);
    block[n] = '\0';
    return block;
}

uint8_t* NewByteBlock(const void* bytes, size_t n) {
    if (n == 0)
        return nullptr;
    uint8_t* block = static_cast<uint8_t*>(AllocateBlock(n + 4));
    uint32_t length = static_cast<uint32_t>(n);
    std::memcpy(block, &length, 4);
    std::memcpy(block + 4, bytes, n);
    return block;
}

std::string ByteBlockContents(const uint8_t* block) {
    if (!block)
        return std::string();
    uint32_t length;
    std::memcpy(&length, block, 4);
    return std::string(reinterpret_cast<const char*>(block + 4), length);
}

}  // namespace velmora

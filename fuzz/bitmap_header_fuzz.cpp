// libFuzzer target: bitmap file checks. Whatever is accepted must describe a colour
// table and pixel data that lie within the input, since the platform's decoder
// will trust them, and its info block must hold the whole colour table.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/picture/bitmap_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velmora::BitmapLayout l;
    if (velmora::CheckBitmap(data, size, l) != velmora::BitmapResult::kOk)
        return 0;
    const uint64_t entry = l.headerSize == 12 ? 3 : 4;
    if (l.colourTableOffset + uint64_t{l.colourCount} * entry > size)
        __builtin_trap();
    if (l.pixelOffset + uint64_t{l.pixelSize} > size)
        __builtin_trap();
    if (l.width <= 0 || l.height <= 0)
        __builtin_trap();
    const std::vector<uint32_t> info = velmora::BitmapInfoBlock(data, l);
    if (info.size() * 4 < l.colourTableEnd - l.infoOffset)
        __builtin_trap();
    if (l.compression == 0 &&
        velmora::BitmapStride(uint32_t(l.width), l.bitCount) * uint32_t(l.height) > l.pixelSize) {
        __builtin_trap();
    }
    return 0;
}

#pragma once
// Picture files for control tests, made in memory.

#include <cstdint>
#include <string>

#include "runtime/byte_reader.h"

namespace velmora::test {

// A 24-bit bitmap file of one colour (0x00RRGGBB).
inline std::string SolidBitmapFile(int width, int height, uint32_t rgb) {
    const int stride = (width * 3 + 3) / 4 * 4;
    ByteWriter w;
    w.Bytes("BM");
    w.U32(54 + stride * height);
    w.U32(0);
    w.U32(54);
    w.U32(40);
    w.I32(width);
    w.I32(height);
    w.U16(1);
    w.U16(24);
    w.Zeros(24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            w.U8(uint8_t(rgb));
            w.U8(uint8_t(rgb >> 8));
            w.U8(uint8_t(rgb >> 16));
        }
        w.Zeros(stride - width * 3);
    }
    return w.Take();
}

}  // namespace velmora::test

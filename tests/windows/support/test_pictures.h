#pragma once
// Picture files for control tests, made in memory.

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/byte_reader.h"

namespace velmora::test {

// A 24-bit bottom-up bitmap file of the given rows (top row first), 0x00RRGGBB.
inline std::string Bmp(const std::vector<std::vector<uint32_t>>& rows) {
    const int height = int(rows.size()), width = int(rows[0].size());
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
    for (int y = height - 1; y >= 0; --y) {
        for (uint32_t c : rows[y]) {
            w.U8(uint8_t(c));
            w.U8(uint8_t(c >> 8));
            w.U8(uint8_t(c >> 16));
        }
        w.Zeros(stride - width * 3);
    }
    return w.Take();
}

// A 24-bit bitmap file of one colour (0x00RRGGBB).
inline std::string SolidBitmapFile(int width, int height, uint32_t rgb) {
    return Bmp(std::vector<std::vector<uint32_t>>(height, std::vector<uint32_t>(width, rgb)));
}

}  // namespace velmora::test

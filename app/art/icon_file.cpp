#include "app/art/icon_file.h"

#include "runtime/byte_reader.h"

namespace velmora::art {

namespace {

// ICONDIR (6 bytes) and one ICONDIRENTRY (16 bytes): +0 width, +1 height,
// +2 colour count, +3 reserved, +4 planes or hot spot x, +6 bit count or hot
// spot y, +8 u32 bytes of the image, +12 u32 offset of the image.
void WriteDirectory(ByteWriter& w, uint16_t type, int size, uint8_t colours, uint16_t word4,
                    uint16_t word6, uint32_t imageBytes) {
    w.U16(0);
    w.U16(type);  // 1 icon, 2 cursor
    w.U16(1);
    w.U8(static_cast<uint8_t>(size == 256 ? 0 : size));
    w.U8(static_cast<uint8_t>(size == 256 ? 0 : size));
    w.U8(colours);
    w.U8(0);
    w.U16(word4);
    w.U16(word6);
    w.U32(imageBytes);
    w.U32(6 + 16);
}

// BITMAPINFOHEADER of an icon image: the height counts the colour and the mask rows.
void WriteInfoHeader(ByteWriter& w, int size, uint16_t bitCount, uint32_t imageBytes,
                     uint32_t coloursUsed) {
    w.U32(40);
    w.I32(size);
    w.I32(size * 2);
    w.U16(1);
    w.U16(bitCount);
    w.U32(0);  // BI_RGB
    w.U32(imageBytes);
    w.I32(0);
    w.I32(0);
    w.U32(coloursUsed);
    w.U32(0);
}

int MaskStride(int size) {
    return ((size + 31) / 32) * 4;
}

}  // namespace

std::string EncodeIcon32(int size, const std::vector<uint32_t>& argb) {
    const int stride = MaskStride(size);
    const uint32_t pixelBytes = static_cast<uint32_t>(size * size * 4);
    const uint32_t maskBytes = static_cast<uint32_t>(stride * size);
    ByteWriter w;
    WriteDirectory(w, 1, size, 0, 1, 32, 40 + pixelBytes + maskBytes);
    WriteInfoHeader(w, size, 32, pixelBytes + maskBytes, 0);
    for (int y = size - 1; y >= 0; --y) {  // bottom-up, BGRA
        for (int x = 0; x < size; ++x) {
            uint32_t px = argb[static_cast<size_t>(y) * size + x];
            w.U8(static_cast<uint8_t>(px));
            w.U8(static_cast<uint8_t>(px >> 8));
            w.U8(static_cast<uint8_t>(px >> 16));
            w.U8(static_cast<uint8_t>(px >> 24));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < size; ++x) {
            if ((argb[static_cast<size_t>(y) * size + x] >> 24) == 0)
                row[x / 8] |= static_cast<char>(0x80 >> (x % 8));
        }
        w.Bytes(row);
    }
    return w.Take();
}

std::string EncodeMonochromeCursor(int size, const std::vector<std::string>& pixels, int hotX,
                                   int hotY) {
    const int stride = MaskStride(size);
    const uint32_t planeBytes = static_cast<uint32_t>(stride * size);
    ByteWriter w;
    WriteDirectory(w, 2, size, 2, static_cast<uint16_t>(hotX), static_cast<uint16_t>(hotY),
                   40 + 8 + 2 * planeBytes);
    WriteInfoHeader(w, size, 1, 2 * planeBytes, 2);
    w.U32(0x00000000);  // palette entry 0: black
    w.U32(0x00FFFFFF);  // palette entry 1: white
    auto at = [&](int x, int y) -> char {
        if (y >= static_cast<int>(pixels.size()) || x >= static_cast<int>(pixels[y].size()))
            return ' ';
        return pixels[y][x];
    };
    // XOR plane (the colour: 1 = white), then the AND plane (1 = transparent).
    for (int plane = 0; plane < 2; ++plane) {
        for (int y = size - 1; y >= 0; --y) {
            std::string row(stride, '\0');
            for (int x = 0; x < size; ++x) {
                char c = at(x, y);
                bool bit = plane == 0 ? c == 'o' : (c != '#' && c != 'o');
                if (bit)
                    row[x / 8] |= static_cast<char>(0x80 >> (x % 8));
            }
            w.Bytes(row);
        }
    }
    return w.Take();
}

}  // namespace velmora::art

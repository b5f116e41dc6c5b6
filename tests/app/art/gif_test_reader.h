#pragma once
// An independent GIF reader for the tests of the program's art: LZW image data,
// and a walk over a GIF89a file's blocks.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::art::test {

// Decodes LZW image data (minimum code size byte, sub-blocks); false on any
// malformation.
inline bool DecodeImageData(const std::string& data, size_t& pos, std::vector<uint8_t>& out) {
    if (pos >= data.size())
        return false;
    const int minSize = static_cast<uint8_t>(data[pos++]);
    if (minSize < 2 || minSize > 8)
        return false;
    std::string stream;
    for (;;) {
        if (pos >= data.size())
            return false;
        size_t n = static_cast<uint8_t>(data[pos++]);
        if (n == 0)
            break;
        if (pos + n > data.size())
            return false;
        stream.append(data, pos, n);
        pos += n;
    }
    const int clear = 1 << minSize, end = clear + 1;
    std::vector<std::vector<uint8_t>> table;
    auto reset = [&] {
        table.assign(clear + 2, {});
        for (int i = 0; i < clear; ++i)
            table[i] = {static_cast<uint8_t>(i)};
    };
    reset();
    int width = minSize + 1;
    size_t bit = 0;
    int previous = -1;
    for (;;) {
        if (bit + width > stream.size() * 8)
            return false;
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit) {
            if (static_cast<uint8_t>(stream[bit / 8]) & (1 << (bit % 8)))
                code |= 1 << i;
        }
        if (code == clear) {
            reset();
            width = minSize + 1;
            previous = -1;
            continue;
        }
        if (code == end)
            return true;
        std::vector<uint8_t> entry;
        if (code < static_cast<int>(table.size()) && (code >= clear + 2 || code < clear)) {
            entry = table[code];
        } else if (code == static_cast<int>(table.size()) && previous >= 0) {
            entry = table[previous];
            entry.push_back(table[previous][0]);
        } else {
            return false;
        }
        out.insert(out.end(), entry.begin(), entry.end());
        if (previous >= 0 && table.size() < 4096) {
            std::vector<uint8_t> added = table[previous];
            added.push_back(entry[0]);
            table.push_back(added);
            if (table.size() == (1u << width) && width < 12)
                ++width;
        }
        previous = code;
    }
}

struct ReadFrame {
    int disposal = -1;
    bool transparent = false;
    int delay = -1;
    int transparentIndex = -1;
    int left = -1, top = -1, width = -1, height = -1;
    int descriptorFlags = -1;
    std::vector<uint8_t> pixels;
};

struct ReadGif {
    int width = 0, height = 0, flags = 0;
    std::array<uint32_t, 256> palette{};
    int loopCount = -1;  // -1: no NETSCAPE2.0 extension
    std::vector<ReadFrame> frames;
    bool trailer = false;
};

// Walks the file; false on anything unexpected.
inline bool ReadGifFile(const std::string& f, ReadGif& gif) {
    auto u8 = [&](size_t at) { return static_cast<uint8_t>(f[at]); };
    auto u16 = [&](size_t at) { return u8(at) | (u8(at + 1) << 8); };
    if (f.size() < 13 + 768 || f.compare(0, 6, "GIF89a") != 0)
        return false;
    gif.width = u16(6);
    gif.height = u16(8);
    gif.flags = u8(10);
    if (gif.flags != 0xF7)
        return false;
    for (int i = 0; i < 256; ++i) {
        gif.palette[i] = (u8(13 + 3 * i) << 16) | (u8(14 + 3 * i) << 8) | u8(15 + 3 * i);
    }
    size_t pos = 13 + 768;
    ReadFrame pending;
    while (pos < f.size()) {
        uint8_t b = u8(pos++);
        if (b == 0x3B) {
            gif.trailer = pos == f.size();
            return gif.trailer;
        }
        if (b == 0x21) {
            if (pos + 2 > f.size())
                return false;
            uint8_t label = u8(pos++);
            if (label == 0xF9) {
                if (pos + 6 > f.size() || u8(pos) != 4)
                    return false;
                pending.disposal = (u8(pos + 1) >> 2) & 7;
                pending.transparent = u8(pos + 1) & 1;
                pending.delay = u16(pos + 2);
                pending.transparentIndex = u8(pos + 4);
                pos += 6;
            } else if (label == 0xFF) {
                if (pos + 16 > f.size() || u8(pos) != 11 ||
                    f.compare(pos + 1, 11, "NETSCAPE2.0") != 0)
                    return false;
                if (u8(pos + 12) != 3 || u8(pos + 13) != 1 || u8(pos + 16) != 0)
                    return false;
                gif.loopCount = u16(pos + 14);
                pos += 17;
            } else {
                return false;
            }
        } else if (b == 0x2C) {
            if (pos + 9 > f.size())
                return false;
            pending.left = u16(pos);
            pending.top = u16(pos + 2);
            pending.width = u16(pos + 4);
            pending.height = u16(pos + 6);
            pending.descriptorFlags = u8(pos + 8);
            pos += 9;
            if (!DecodeImageData(f, pos, pending.pixels))
                return false;
            gif.frames.push_back(pending);
            pending = ReadFrame{};
        } else {
            return false;
        }
    }
    return false;
}

}  // namespace velmora::art::test

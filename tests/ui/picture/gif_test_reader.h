#pragma once
// Test support: a GIF reader written apart from the program's decoder, to check
// what the encoder writes block by block: LZW image data, and a walk over a GIF89a
// file's blocks (header, tables, application and graphic control extensions, image
// descriptors). Anything it does not expect makes it fail.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::testing {

// Decodes LZW image data (minimum code size byte, sub-blocks) starting at `pos`
// and leaves `pos` after the block terminator; false on any malformation.
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
    bool graphicControl = false;
    int disposal = -1;
    bool transparent = false;
    int delay = -1;
    int transparentIndex = -1;
    int left = -1, top = -1, width = -1, height = -1;
    int descriptorFlags = -1;
    std::vector<uint32_t> localPalette;  // 0xRRGGBB, as many entries as stored
    int minCodeSize = -1;
    std::vector<uint8_t> pixels;  // in stored order (interlaced images by pass)
};

struct ReadGif {
    int width = 0, height = 0, flags = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB, as many entries as stored
    int loopCount = -1;             // -1: no NETSCAPE2.0 extension
    std::vector<ReadFrame> frames;
};

// Walks the file; false on anything unexpected, and unless the trailer ends it.
inline bool ReadGifFile(const std::string& f, ReadGif& gif) {
    auto u8 = [&](size_t at) { return static_cast<uint8_t>(f[at]); };
    auto u16 = [&](size_t at) { return u8(at) | (u8(at + 1) << 8); };
    auto table = [&](size_t& pos, int flags, std::vector<uint32_t>& palette) {
        if (!(flags & 0x80))
            return true;
        const size_t entries = size_t{2} << (flags & 7);
        if (pos + 3 * entries > f.size())
            return false;
        for (size_t i = 0; i < entries; ++i, pos += 3)
            palette.push_back((u8(pos) << 16) | (u8(pos + 1) << 8) | u8(pos + 2));
        return true;
    };
    if (f.size() < 13 || f.compare(0, 6, "GIF89a") != 0)
        return false;
    gif.width = u16(6);
    gif.height = u16(8);
    gif.flags = u8(10);
    size_t pos = 13;
    if (!table(pos, gif.flags, gif.palette))
        return false;
    ReadFrame pending;
    while (pos < f.size()) {
        uint8_t b = u8(pos++);
        if (b == 0x3B)
            return pos == f.size();
        if (b == 0x21) {
            if (pos + 2 > f.size())
                return false;
            uint8_t label = u8(pos++);
            if (label == 0xF9) {
                if (pos + 6 > f.size() || u8(pos) != 4 || u8(pos + 5) != 0)
                    return false;
                pending.graphicControl = true;
                pending.disposal = (u8(pos + 1) >> 2) & 7;
                pending.transparent = u8(pos + 1) & 1;
                pending.delay = u16(pos + 2);
                pending.transparentIndex = u8(pos + 4);
                pos += 6;
            } else if (label == 0xFF) {
                if (pos + 17 > f.size() || u8(pos) != 11 ||
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
            if (pos + 10 > f.size())
                return false;
            pending.left = u16(pos);
            pending.top = u16(pos + 2);
            pending.width = u16(pos + 4);
            pending.height = u16(pos + 6);
            pending.descriptorFlags = u8(pos + 8);
            pos += 9;
            if (!table(pos, pending.descriptorFlags, pending.localPalette) || pos >= f.size())
                return false;
            pending.minCodeSize = u8(pos);
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

}  // namespace velmora::testing

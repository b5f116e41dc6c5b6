#pragma once
// Test support: GIF files written as text (tests/data/picture/*.gif.txt).
//
//   # comment to the end of the line
//   47 49 46 | 000000FF    hex bytes, any even number of digits per token
//   "GIF89a"               ASCII bytes
//   u16:300                little-endian u16
//   lzw MIN i i i ...      (rest of line) minimum code size byte, then the indices
//                          compressed and framed in sub-blocks
//   codes MIN c c c ...    (rest of line) minimum code size byte, then exactly these
//                          LZW codes, packed at the widths a decoder uses, in sub-blocks
#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/picture/gif_encoder.h"

namespace velmora::testing {

// Packs codes as a GIF decoder reads them: the width starts at MIN + 1 and grows
// when the decoder's next free code reaches 2^width (a clear code resets both).
inline std::string PackCodes(unsigned minCodeSize, const std::vector<uint32_t>& codes) {
    const uint32_t clear = 1u << minCodeSize;
    uint32_t next = clear + 2;
    unsigned width = minCodeSize + 1;
    bool havePrev = false;
    std::string out;
    uint64_t acc = 0;
    unsigned count = 0;
    for (uint32_t code : codes) {
        acc |= uint64_t{code} << count;
        count += width;
        while (count >= 8) {
            out.push_back(static_cast<char>(acc & 0xFF));
            acc >>= 8;
            count -= 8;
        }
        if (code == clear) {
            next = clear + 2;
            width = minCodeSize + 1;
            havePrev = false;
        } else {
            if (havePrev && next < 4096) {
                ++next;
                if (next == (1u << width) && width < 12)
                    ++width;
            }
            havePrev = true;
        }
    }
    if (count > 0)
        out.push_back(static_cast<char>(acc & 0xFF));
    return out;
}

inline std::string AssembleGifText(const std::string& text) {
    std::string out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream tokens(line);
        std::string t;
        while (tokens >> t) {
            if (t == "lzw" || t == "codes") {
                unsigned minCodeSize = 0;
                tokens >> minCodeSize;
                std::vector<uint32_t> values;
                uint32_t v;
                while (tokens >> v)
                    values.push_back(v);
                out.push_back(static_cast<char>(minCodeSize));
                if (t == "lzw") {
                    std::vector<uint8_t> indices(values.begin(), values.end());
                    out += SubBlocks(LzwCompress(indices.data(), indices.size(), minCodeSize));
                } else {
                    out += SubBlocks(PackCodes(minCodeSize, values));
                }
            } else if (t.size() >= 2 && t.front() == '"' && t.back() == '"') {
                out += t.substr(1, t.size() - 2);
            } else if (t.rfind("u16:", 0) == 0) {
                const unsigned long v = std::stoul(t.substr(4));
                out.push_back(static_cast<char>(v & 0xFF));
                out.push_back(static_cast<char>((v >> 8) & 0xFF));
            } else {
                if (t.size() % 2 != 0)
                    throw std::runtime_error("odd hex token: " + t);
                for (size_t i = 0; i < t.size(); i += 2) {
                    out.push_back(static_cast<char>(std::stoul(t.substr(i, 2), nullptr, 16)));
                }
            }
        }
    }
    return out;
}

inline std::string LoadGifText(const std::string& name) {
    std::ifstream in(std::string(VELMORA_TEST_DATA) + "/picture/" + name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open test file " + name);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return AssembleGifText(buffer.str());
}

inline const uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

}  // namespace velmora::testing

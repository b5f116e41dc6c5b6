#pragma once
// Own property listings and byte blocks as golden files show them.

#include <cstdio>
#include <string>
#include <vector>

#include "ui/controls/own_data.h"

namespace velmora::test {

// Printable ASCII as it is; other bytes, quotes and backslashes as \xNN.
inline std::string Escaped(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
        const bool plain = c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
        out += plain ? std::string(1, static_cast<char>(c)) : std::string(escaped);
    }
    return out;
}

// One property a line: index, name, number, quoted bytes.
inline std::string OwnListingText(const std::vector<OwnPropertyValue>& values,
                                  const std::string& indent = "") {
    std::string out;
    for (const OwnPropertyValue& v : values) {
        char head[96];
        std::snprintf(head, sizeof head, "%d %s 0x%08X", v.info->index, v.info->name, v.number);
        out += indent + head + " \"" + Escaped(v.bytes) + "\"\n";
    }
    return out;
}

// Sixteen bytes a line, in hex.
inline std::string HexLines(const std::string& bytes, const std::string& indent = "") {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(bytes[i]));
        out += (i % 16 == 0 ? indent : " ") + std::string(hex);
        if (i % 16 == 15 || i + 1 == bytes.size())
            out += "\n";
    }
    return out;
}

}  // namespace velmora::test

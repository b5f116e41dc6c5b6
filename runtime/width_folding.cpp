#include "runtime/width_folding.h"

namespace velmora {

std::string FoldWidth(const char* text) {
    std::string out;
    if (!text)
        return out;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text);
    while (*p) {
        if (*p < 0x80) {
            out.push_back(static_cast<char>(*p++));
            continue;
        }
        if (p[1] == 0)
            break;
        uint8_t folded = FoldWideCharacter(p[0], p[1]);
        if (folded) {
            out.push_back(static_cast<char>(folded));
        } else {
            out.push_back(static_cast<char>(p[0]));
            out.push_back(static_cast<char>(p[1]));
        }
        p += 2;
    }
    return out;
}

}  // namespace velmora

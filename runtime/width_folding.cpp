#include "runtime/width_folding.h"

namespace velmora {

std::string FoldWidth(const char* text) {
    std::string out;
    if (!text)
        return out;
    const uint8_t* next;
    for (const uint8_t* p = reinterpret_cast<const uint8_t*>(text);; p = next) {
        const int c = ReadFolded(p, &next);
        if (c == 0)
            break;
        if (c == kUnfoldedCharacter) {
            out.append(reinterpret_cast<const char*>(p), 2);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

}  // namespace velmora

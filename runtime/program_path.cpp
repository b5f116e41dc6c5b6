#include "runtime/program_path.h"

namespace velmora {

ProgramPath SplitProgramPath(const std::string& path, bool (*isLeadByte)(unsigned char)) {
    size_t lastBackslash = std::string::npos;
    for (size_t i = 0; i < path.size();) {
        unsigned char b = static_cast<unsigned char>(path[i]);
        if (b == '\\')
            lastBackslash = i;
        i += (isLeadByte(b) && i + 1 < path.size()) ? 2 : 1;
    }
    if (lastBackslash == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, lastBackslash), path.substr(lastBackslash + 1)};
}

bool IsGbkLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

}  // namespace velmora

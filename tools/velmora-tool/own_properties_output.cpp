// The own-property part of `velmora-tool descriptions`.
#include <cstdio>

#include "tools/velmora-tool/text_output.h"

namespace velmora::tool {

void PrintOwnProperties(uint32_t typeCode, const std::string& ownData) {
    // The control types' own-property codecs decode the block here.
    std::printf("    own data of type 0x%08X: %s\n", typeCode, HexBytes(ownData).c_str());
}

}  // namespace velmora::tool

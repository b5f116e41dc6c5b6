// velmora-tool number TEXT...: how the program reads each text as a number. One line
// per argument: the number ("%.17g"; inf, -inf), a tab, the truncated 64-bit
// integer, a tab, the low 32 bits that the program uses as its integer.
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "runtime/conversions.h"
#include "tools/velmora-tool/commands.h"

namespace velmora::tool {

int RunNumber(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-tool number TEXT...\n");
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        double value = ToNumber(argv[i]);
        int64_t truncated = TruncateToInteger(value);
        if (std::isinf(value)) {
            std::printf("%s", value > 0 ? "inf" : "-inf");
        } else {
            std::printf("%.17g", value);
        }
        std::printf("\t%" PRId64 "\t%" PRId32 "\n", truncated, LowInteger(truncated));
    }
    return 0;
}

}  // namespace velmora::tool

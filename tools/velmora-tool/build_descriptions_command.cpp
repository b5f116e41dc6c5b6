// velmora-tool build-descriptions OUT: writes the program's description set, the
// data that the program embeds and reads at start.
#include <cstdio>

#include "app/art/velmora_art.h"
#include "app/windows/program_descriptions.h"
#include "tools/velmora-tool/commands.h"

namespace velmora::tool {

int RunBuildDescriptions(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-tool build-descriptions OUT\n");
        return 2;
    }
    const std::string bytes = WriteDescriptionSet(ProgramDescriptions(art::MosquitoAnimationGif()));
    if (!WriteWholeFile(argv[1], bytes)) {
        std::fprintf(stderr, "velmora-tool: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu bytes\n", argv[1], bytes.size());
    return 0;
}

}  // namespace velmora::tool

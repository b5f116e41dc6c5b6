// velmora-tool: developer commands over the program's stored data and decoders.
#include <cstdio>
#include <cstring>

#include "tools/velmora-tool/commands.h"

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(int argc, char** argv);  // argv[0] is the command name
};

const Command kCommands[] = {
    {"descriptions", "descriptions FILE            dump a window description set",
     velmora::tool::RunDescriptions},
    {"build-descriptions", "build-descriptions OUT       write the program's window descriptions",
     velmora::tool::RunBuildDescriptions},
    {"build-art", "build-art OUTDIR             write the generated picture, icon and cursor",
     velmora::tool::RunBuildArt},
    {"build-gallery", "build-gallery OUT JPEG       write the gallery's window description",
     velmora::tool::RunBuildGallery},
    {"number", "number TEXT...               read texts as numbers, truncate them to integers",
     velmora::tool::RunNumber},
    {"picture", "picture FILE                 recognised picture kind and size, or none",
     velmora::tool::RunPicture},
    {"gif-frames", "gif-frames FILE COUNT OUTDIR play a GIF, write each round's canvas as PPM",
     velmora::tool::RunGifFrames},
};

void PrintUsage() {
    std::fprintf(stderr, "usage: velmora-tool COMMAND ARGS...\n");
    for (const Command& c : kCommands)
        std::fprintf(stderr, "  velmora-tool %s\n", c.usage);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage();
        return 2;
    }
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "velmora-tool: unknown command '%s'\n", argv[1]);
    PrintUsage();
    return 2;
}

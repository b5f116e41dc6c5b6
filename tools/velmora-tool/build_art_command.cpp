// velmora-tool build-art OUTDIR: writes the program's generated resources:
//   mosquito.gif       the main window's animated picture
//   default_icon.ico   the program icon "DEFAULT_ICON"
//   hand.cur           the hyperlink box's pointing hand
#include <cstdio>
#include <fstream>
#include <string>

#include "app/art/velmora_art.h"
#include "tools/velmora-tool/commands.h"

namespace velmora::tool {

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f)
        return false;
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

int RunBuildArt(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-tool build-art OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"mosquito.gif", art::MosquitoAnimationGif()},
        {"default_icon.ico", art::DefaultIconFile()},
        {"hand.cur", art::HandCursorFile()},
    };
    for (const auto& f : files) {
        std::string path = dir + "/" + f.name;
        if (!WriteWholeFile(path, f.bytes)) {
            std::fprintf(stderr, "velmora-tool: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s: %zu bytes\n", path.c_str(), f.bytes.size());
    }
    return 0;
}

}  // namespace velmora::tool

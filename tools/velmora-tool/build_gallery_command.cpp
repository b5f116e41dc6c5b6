// velmora-tool build-gallery OUT JPEG: writes the gallery's description set, with
// the JPEG file as its JPEG picture.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/gallery/gallery_descriptions.h"
#include "tools/velmora-tool/commands.h"

namespace velmora::tool {

int RunBuildGallery(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora-tool build-gallery OUT JPEG\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::stringstream jpeg;
    jpeg << in.rdbuf();
    if (!in || jpeg.str().empty()) {
        std::fprintf(stderr, "velmora-tool: cannot read %s\n", argv[2]);
        return 1;
    }
    const std::string bytes =
        WriteDescriptionSet(gallery::Descriptions(gallery::MakePictures(jpeg.str())));
    if (!WriteWholeFile(argv[1], bytes)) {
        std::fprintf(stderr, "velmora-tool: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu bytes\n", argv[1], bytes.size());
    return 0;
}

}  // namespace velmora::tool

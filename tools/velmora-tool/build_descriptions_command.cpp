// velmora-tool build-descriptions OUT: writes the program's stored window
// descriptions.
#include <cstdio>
#include <fstream>

#include "tools/velmora-tool/commands.h"
#include "ui/loader/description_set.h"

namespace velmora::tool {

namespace {

// The start-up window alone, its own unit with default own data.
DescriptionSet ProgramDescriptions() {
    DescriptionSet set;
    WindowDescription main;
    main.windowId = 0x52010001;
    main.reservedWord = 0x00C882E0;
    main.windowWord = 0x00EC9B20;
    main.moduleId = 0x19010009;
    UnitRecord own;
    own.unitId = 0x06010000;
    own.typeCode = 0x00010001;
    own.width = 298;
    own.height = 200;
    own.pointerData = std::string(4, '\0');
    own.flags = kUnitVisible;
    main.units.push_back(own);
    set.windows.push_back(main);
    return set;
}

}  // namespace

int RunBuildDescriptions(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-tool build-descriptions OUT\n");
        return 2;
    }
    std::string bytes = WriteDescriptionSet(ProgramDescriptions());
    std::ofstream out(argv[1], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "velmora-tool: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

}  // namespace velmora::tool

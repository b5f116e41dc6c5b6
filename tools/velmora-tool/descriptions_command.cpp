// velmora-tool descriptions FILE: a readable dump of a window description set.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "app/handler_references.h"
#include "tools/velmora-tool/commands.h"
#include "tools/velmora-tool/text_output.h"
#include "ui/loader/description_set.h"

namespace velmora::tool {

namespace {

// Prints one unit; false when its own data cannot be decoded.
bool PrintUnit(const UnitRecord& u) {
    std::printf("  unit 0x%08X  type 0x%08X  name \"%s\"\n", u.unitId, u.typeCode,
                Utf8FromGbk(u.name).c_str());
    std::printf("    geometry %d,%d %dx%d  parent 0x%08X  flags 0x%X", u.left, u.top, u.width,
                u.height, u.parent, u.flags);
    if (u.eventLink)
        std::printf("  event link 0x%08X", u.eventLink);
    std::printf("\n");
    if (!u.comment.empty())
        std::printf("    comment \"%s\"\n", Utf8FromGbk(u.comment).c_str());
    if (!u.tag.empty())
        std::printf("    tag \"%s\"\n", Utf8FromGbk(u.tag).c_str());
    if (!u.children.empty()) {
        std::printf("    children");
        for (uint32_t c : u.children)
            std::printf(" 0x%08X", c);
        std::printf("\n");
    }
    std::printf("    pointer data %s\n", HexBytes(u.pointerData).c_str());
    for (const EventBinding& b : u.bindings) {
        const char* name =
            b.handlerRef == kNoHandler ? "no handler" : HandlerReferenceNameOf(b.handlerRef);
        std::printf("    event %d -> handler 0x%08X (%s)\n", b.eventIndex, b.handlerRef,
                    name ? name : "not a handler of this program");
    }
    std::printf("    own data %zu bytes\n", u.ownData.size());
    return PrintOwnProperties(u.typeCode, u.ownData);
}

}  // namespace

int RunDescriptions(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-tool descriptions FILE\n");
        return 2;
    }
    std::string bytes;
    if (!ReadWholeFile(argv[1], bytes)) {
        std::fprintf(stderr, "velmora-tool: cannot read %s\n", argv[1]);
        return 1;
    }
    DescriptionSet set;
    DescriptionError e =
        ParseDescriptionSet(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), set);
    if (e != DescriptionError::kNone) {
        std::fprintf(stderr, "velmora-tool: %s is not a description set: %s\n", argv[1],
                     DescriptionErrorText(e));
        return 1;
    }
    std::printf("description set: %zu bytes, %zu windows\n", bytes.size(), set.windows.size());
    int invalid = 0;
    for (const WindowDescription& w : set.windows) {
        std::printf("window 0x%08X  module 0x%08X  word 0x%08X  reserved 0x%08X  units %zu\n",
                    w.windowId, w.moduleId, w.windowWord, w.reservedWord, w.units.size());
        for (const UnitRecord& u : w.units) {
            if (!PrintUnit(u)) {
                ++invalid;
                std::fprintf(
                    stderr, "velmora-tool: window 0x%08X unit 0x%08X: own data cannot be decoded\n",
                    w.windowId, u.unitId);
            }
        }
    }
    return invalid == 0 ? 0 : 1;
}

}  // namespace velmora::tool

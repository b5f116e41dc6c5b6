// Covers: the program's stored description set, read back from its bytes and
// dumped field by field against tests/data/program_descriptions.txt (written out
// there, not taken from the window sources):
//  - window order, identifiers, reserved words, window word, module identifiers;
//  - every unit in stored order (the reverse of creation order): identifier,
//    name, type, link, comment, geometry, parent, children, pointer data, tag,
//    flags, bindings with the stored handler references;
//  - every own-data block byte for byte (the picture's bytes compared with the
//    program's animation instead) and as its type decodes and lists it;
//  - the total size: 22,195 bytes plus the picture's and the address's departure
//    from 16,880 and 20 bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/art/velmora_art.h"
#include "app/forum_address.h"
#include "app/windows/program_descriptions.h"
#include "runtime/byte_reader.h"
#include "tests/support/golden_file.h"
#include "tests/support/own_listing_text.h"
#include "ui/controls/control_types.h"

namespace velmora {
namespace {

using test::Escaped;
using test::HexLines;

const std::string& Gif() {
    static const std::string gif = art::MosquitoAnimationGif();
    return gif;
}

const std::string& StoredBytes() {
    static const std::string bytes = WriteDescriptionSet(ProgramDescriptions(Gif()));
    return bytes;
}

std::string Hex(uint32_t v) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

// The own data as stored and as decoded; the picture stands in for its bytes.
std::string OwnDataDump(const UnitRecord& u) {
    std::string out = "  own data " + std::to_string(u.ownData.size()) + " bytes\n";
    const size_t gif = Gif().empty() ? std::string::npos : u.ownData.find(Gif());
    if (gif == std::string::npos) {
        out += HexLines(u.ownData, "    ");
    } else {
        out += HexLines(u.ownData.substr(0, gif), "    ") + "    (the program's picture)\n" +
               HexLines(u.ownData.substr(gif + Gif().size()), "    ");
    }
    std::vector<OwnPropertyValue> values;
    const uint8_t* data = reinterpret_cast<const uint8_t*>(u.ownData.data());
    const OwnDataError error = ListOwnProperties(u.typeCode, data, u.ownData.size(), values);
    if (error != OwnDataError::kNone)
        return out + "  does not decode: " + OwnDataErrorText(error) + "\n";
    for (OwnPropertyValue& v : values) {
        if (v.bytes == Gif())
            v.bytes = "(the program's picture)";
    }
    return out + test::OwnListingText(values, "  ");
}

std::string UnitDump(const UnitRecord& u) {
    std::string out = "unit " + Hex(u.unitId) + " \"" + Escaped(u.name) + "\" type " +
                      Hex(u.typeCode) + " link " + Hex(u.eventLink) + " comment \"" +
                      Escaped(u.comment) + "\"\n";
    char geometry[96];
    std::snprintf(geometry, sizeof geometry, "  at %d,%d size %dx%d parent %08X flags %08X\n",
                  u.left, u.top, u.width, u.height, u.parent, u.flags);
    out += geometry;
    out += "  children";
    for (uint32_t child : u.children)
        out += " " + Hex(child);
    out += "\n  pointer \"" + Escaped(u.pointerData) + "\" tag \"" + Escaped(u.tag) + "\"\n";
    out += "  bindings";
    for (const EventBinding& b : u.bindings)
        out += " " + std::to_string(b.eventIndex) + ":" + Hex(b.handlerRef);
    return out + "\n" + OwnDataDump(u);
}

TEST(ProgramDescriptions, MatchTheirGoldenDump) {
    DescriptionSet set;
    const std::string& b = StoredBytes();
    ASSERT_EQ(ParseDescriptionSet(reinterpret_cast<const uint8_t*>(b.data()), b.size(), set),
              DescriptionError::kNone);
    ByteReader r(reinterpret_cast<const uint8_t*>(b.data()), b.size());
    std::string dump = "window count word " + std::to_string(r.U32()) + "\n";
    for (const WindowDescription& w : set.windows) {
        dump += "window " + Hex(w.windowId) + " reserved " + Hex(w.reservedWord) + " word " +
                Hex(w.windowWord) + " module " + Hex(w.moduleId) + " texts \"" + Escaped(w.text1) +
                "\" \"" + Escaped(w.text2) + "\"\n";
        for (const UnitRecord& u : w.units)
            dump += UnitDump(u);
    }
    EXPECT_TRUE(test::MatchesGolden(
        dump, std::filesystem::path(VELMORA_TEST_DATA) / "program_descriptions.txt"));
}

TEST(ProgramDescriptions, SizeMatchesTheStoredSetForThisPictureAndAddress) {
    const long long expected = 22195 + (static_cast<long long>(Gif().size()) - 16880) +
                               (static_cast<long long>(std::strlen(kForumAddress)) - 20);
    EXPECT_EQ(static_cast<long long>(StoredBytes().size()), expected)
        << "picture " << Gif().size() << " bytes, address " << std::strlen(kForumAddress)
        << " bytes";
}

}  // namespace
}  // namespace velmora

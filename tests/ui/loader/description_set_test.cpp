// Covers: the stored description format.
//  - writing and parsing round-trip every field, including bindings, children,
//    pointer data and own data;
//  - a set cut short at any byte is rejected, never read past;
//  - offsets and lengths that leave their window, texts without terminator,
//    counts larger than their arrays and repeated identifiers are rejected;
//  - records may lie anywhere in their window's block (offsets are honoured).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tests/support/typed_blocks.h"
#include "ui/loader/description_set.h"

namespace velmora {
namespace {

DescriptionSet SampleSet() {
    DescriptionSet set;
    WindowDescription w;
    w.windowId = 0x52010001;
    w.reservedWord = 0x00C882E0;
    w.windowWord = 0x00EC9B20;
    w.moduleId = 0x19010009;
    UnitRecord own;
    own.unitId = 0x06010000;
    own.typeCode = 0x00010001;
    own.left = 10;
    own.top = -20;
    own.width = 300;
    own.height = 200;
    own.pointerData = std::string(4, '\0');
    own.flags = kUnitVisible;
    own.bindings = {{0, 0x513}, {1, kNoHandler}};
    own.ownData = "\x05\x00\x00\x00window-data";
    UnitRecord button;
    button.unitId = 0x16010006;
    button.typeCode = 0x0001000B;
    button.name = "按钮1";
    button.comment = "c";
    button.tag = "tag";
    button.children = {7, 8};
    button.pointerData = std::string(4, '\0');
    button.flags = kUnitVisible | kUnitTabStop;
    button.bindings = {{-7, 0xC4}};
    w.units = {own, button};
    set.windows.push_back(w);
    WindowDescription w2;
    w2.windowId = 0x52010021;
    UnitRecord own2;
    own2.unitId = 0x06010022;
    own2.typeCode = 0x00010001;
    w2.units = {own2};
    set.windows.push_back(w2);
    return set;
}

DescriptionError Parse(const std::string& bytes, DescriptionSet& out) {
    return ParseDescriptionSet(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

using test::PutU32;

TEST(DescriptionSet, RoundTripsEveryField) {
    DescriptionSet set = SampleSet();
    std::string bytes = WriteDescriptionSet(set);
    DescriptionSet back;
    ASSERT_EQ(Parse(bytes, back), DescriptionError::kNone);
    ASSERT_EQ(back.windows.size(), 2u);
    const WindowDescription& w = back.windows[0];
    EXPECT_EQ(w.windowId, 0x52010001u);
    EXPECT_EQ(w.reservedWord, 0x00C882E0u);
    EXPECT_EQ(w.windowWord, 0x00EC9B20u);
    EXPECT_EQ(w.moduleId, 0x19010009u);
    ASSERT_EQ(w.units.size(), 2u);
    const UnitRecord& b = w.units[1];
    EXPECT_EQ(b.unitId, 0x16010006u);
    EXPECT_EQ(b.name, "按钮1");
    EXPECT_EQ(b.comment, "c");
    EXPECT_EQ(b.tag, "tag");
    EXPECT_EQ(b.children, (std::vector<uint32_t>{7, 8}));
    EXPECT_EQ(b.flags, kUnitVisible | kUnitTabStop);
    ASSERT_EQ(b.bindings.size(), 1u);
    EXPECT_EQ(b.bindings[0].eventIndex, -7);
    EXPECT_EQ(b.bindings[0].handlerRef, 0xC4u);
    EXPECT_EQ(w.units[0].top, -20);
    EXPECT_EQ(w.units[0].ownData, set.windows[0].units[0].ownData);
    EXPECT_EQ(WriteDescriptionSet(back), bytes);
    EXPECT_EQ(back.FindWindow(0x52010021)->FindUnit(0x06010022)->typeCode, 0x00010001u);
    EXPECT_EQ(back.FindWindow(0x1234), nullptr);
}

TEST(DescriptionSet, EveryTruncationIsRejected) {
    std::string bytes = WriteDescriptionSet(SampleSet());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        // An exact-size heap copy lets the sanitizers catch any read past the end.
        std::unique_ptr<uint8_t[]> copy(new uint8_t[cut + 1]);
        std::memcpy(copy.get(), bytes.data(), cut);
        DescriptionSet out;
        EXPECT_NE(ParseDescriptionSet(copy.get(), cut, out), DescriptionError::kNone) << cut;
    }
}

TEST(DescriptionSet, EmptySetHasNoWindows) {
    DescriptionSet out;
    EXPECT_EQ(Parse(std::string(4, '\0'), out), DescriptionError::kNone);
    EXPECT_TRUE(out.windows.empty());
}

TEST(DescriptionSet, RejectsBadStructure) {
    const std::string good = WriteDescriptionSet(SampleSet());
    // Layout of the first window: n(4) ids(8) reserved(8), then word, module,
    // two empty texts (4+4), unit count at 36, rest length at 40, ids at 44.
    const size_t kUnitCount = 36, kRest = 40, kIds = 44, kOffsets = 52, kRecords = 60;
    DescriptionSet out;
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        DescriptionError expected;
    } cases[] = {
        {"window count not a multiple of 8", 0, 12, DescriptionError::kBadWindowCount},
        {"window count beyond the data", 0, 0x7FFFFFF8, DescriptionError::kBadWindowCount},
        {"repeated window", 8, 0x52010001, DescriptionError::kDuplicateWindow},
        {"unit count zero", kUnitCount, 0, DescriptionError::kBadCount},
        {"unit count beyond block", kUnitCount, 0x10000000, DescriptionError::kBadCount},
        {"rest length beyond data", kRest, 0xFFFFFFF0, DescriptionError::kTruncated},
        {"repeated unit", kIds + 4, 0x06010000, DescriptionError::kDuplicateUnit},
        {"offset beyond block", kOffsets + 4, 0x00FFFFFF, DescriptionError::kBadOffset},
        {"record length beyond block", kRecords, 0x00FFFFFF, DescriptionError::kBadOffset},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        PutU32(bytes, c.at, c.value);
        EXPECT_EQ(Parse(bytes, out), c.expected) << c.what;
    }
}

TEST(DescriptionSet, RejectsUnterminatedName) {
    DescriptionSet set;
    WindowDescription w;
    w.windowId = 1;
    UnitRecord u;
    u.unitId = 2;
    u.name = "abc";
    w.units = {u};
    set.windows = {w};
    std::string bytes = WriteDescriptionSet(set);
    // n, id, reserved (12); word, module, two text lengths, unit count, rest length
    // (24); one id and one offset (8); then the record, whose name follows its
    // length, type, link and 16 reserved bytes (28).
    const size_t nameAt = 12 + 24 + 8 + 28;
    ASSERT_EQ(bytes.substr(nameAt, 3), "abc");
    // Shrink the record so that it ends inside the name.
    PutU32(bytes, nameAt - 28, 26);
    DescriptionSet out;
    EXPECT_EQ(Parse(bytes, out), DescriptionError::kUnterminatedText);
}

TEST(DescriptionSet, RejectsCountsLargerThanTheirRecord) {
    DescriptionSet set = SampleSet();
    set.windows[0].units[1].bindings.assign(3, EventBinding{0, 1});
    std::string bytes = WriteDescriptionSet(set);
    // Find the binding count (3) of the button: the first u32 3 followed by three (0, 1).
    std::string pattern("\x03\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00", 12);
    size_t at = bytes.find(pattern);
    ASSERT_NE(at, std::string::npos);
    DescriptionSet out;
    PutU32(bytes, at, 0x20000000);
    EXPECT_EQ(Parse(bytes, out), DescriptionError::kBadCount);
}

TEST(DescriptionSet, HonoursRecordOffsets) {
    DescriptionSet set = SampleSet();
    std::string bytes = WriteDescriptionSet(set);
    // Swap the two offsets and the two ids: the records are found by offset.
    const size_t kIds = 44, kOffsets = 52;
    std::string id0 = bytes.substr(kIds, 4), id1 = bytes.substr(kIds + 4, 4);
    std::string off0 = bytes.substr(kOffsets, 4), off1 = bytes.substr(kOffsets + 4, 4);
    bytes.replace(kIds, 4, id1);
    bytes.replace(kIds + 4, 4, id0);
    bytes.replace(kOffsets, 4, off1);
    bytes.replace(kOffsets + 4, 4, off0);
    DescriptionSet out;
    ASSERT_EQ(Parse(bytes, out), DescriptionError::kNone);
    EXPECT_EQ(out.windows[0].units[0].unitId, 0x16010006u);
    EXPECT_EQ(out.windows[0].units[0].name, "按钮1");
}

}  // namespace
}  // namespace velmora

// Covers: property value conversion by declared kind.
//  - the clamps of left/top (-32627..32627) and width/height (0..32627) at and
//    beyond their limits;
//  - raw to typed: integers (all 32 bits), logical 1 exactly when the raw value is
//    1, texts as fresh blocks or null when empty, byte data with inner zero bytes;
//  - typed to raw: null text is empty, nonzero logical is 1, byte blocks;
//  - font members: angle modulo 3600 with negatives brought into range, bold as
//    weight 700 (else 400), size in points, the "宋体" rule for empty and 32-byte
//    or longer face names while a 31-byte name is kept, the whole-font record
//    round trip, unknown members and short records.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "runtime/text_block.h"
#include "tests/support/typed_blocks.h"
#include "ui/loader/property_conversion.h"

namespace velmora {
namespace {

using test::GetI32;
using test::PutU32;
using test::TakeBytes;
using test::TakeText;

// A LOGFONTA: 9 points at 96 dpi, bold, italic, "Arial".
std::string SampleLogFont() {
    std::string lf(kLogFontSize, '\0');
    PutU32(lf, 0, -12);
    PutU32(lf, 8, 450);
    PutU32(lf, 12, 450);
    PutU32(lf, 16, 700);
    lf[20] = 1;
    std::memcpy(&lf[28], "Arial", 5);
    return lf;
}

constexpr int kDpi = 96;

int32_t Member(const std::string& lf, int member) {
    return static_cast<int32_t>(ReadFontMember(lf, member, kDpi).low);
}

std::string Face(const std::string& lf) {
    return TakeText(ReadFontMember(lf, kFontFaceName, kDpi));
}

std::string WithFace(const std::string& lf, const std::string& face) {
    TypedValue v = MakeText(NewTextBlock(face));
    std::string out = WriteFontMember(lf, kFontFaceName, v, kDpi);
    FreeBlock(const_cast<char*>(TextOf(v)));
    return out;
}

TEST(PropertyConversion, Clamps) {
    EXPECT_EQ(ClampPosition(40000), 32627);
    EXPECT_EQ(ClampPosition(32627), 32627);
    EXPECT_EQ(ClampPosition(32628), 32627);
    EXPECT_EQ(ClampPosition(-32628), -32627);
    EXPECT_EQ(ClampPosition(INT32_MIN), -32627);
    EXPECT_EQ(ClampPosition(INT32_MAX), 32627);
    EXPECT_EQ(ClampPosition(-1), -1);
    EXPECT_EQ(ClampSize(-5), 0);
    EXPECT_EQ(ClampSize(INT32_MIN), 0);
    EXPECT_EQ(ClampSize(0), 0);
    EXPECT_EQ(ClampSize(32627), 32627);
    EXPECT_EQ(ClampSize(40000), 32627);
}

TEST(PropertyConversion, RawNumbersToTyped) {
    RawValue raw;
    raw.number = 0xFFFFFFFFu;
    for (PropertyKind kind :
         {PropertyKind::kInteger, PropertyKind::kColour, PropertyKind::kChoice}) {
        TypedValue v = TypedFromRaw(kind, raw);
        EXPECT_EQ(v.tag, static_cast<uint32_t>(kTagInteger));
        EXPECT_EQ(static_cast<int32_t>(v.low), -1);
    }
    for (uint64_t n : {uint64_t{0}, uint64_t{2}, uint64_t{0xFFFFFFFF}, uint64_t{0x80000001}}) {
        raw.number = n;
        TypedValue v = TypedFromRaw(PropertyKind::kLogical, raw);
        EXPECT_EQ(v.tag, static_cast<uint32_t>(kTagLogical));
        EXPECT_EQ(v.low, 0u) << n;
    }
    raw.number = 1;
    EXPECT_EQ(TypedFromRaw(PropertyKind::kLogical, raw).low, 1u);
}

TEST(PropertyConversion, RawTextsAndByteDataAreFreshBlocksOrNull) {
    RawValue raw;
    EXPECT_EQ(TextOf(TypedFromRaw(PropertyKind::kText, raw)), nullptr);
    EXPECT_EQ(TextOf(TypedFromRaw(PropertyKind::kPicture, raw)), nullptr);
    raw.bytes = "停止";
    TypedValue a = TypedFromRaw(PropertyKind::kText, raw);
    TypedValue b = TypedFromRaw(PropertyKind::kFileName, raw);
    EXPECT_EQ(a.tag, static_cast<uint32_t>(kTagText));
    EXPECT_NE(TextOf(a), TextOf(b));
    EXPECT_EQ(TakeText(a), "停止");
    EXPECT_EQ(TakeText(b), "停止");
    raw.bytes = std::string("\0\x01\0\xFF", 4);
    for (PropertyKind kind : {PropertyKind::kPicture, PropertyKind::kIcon,
                              PropertyKind::kMousePointer, PropertyKind::kSound}) {
        TypedValue v = TypedFromRaw(kind, raw);
        EXPECT_EQ(v.tag, static_cast<uint32_t>(kTagByteData));
        EXPECT_EQ(TakeBytes(v), raw.bytes);
    }
}

TEST(PropertyConversion, TypedToRaw) {
    EXPECT_EQ(RawFromTyped(PropertyKind::kText, MakeText(nullptr))->bytes, "");
    EXPECT_EQ(RawFromTyped(PropertyKind::kText, MakeText("播放"))->bytes, "播放");
    EXPECT_EQ(RawFromTyped(PropertyKind::kText, MakeInteger(-15))->bytes, "-15");
    EXPECT_EQ(RawFromTyped(PropertyKind::kLogical, MakeInteger(5))->number, 1u);
    EXPECT_EQ(RawFromTyped(PropertyKind::kLogical, MakeInteger(-1))->number, 1u);
    EXPECT_EQ(RawFromTyped(PropertyKind::kLogical, MakeLogical(false))->number, 0u);
    EXPECT_EQ(RawFromTyped(PropertyKind::kInteger, MakeInteger(-2))->number, 0xFFFFFFFEu);
    EXPECT_EQ(RawFromTyped(PropertyKind::kInteger, MakeDouble(-7.9))->number, 0xFFFFFFF9u);
    EXPECT_EQ(RawFromTyped(PropertyKind::kColour, TypedValue{})->number, 0u);
    const std::string bytes("\0a\0b", 4);
    TypedValue v = MakeByteData(bytes);
    EXPECT_EQ(RawFromTyped(PropertyKind::kPicture, v)->bytes, bytes);
    FreeBlock(const_cast<char*>(TextOf(v)));
    EXPECT_EQ(RawFromTyped(PropertyKind::kSound, MakeText(nullptr))->bytes, "");
}

// A value whose tag does not fit the kind is refused, never read through as a
// pointer: 0x1234 as a text or a picture would be an address.
TEST(PropertyConversion, ValuesOfTheWrongKindAreRefused) {
    const TypedValue number = MakeInteger(0x1234);
    const TypedValue text = MakeText("abc");
    const TypedValue odd{0x1234, 0, 0x12345678};
    const struct {
        PropertyKind kind;
        TypedValue value;
    } cases[] = {
        {PropertyKind::kPicture, number}, {PropertyKind::kFont, number},
        {PropertyKind::kPicture, text},   {PropertyKind::kInteger, text},
        {PropertyKind::kLogical, text},   {PropertyKind::kText, MakeDouble(1.5)},
        {PropertyKind::kText, odd},       {PropertyKind::kColour, odd},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(RawFromTyped(c.kind, c.value).has_value()) << static_cast<int>(c.kind);
    const std::string lf = SampleLogFont();
    EXPECT_EQ(WriteFontMember(lf, kFontFaceName, MakeDouble(1.5), kDpi), lf);
    EXPECT_EQ(WriteFontMember(lf, kFontSize, text, kDpi), lf);
    EXPECT_EQ(WriteFontMember(lf, kWholeFont, number, kDpi), lf);
}

TEST(PropertyConversion, FontMembersRead) {
    const std::string lf = SampleLogFont();
    EXPECT_EQ(Member(lf, kFontAngle), 450);
    EXPECT_EQ(Member(lf, kFontBold), 1);
    EXPECT_EQ(Member(lf, kFontItalic), 1);
    EXPECT_EQ(Member(lf, kFontStrikeOut), 0);
    EXPECT_EQ(Member(lf, kFontUnderline), 0);
    EXPECT_EQ(Member(lf, kFontSize), 9);
    EXPECT_EQ(ReadFontMember(lf, kFontBold, kDpi).tag, static_cast<uint32_t>(kTagLogical));
    EXPECT_EQ(Face(lf), "Arial");
    // Not a member: no value.
    EXPECT_EQ(ReadFontMember(lf, 7, kDpi).tag, 0u);
    EXPECT_EQ(ReadFontMember(lf, -2, kDpi).tag, 0u);
}

TEST(PropertyConversion, AngleIsTakenModulo3600) {
    const struct {
        int32_t written, stored;
    } cases[] = {{0, 0},
                 {3599, 3599},
                 {3600, 0},
                 {7300, 100},
                 {-1, 3599},
                 {-3600, 0},
                 {-3700, 3500},
                 {INT32_MAX, INT32_MAX % 3600},
                 {INT32_MIN, 3600 + INT32_MIN % 3600}};
    for (const auto& c : cases) {
        std::string lf = WriteFontMember(SampleLogFont(), kFontAngle, MakeInteger(c.written), kDpi);
        EXPECT_EQ(Member(lf, kFontAngle), c.stored) << c.written;
        EXPECT_EQ(GetI32(lf, 12), c.stored) << "orientation follows the escapement";
    }
}

TEST(PropertyConversion, BoldIsWeight700AndFlagsAreLogical) {
    std::string lf = WriteFontMember(SampleLogFont(), kFontBold, MakeLogical(false), kDpi);
    EXPECT_EQ(GetI32(lf, 16), 400);
    EXPECT_EQ(Member(lf, kFontBold), 0);
    lf = WriteFontMember(lf, kFontBold, MakeInteger(2), kDpi);
    EXPECT_EQ(GetI32(lf, 16), 700);
    lf = WriteFontMember(lf, kFontUnderline, MakeInteger(9), kDpi);
    lf = WriteFontMember(lf, kFontStrikeOut, MakeLogical(true), kDpi);
    lf = WriteFontMember(lf, kFontItalic, MakeLogical(false), kDpi);
    EXPECT_EQ(lf[21], 1);
    EXPECT_EQ(lf[22], 1);
    EXPECT_EQ(lf[20], 0);
    // Members not written keep their values.
    EXPECT_EQ(Member(lf, kFontAngle), 450);
    EXPECT_EQ(Face(lf), "Arial");
}

TEST(PropertyConversion, SizeInPoints) {
    std::string lf = WriteFontMember(SampleLogFont(), kFontSize, MakeInteger(12), kDpi);
    EXPECT_EQ(GetI32(lf, 0), -16);
    EXPECT_EQ(Member(lf, kFontSize), 12);
    // At 120 dpi 9 points are 15 pixels, read back as 9 points at that resolution.
    lf = WriteFontMember(lf, kFontSize, MakeInteger(9), 120);
    EXPECT_EQ(GetI32(lf, 0), -15);
    EXPECT_EQ(ReadFontMember(lf, kFontSize, 120).low, 9u);
    // Nonsense resolutions fall back to 96 dpi rather than dividing by zero.
    EXPECT_EQ(ReadFontMember(lf, kFontSize, 0).low, 11u);
}

TEST(PropertyConversion, FaceNamesOutOfRangeBecomeSongTi) {
    const std::string lf = SampleLogFont();
    EXPECT_EQ(Face(WithFace(lf, "")), "宋体");
    EXPECT_EQ(Face(WriteFontMember(lf, kFontFaceName, MakeText(nullptr), kDpi)), "宋体");
    EXPECT_EQ(Face(WithFace(lf, std::string(32, 'x'))), "宋体");
    EXPECT_EQ(Face(WithFace(lf, std::string(200, 'x'))), "宋体");
    EXPECT_EQ(Face(WithFace(lf, std::string(31, 'y'))), std::string(31, 'y'));
    EXPECT_EQ(Face(WithFace(lf, "T")), "T");
    // A shorter name leaves no trace of the longer one before it.
    std::string replaced = WithFace(WithFace(lf, std::string(31, 'y')), "Ab");
    EXPECT_EQ(replaced.substr(28, 32), std::string("Ab") + std::string(30, '\0'));
}

TEST(PropertyConversion, TheWholeFontRecordRoundTrips) {
    std::string source = WriteFontMember(SampleLogFont(), kFontUnderline, MakeLogical(true), kDpi);
    source = WithFace(source, "楷体");
    TypedValue record = ReadFontMember(source, kWholeFont, kDpi);
    EXPECT_EQ(record.tag, static_cast<uint32_t>(kTagByteData));
    const std::string bytes = TakeBytes(record);
    ASSERT_EQ(bytes.size(), kFontRecordSize);

    std::string target(kLogFontSize, '\0');
    PutU32(target, 16, 400);
    TypedValue v = MakeByteData(bytes);
    std::string written = WriteFontMember(target, kWholeFont, v, kDpi);
    FreeBlock(const_cast<char*>(TextOf(v)));
    for (int m = kFontAngle; m <= kFontSize; ++m)
        EXPECT_EQ(Member(written, m), Member(source, m)) << m;
    EXPECT_EQ(Face(written), "楷体");
    // And once more: the record read back is the same record.
    EXPECT_EQ(TakeBytes(ReadFontMember(written, kWholeFont, kDpi)), bytes);
}

TEST(PropertyConversion, WholeFontWritesOfOtherShapes) {
    const std::string lf = SampleLogFont();
    std::string other(kLogFontSize, '\0');
    PutU32(other, 0, -20);
    std::memcpy(&other[28], "Tahoma", 6);
    TypedValue v = MakeByteData(other);
    EXPECT_EQ(WriteFontMember(lf, kWholeFont, v, kDpi), other);  // a LOGFONTA replaces it
    FreeBlock(const_cast<char*>(TextOf(v)));
    // Neither shape: unchanged.
    v = MakeByteData("short");
    EXPECT_EQ(WriteFontMember(lf, kWholeFont, v, kDpi), lf);
    FreeBlock(const_cast<char*>(TextOf(v)));
    EXPECT_EQ(WriteFontMember(lf, kWholeFont, MakeText(nullptr), kDpi), lf);
    // A record whose face fills all 32 bytes: "宋体".
    std::string record(kFontRecordSize, '\0');
    std::memset(&record[24], 'z', 32);
    v = MakeByteData(record);
    EXPECT_EQ(Face(WriteFontMember(lf, kWholeFont, v, kDpi)), "宋体");
    FreeBlock(const_cast<char*>(TextOf(v)));
    // Not a member: unchanged.
    EXPECT_EQ(WriteFontMember(lf, 9, MakeInteger(1), kDpi), lf);
}

TEST(PropertyConversion, ShortFontRecordsAreReadAsZeroPadded) {
    const std::string shortFont("\xF4\xFF\xFF\xFF", 4);  // height -12 only
    EXPECT_EQ(Member(shortFont, kFontSize), 9);
    EXPECT_EQ(Face(shortFont), "");
    EXPECT_EQ(WriteFontMember(shortFont, kFontBold, MakeLogical(true), kDpi).size(), kLogFontSize);
}

}  // namespace
}  // namespace velmora

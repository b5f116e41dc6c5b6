// Covers: the runtime's text and byte-data blocks and the program path split.
//  - an empty text gives null, a text of n bytes a zero-terminated block of n + 1;
//  - FreeBlock ignores null and pointers into protected ranges (start inclusive,
//    end exclusive);
//  - byte-data blocks keep their length and bytes, embedded zeros included;
//  - the path splits at the last backslash, never at the second byte of a
//    double-byte character.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/program_path.h"
#include "runtime/text_block.h"

namespace velmora {
namespace {

TEST(TextBlock, EmptyTextIsNullAndOthersAreFreshCopies) {
    EXPECT_EQ(NewTextBlock("", 0), nullptr);
    EXPECT_EQ(NewTextBlock(std::string()), nullptr);
    const char source[] = "停止";
    char* copy = NewTextBlock(source, std::strlen(source));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, source);
    EXPECT_STREQ(copy, source);
    FreeBlock(copy);
}

TEST(TextBlock, FreeBlockLeavesNullAndProtectedTextsAlone) {
    FreeBlock(nullptr);
    // A "constant area" of our own: freeing into it must not reach the heap (under
    // the sanitizers a free of a static array would abort the test).
    static char constants[16] = "播放";
    RegisterProtectedRange(constants, constants + sizeof constants);
    EXPECT_TRUE(IsProtected(constants));
    EXPECT_TRUE(IsProtected(constants + 15));
    EXPECT_FALSE(IsProtected(constants + 16));
    FreeBlock(constants);
    FreeBlock(constants + 4);
    EXPECT_STREQ(constants, "播放");
}

TEST(TextBlock, ByteBlocksKeepLengthAndEmbeddedZeros) {
    EXPECT_EQ(NewByteBlock("", 0), nullptr);
    EXPECT_EQ(ByteBlockContents(nullptr), "");
    const std::string bytes("a\0b\xFF", 4);
    uint8_t* block = NewByteBlock(bytes.data(), bytes.size());
    EXPECT_EQ(ByteBlockContents(block), bytes);
    FreeBlock(block);
}

TEST(ProgramPath, SplitsAtTheLastRealBackslash) {
    EXPECT_EQ(SplitProgramPath("C:\\apps\\velmora.exe", IsGbkLeadByte).folder, "C:\\apps");
    EXPECT_EQ(SplitProgramPath("C:\\apps\\velmora.exe", IsGbkLeadByte).fileName, "velmora.exe");
    ProgramPath none = SplitProgramPath("velmora.exe", IsGbkLeadByte);
    EXPECT_EQ(none.folder, "");
    EXPECT_EQ(none.fileName, "velmora.exe");
    // 0x5C is also the second byte of GBK characters such as 圽 (0x88 0x5C): it is
    // part of the name, not a separator.
    const std::string name = "\x88\x5C.exe";
    ProgramPath dbcs = SplitProgramPath("D:\\x\\" + name, IsGbkLeadByte);
    EXPECT_EQ(dbcs.folder, "D:\\x");
    EXPECT_EQ(dbcs.fileName, name);
    // A lone lead byte at the very end does not swallow anything past the text.
    EXPECT_EQ(SplitProgramPath("a\\\x88", IsGbkLeadByte).fileName, "\x88");
}

}  // namespace
}  // namespace velmora

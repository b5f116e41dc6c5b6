// Covers: recognition of picture data by its first bytes, including the rule that
// 5 bytes or less are never a picture, and near misses of every format.
#include <gtest/gtest.h>

#include <string>

#include "ui/picture/picture_format.h"

namespace velmora {
namespace {

PictureKind Kind(const std::string& s) {
    return RecognizePicture(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

TEST(PictureFormat, RecognisesEachKindFromItsFirstBytes) {
    using std::string;
    EXPECT_EQ(Kind(string("BM\0\0\0\0", 6)), PictureKind::kBitmap);
    EXPECT_EQ(Kind(string("\xFF\xD8\xFF\xE0\0\0", 6)), PictureKind::kJpeg);
    EXPECT_EQ(Kind(string("\0\0\1\0\1\0", 6)), PictureKind::kIcon);
    EXPECT_EQ(Kind(string("\0\0\2\0\3\0", 6)), PictureKind::kCursor);
    EXPECT_EQ(Kind("GIF87a"), PictureKind::kGif);
    EXPECT_EQ(Kind("GIF89a"), PictureKind::kGif);
    EXPECT_EQ(Kind(string("\x0A\x05\x01\x08\0\0", 6)), PictureKind::kPcx8);
    EXPECT_EQ(Kind(string("\x0A\x00\x01\x08\0\0", 6)), PictureKind::kPcx8);
    EXPECT_EQ(Kind(string("\x0A\x03\x01\x01\0\0", 6)), PictureKind::kPcx1);
}

TEST(PictureFormat, FiveBytesOrLessAreNoPicture) {
    EXPECT_EQ(Kind("BM123"), PictureKind::kNone);
    EXPECT_EQ(Kind("GIF89"), PictureKind::kNone);
    EXPECT_EQ(Kind(""), PictureKind::kNone);
    EXPECT_EQ(RecognizePicture(nullptr, 100), PictureKind::kNone);
    EXPECT_EQ(Kind("BM1234"), PictureKind::kBitmap);
}

TEST(PictureFormat, NearMissesAreNoPicture) {
    using std::string;
    EXPECT_EQ(Kind(string("\0\0\1\0\0\0", 6)), PictureKind::kNone);  // icon, count 0
    EXPECT_EQ(Kind(string("\0\0\3\0\1\0", 6)), PictureKind::kNone);  // type 3
    EXPECT_EQ(Kind(string("\1\0\1\0\1\0", 6)), PictureKind::kNone);  // reserved not 0
    EXPECT_EQ(Kind("GIF88a"), PictureKind::kNone);
    EXPECT_EQ(Kind("gif89a"), PictureKind::kNone);
    EXPECT_EQ(Kind(string("\x0A\x06\x01\x08\0\0", 6)), PictureKind::kNone);  // version 6
    EXPECT_EQ(Kind(string("\x0A\x05\x00\x08\0\0", 6)), PictureKind::kNone);  // not RLE
    EXPECT_EQ(Kind(string("\x0A\x05\x01\x01\0\0", 6)), PictureKind::kNone);  // 1 bpp needs v3
    EXPECT_EQ(Kind(string("\x0A\x03\x01\x04\0\0", 6)), PictureKind::kNone);  // 4 bpp
    EXPECT_EQ(Kind(string("\xFF\xD9\0\0\0\0", 6)), PictureKind::kNone);
    EXPECT_EQ(Kind("MB1234"), PictureKind::kNone);
}

}  // namespace
}  // namespace velmora

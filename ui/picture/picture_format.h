#pragma once
// Recognition of picture data by its first bytes.

#include <cstddef>
#include <cstdint>

namespace velmora {

enum class PictureKind {
    kNone,    // empty, 5 bytes or less, or no recognised format
    kBitmap,  // "BM"
    kJpeg,    // FF D8
    kIcon,    // u16 0, u16 1, u16 count > 0
    kCursor,  // u16 0, u16 2, u16 count > 0
    kGif,     // "GIF87a" / "GIF89a"
    kPcx8,    // 0A, version <= 5, 01, 08
    kPcx1,    // 0A, 03, 01, 01
};

// The format of a picture, from its first bytes; kNone for data of 5 bytes or less.
PictureKind RecognizePicture(const uint8_t* data, size_t size);

// A short lower-case name for messages and the developer command ("gif", "none", ...).
const char* PictureKindName(PictureKind kind);

}  // namespace velmora

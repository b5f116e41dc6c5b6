#include "ui/picture/picture_format.h"

#include <cstring>

#include "runtime/byte_reader.h"

namespace velmora {

PictureKind RecognizePicture(const uint8_t* data, size_t size) {
    // Every format below needs at most 6 bytes to be told apart, and nothing of
    // 5 bytes or less can hold a picture.
    if (data == nullptr || size <= 5)
        return PictureKind::kNone;
    if (data[0] == 'B' && data[1] == 'M')
        return PictureKind::kBitmap;
    if (data[0] == 0xFF && data[1] == 0xD8)
        return PictureKind::kJpeg;
    if (U16At(data) == 0 && U16At(data + 4) > 0) {
        if (U16At(data + 2) == 1)
            return PictureKind::kIcon;
        if (U16At(data + 2) == 2)
            return PictureKind::kCursor;
    }
    if (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0) {
        return PictureKind::kGif;
    }
    if (data[0] == 0x0A && data[1] <= 5 && data[2] == 0x01 && data[3] == 0x08) {
        return PictureKind::kPcx8;
    }
    if (data[0] == 0x0A && data[1] == 0x03 && data[2] == 0x01 && data[3] == 0x01) {
        return PictureKind::kPcx1;
    }
    return PictureKind::kNone;
}

const char* PictureKindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::kNone:
            return "none";
        case PictureKind::kBitmap:
            return "bitmap";
        case PictureKind::kJpeg:
            return "jpeg";
        case PictureKind::kIcon:
            return "icon";
        case PictureKind::kCursor:
            return "cursor";
        case PictureKind::kGif:
            return "gif";
        case PictureKind::kPcx8:
            return "pcx8";
        case PictureKind::kPcx1:
            return "pcx1";
    }
    return "none";
}

}  // namespace velmora

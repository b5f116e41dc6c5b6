#pragma once
// The directory of an icon or cursor file and the choice of the image to show.

#include <cstddef>
#include <cstdint>

namespace velmora {

enum class IconResult {
    kOk,
    kNotIcon,             // not u16 0, u16 1 or 2, u16 count > 0
    kDirectoryTruncated,  // the entries reach past the end of the data
    kBadImage,            // the chosen entry's image lies outside the data or is not a DIB/PNG
};

struct IconChoice {
    bool cursor = false;
    unsigned index = 0;  // directory entry chosen
    size_t offset = 0;   // the image: [offset, offset + size)
    size_t size = 0;
    int width = 0;  // from the entry (a stored 0 means 256)
    int height = 0;
    uint16_t hotspotX = 0;  // cursors only
    uint16_t hotspotY = 0;
    bool png = false;  // image stored as PNG rather than as a DIB
};

// Chooses the first entry 32 pixels wide whose colour-count byte is above 15, else
// the last entry, and checks that its image lies within the data and starts with a
// plausible header (a BITMAPINFOHEADER whose colour table and masks fit, or PNG).
IconResult ChooseIconImage(const uint8_t* data, size_t size, IconChoice& choice);

}  // namespace velmora

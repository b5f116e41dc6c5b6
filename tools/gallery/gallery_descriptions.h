#pragma once
// The gallery's one window, written as readable source like the program's own:
// every control type in several settings, so that newcomers and reviewers can see
// them. velmora-tool build-gallery compiles it into the description set that
// velmora-gallery.exe embeds.

#include <cstdint>
#include <string>

#include "ui/loader/description_set.h"

namespace velmora::gallery {

constexpr uint32_t kWindowId = 0x52010101;
constexpr uint32_t kOwnUnit = 0x06010100;
constexpr uint32_t kTickTimer = 0x16010140;
constexpr uint32_t kTickCountLabel = 0x16010141;

// The stored reference of the gallery's one handler: the timer's tick.
constexpr uint32_t kTickHandlerRef = 0x00000100;

// The pictures it shows; the JPEG comes from a file (we have no JPEG writer).
struct Pictures {
    std::string bmp, ico, pcx, jpeg, gif;
};
Pictures MakePictures(const std::string& jpeg);

DescriptionSet Descriptions(const Pictures& pictures);

}  // namespace velmora::gallery

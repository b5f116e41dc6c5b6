#pragma once
// The declared kind of a property; the loader converts values by kind.

#include <cstdint>

namespace velmora {

enum class PropertyKind : uint16_t {
    kInteger = 1001,
    kLogical = 1003,
    kText = 1005,
    kChoice = 1006,
    kPicture = 1009,
    kIcon = 1010,
    kMousePointer = 1011,
    kSound = 1012,
    kFont = 1013,
    kColour = 1014,
    kGradientColour = 1015,
    kFileName = 1016,
    kBackgroundColour = 1017,
    kDataSource = 1018,
    kDataField = 1020,
};

}  // namespace velmora

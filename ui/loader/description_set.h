#pragma once
// The stored window descriptions: one little-endian block of bytes holding every
// window of the program, its units (the window's own unit and its controls), their
// geometry, flags, event bindings and the control types' own property data.
//
//   u32 n = 8 * window count
//   window count * u32 window identifiers
//   window count * u32 reserved words (ignored when reading)
//   window count * WindowDescription, in the same order:
//     u32 window word, u32 module identifier, two length-prefixed texts,
//     u32 unit count N, u32 byte count of the rest of this description,
//     N * u32 unit identifiers, N * u32 record offsets (from the first byte after
//     the offset array), N * UnitRecord (layout in description_set.cpp).
//
// Record 0 is the window's own unit; the controls follow latest-added first.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// Handler reference meaning "no handler".
constexpr uint32_t kNoHandler = 0xFFFFFFFF;

struct EventBinding {
    int32_t eventIndex = 0;
    uint32_t handlerRef = kNoHandler;
};

// Unit flag bits.
constexpr uint32_t kUnitVisible = 1u << 0;
constexpr uint32_t kUnitDisabled = 1u << 1;
constexpr uint32_t kUnitTabStop = 1u << 2;

struct UnitRecord {
    uint32_t unitId = 0;
    uint32_t typeCode = 0;
    uint32_t eventLink = 0;  // another unit of the same type whose bindings this one uses
    std::string name;        // GBK
    std::string comment;
    int32_t left = 0, top = 0, width = 0, height = 0;
    uint32_t parent = 0;  // containing unit; 0 = the window
    std::vector<uint32_t> children;
    std::string pointerData;  // first u32: pointer number, 0 = default
    std::string tag;
    uint32_t flags = 0;
    std::vector<EventBinding> bindings;
    std::string ownData;  // the control type's own property block; empty = defaults
};

struct WindowDescription {
    uint32_t windowId = 0;
    uint32_t reservedWord = 0;  // stored beside the identifiers; meaningless at run time
    uint32_t windowWord = 0;
    uint32_t moduleId = 0;
    std::string text1, text2;
    std::vector<UnitRecord> units;  // [0] is the window's own unit

    // The unit with this identifier, or nullptr.
    const UnitRecord* FindUnit(uint32_t unitId) const;
};

struct DescriptionSet {
    std::vector<WindowDescription> windows;

    const WindowDescription* FindWindow(uint32_t windowId) const;
};

// Why a block of bytes is not a description set; kNone on success.
enum class DescriptionError {
    kNone,
    kTruncated,         // a field reaches past the data, its window or its record
    kBadWindowCount,    // n is not a multiple of 8, or the identifiers do not fit
    kBadOffset,         // a record offset or length points outside its window's block
    kUnterminatedText,  // a name, comment or tag lacks its zero byte within the record
    kBadCount,          // a unit, child, pointer or binding count does not fit
    kDuplicateWindow,   // a window identifier appears twice
    kDuplicateUnit,     // a unit identifier appears twice within one window
};

const char* DescriptionErrorText(DescriptionError error);

// Parses the stored bytes. Never reads outside [data, data + size).
DescriptionError ParseDescriptionSet(const uint8_t* data, size_t size, DescriptionSet& out);

// Writes the stored byte format; records are laid out in order, back to back.
std::string WriteDescriptionSet(const DescriptionSet& set);

}  // namespace velmora

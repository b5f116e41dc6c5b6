#pragma once
// Property kinds and property tables. Every property of a control type has a
// declared kind; the loader converts raw values read from or written to a control
// by that kind (integers, colours and choices as 32-bit values, logicals as 0/1,
// texts and byte data as fresh blocks, fonts by member).

#include <cstddef>
#include <cstdint>

namespace velmora {

enum class PropertyKind : uint16_t {
    kInteger = 1001,
    kLogical = 1003,
    kText = 1005,
    kChoice = 1006,            // i32 index into a fixed list, clamped per property
    kPicture = 1009,           // byte data: an image file
    kIcon = 1010,              // byte data: an icon file
    kMousePointer = 1011,      // byte data (common property 7)
    kSound = 1012,             // byte data
    kFont = 1013,              // byte data: empty or one 60-byte LOGFONTA record
    kColour = 1014,            // COLORREF 0x00BBGGRR
    kGradientColour = 1015,    // colour; 0xFF000000 = colour not used
    kFileName = 1016,          // text
    kBackgroundColour = 1017,  // colour; 0xFF000000 = system default
    kDataSource = 1018,        // text naming a data binding
    kDataField = 1020,         // text naming a data binding
};

// A readable name of the kind ("integer", "background colour", ...).
constexpr const char* PropertyKindName(PropertyKind kind) {
    switch (kind) {
        case PropertyKind::kInteger:
            return "integer";
        case PropertyKind::kLogical:
            return "logical";
        case PropertyKind::kText:
            return "text";
        case PropertyKind::kChoice:
            return "choice";
        case PropertyKind::kPicture:
            return "picture";
        case PropertyKind::kIcon:
            return "icon";
        case PropertyKind::kMousePointer:
            return "mouse pointer";
        case PropertyKind::kSound:
            return "sound";
        case PropertyKind::kFont:
            return "font";
        case PropertyKind::kColour:
            return "colour";
        case PropertyKind::kGradientColour:
            return "gradient colour";
        case PropertyKind::kFileName:
            return "file name";
        case PropertyKind::kBackgroundColour:
            return "background colour";
        case PropertyKind::kDataSource:
            return "data source";
        case PropertyKind::kDataField:
            return "data field";
    }
    return "unknown kind";
}

// The system default colour in colour and background-colour properties.
constexpr uint32_t kSystemDefaultColour = 0xFF000000;

// One row of a property table: the global property index (8 and up for a type's
// own properties), the property's name and its kind.
struct PropertyInfo {
    int32_t index;
    const char* name;
    PropertyKind kind;
};

// A type's property table, ascending by index. Indexes may have gaps (indexes
// that carry no value at run time have no row).
struct PropertyTable {
    const PropertyInfo* rows = nullptr;
    size_t count = 0;

    // The row for this global index, or nullptr.
    const PropertyInfo* Find(int32_t index) const {
        for (size_t i = 0; i < count; ++i) {
            if (rows[i].index == index)
                return &rows[i];
        }
        return nullptr;
    }
    const PropertyInfo* begin() const { return rows; }
    const PropertyInfo* end() const { return rows + count; }
};

template <size_t N>
constexpr PropertyTable MakePropertyTable(const PropertyInfo (&rows)[N]) {
    return PropertyTable{rows, N};
}

// Properties 0-7, common to every control type.
inline constexpr PropertyInfo kCommonPropertyRows[] = {
    {0, "Left", PropertyKind::kInteger},     {1, "Top", PropertyKind::kInteger},
    {2, "Width", PropertyKind::kInteger},    {3, "Height", PropertyKind::kInteger},
    {4, "Tag", PropertyKind::kText},         {5, "Visible", PropertyKind::kLogical},
    {6, "Disabled", PropertyKind::kLogical}, {7, "MousePointer", PropertyKind::kMousePointer},
};
inline constexpr PropertyTable kCommonProperties = MakePropertyTable(kCommonPropertyRows);

// The first own property's global index.
constexpr int32_t kFirstOwnPropertyIndex = 8;

}  // namespace velmora

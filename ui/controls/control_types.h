#pragma once
// The eight control types of the program's windows: type codes, names, property
// tables and a decoder of each type's own property data, looked up by type code.
// (The live types, which need Windows, register their operations with the loader.)

#include <cstdint>
#include <vector>

#include "ui/controls/own_data.h"

namespace velmora {

// Type code: library number in the high 16 bits, type number in the low 16 bits.
constexpr uint32_t kWindowTypeCode = 0x00010001;
constexpr uint32_t kEditBoxTypeCode = 0x00010005;
constexpr uint32_t kPicBoxTypeCode = 0x00010006;
constexpr uint32_t kLabelTypeCode = 0x0001000A;
constexpr uint32_t kButtonTypeCode = 0x0001000B;
constexpr uint32_t kHyperLinkerTypeCode = 0x0001001D;
constexpr uint32_t kTimerTypeCode = 0x00010020;
constexpr uint32_t kQTipTypeCode = 0x00020001;

// A type's number within its library: the low half of its code.
constexpr uint16_t TypeNumberOf(uint32_t typeCode) {
    return static_cast<uint16_t>(typeCode & 0xFFFF);
}

struct ControlTypeInfo {
    uint32_t typeCode;
    const char* name;        // the stored English name, e.g. "EditBox"
    const char* storedName;  // the stored Chinese name (GBK), e.g. "编辑框"
    const PropertyTable* ownProperties;
    // Decodes a block (the type's defaults for a new control, standard system
    // colours) and lists its stored properties in index order.
    OwnDataError (*listOwnData)(const uint8_t* data, size_t size,
                                std::vector<OwnPropertyValue>& out);
};

// All eight types, in type code order.
extern const ControlTypeInfo kControlTypes[8];

// The type with this code, or nullptr.
const ControlTypeInfo* FindControlTypeInfo(uint32_t typeCode);

// The row of a global property index (common 0-7 or the type's own), or nullptr.
const PropertyInfo* FindProperty(uint32_t typeCode, int32_t index);

// The kinds of a type's own properties by own number (global index - 8), as the
// loader's ControlType holds them; numbers without a row (indexes that carry no
// value) get kInteger.
std::vector<PropertyKind> OwnKindsByNumber(const PropertyTable& table);

// Decodes the own property data of a unit of this type and lists it.
OwnDataError ListOwnProperties(uint32_t typeCode, const uint8_t* data, size_t size,
                               std::vector<OwnPropertyValue>& out);

}  // namespace velmora

#pragma once
// The own property data of the control types: the last field of a unit record,
// holding the type's own properties. Little-endian throughout:
//   u32 format version
//   the type's fields in its fixed order: 32-bit integers, 16-bit integers,
//   byte data and texts (a u32 length and that many bytes, texts without
//   terminator), and reserved words
// An empty block means all defaults. A block whose version is above the type's
// highest, or that ends before its last field, is rejected. Bytes after the last
// field are ignored.
//
// Each type describes its block once, as a table of OwnField rows; decoding,
// encoding and the readable listing all walk that table.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "runtime/byte_reader.h"
#include "ui/loader/property_kind.h"

namespace velmora {

enum class OwnDataError {
    kNone,
    kVersionTooHigh,  // the version is above the type's highest
    kTruncated,       // the block ends before its last field
    kUnknownType,     // no control type has this type code
};

const char* OwnDataErrorText(OwnDataError error);

// One decoded own property, for readable listings: its table row and its value
// (`number` for the 32-bit kinds, `bytes` for texts and byte data; a 16-bit
// character field gives both: its number, and its low byte as the text).
struct OwnPropertyValue {
    const PropertyInfo* info = nullptr;
    uint32_t number = 0;
    std::string bytes;
};

enum class OwnFieldType : uint8_t {
    kI32,             // int32_t member
    kU32,             // uint32_t member (colours)
    kU16,             // uint16_t member, stored in 2 bytes
    kBytes,           // std::string member: u32 length + bytes
    kNegatedLogical,  // int32_t logical member, stored as its negation (0 <-> 1)
    kReserved,        // u32 written 0, skipped when read
};

// How a written integer is bounded: not at all, clamped to low..high, or refused
// (nothing stored) outside low..high.
enum class OwnBound : uint8_t {
    kNone,
    kClamp,
    kRefuse,
};

// One field of a type's block. Besides its stored form it says how a written
// value is bounded (`Clamp`, `Refuse`) and what the live control does once the
// value is stored (`Then`, a step of the type's own list; 0 when not given).
template <class P>
struct OwnField {
    OwnFieldType type = OwnFieldType::kReserved;
    int32_t index = -1;  // global property index; -1 for reserved words
    uint32_t since = 0;  // first format version that holds the field
    int32_t P::*i32 = nullptr;
    uint32_t P::*u32 = nullptr;
    uint16_t P::*u16 = nullptr;
    std::string P::*bytes = nullptr;
    OwnBound bound = OwnBound::kNone;
    int32_t low = 0;
    int32_t high = 0;
    uint8_t step = 0;

    constexpr OwnField Clamp(int32_t lowest, int32_t highest) const {
        return Bounded(OwnBound::kClamp, lowest, highest);
    }
    constexpr OwnField Refuse(int32_t lowest, int32_t highest) const {
        return Bounded(OwnBound::kRefuse, lowest, highest);
    }
    constexpr OwnField Bounded(OwnBound how, int32_t lowest, int32_t highest) const {
        OwnField f = *this;
        f.bound = how;
        f.low = lowest;
        f.high = highest;
        return f;
    }
    template <class Step>
    constexpr OwnField Then(Step next) const {
        OwnField f = *this;
        f.step = static_cast<uint8_t>(next);
        return f;
    }
};

// The field of a member, stored as its type says: int32_t and uint32_t in 4 bytes,
// uint16_t in 2, std::string as a u32 length and its bytes. Blocks hold it from
// format version `since` on.
template <class P, class M>
constexpr OwnField<P> Field(int32_t index, M P::*member, uint32_t since = 0) {
    OwnField<P> f;
    f.index = index;
    f.since = since;
    if constexpr (std::is_same_v<M, int32_t>) {
        f.type = OwnFieldType::kI32;
        f.i32 = member;
    } else if constexpr (std::is_same_v<M, uint32_t>) {
        f.type = OwnFieldType::kU32;
        f.u32 = member;
    } else if constexpr (std::is_same_v<M, uint16_t>) {
        f.type = OwnFieldType::kU16;
        f.u16 = member;
    } else {
        static_assert(std::is_same_v<M, std::string>, "a field is an integer or bytes");
        f.type = OwnFieldType::kBytes;
        f.bytes = member;
    }
    return f;
}
template <class P>
constexpr OwnField<P> NegatedLogicalField(int32_t index, int32_t P::*member) {
    OwnField<P> f;
    f.type = OwnFieldType::kNegatedLogical;
    f.index = index;
    f.i32 = member;
    return f;
}
template <class P>
constexpr OwnField<P> ReservedField() {
    return OwnField<P>{};
}

// A type's block layout.
template <class P>
struct OwnLayout {
    const OwnField<P>* fields;
    size_t count;
    uint32_t highestVersion;
    bool versionChecked;  // false: any version is read as the highest
    const PropertyTable* table;

    // Decodes a stored block; fields the block's version lacks, and every field of an
    // empty block, take `defaults`. On failure `out` holds `defaults`.
    OwnDataError Decode(const uint8_t* data, size_t size, P& out, const P& defaults = P{}) const;
    // Encodes in the given format version (the highest when larger).
    std::string Encode(const P& p, uint32_t version = UINT32_MAX) const;
    // The stored properties, ascending by property index (a 16-bit character field
    // is listed as its character and its stored number).
    std::vector<OwnPropertyValue> List(const P& p) const;
};

// GCC's array-bounds check follows the kBytes case into layouts that have no
// byte fields (a Timer's block is one integer) and warns about a read that the
// layout never reaches.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif

template <class P>
bool IsLogicalField(const OwnLayout<P>& layout, const OwnField<P>& f) {
    const PropertyInfo* info = layout.table ? layout.table->Find(f.index) : nullptr;
    return info && info->kind == PropertyKind::kLogical;
}

template <class P>
OwnDataError OwnLayout<P>::Decode(const uint8_t* data, size_t size, P& out,
                                  const P& defaults) const {
    out = defaults;
    if (size == 0)
        return OwnDataError::kNone;
    ByteReader in(data, size);
    uint32_t version = in.U32();
    if (in.failed())
        return OwnDataError::kTruncated;
    if (!versionChecked)
        version = highestVersion;
    if (version > highestVersion)
        return OwnDataError::kVersionTooHigh;
    P p = defaults;
    for (size_t i = 0; i < count; ++i) {
        const OwnField<P>& f = fields[i];
        if (version < f.since)
            continue;
        switch (f.type) {
            case OwnFieldType::kI32:
                p.*f.i32 = in.I32();
                // A logical works as true whenever it is nonzero, and reads back as
                // true only when it is 1: any nonzero stored word is taken as 1, so
                // that what a control does and what a read answers agree.
                if (p.*f.i32 != 0 && IsLogicalField(*this, f))
                    p.*f.i32 = 1;
                break;
            case OwnFieldType::kU32:
                p.*f.u32 = in.U32();
                break;
            case OwnFieldType::kU16:
                p.*f.u16 = in.U16();
                break;
            case OwnFieldType::kBytes:
                in.LengthPrefixed(p.*f.bytes);
                break;
            case OwnFieldType::kNegatedLogical:
                p.*f.i32 = in.U32() == 0 ? 1 : 0;
                break;
            case OwnFieldType::kReserved:
                in.U32();
                break;
        }
        if (in.failed())
            return OwnDataError::kTruncated;
    }
    out = std::move(p);
    return OwnDataError::kNone;
}

template <class P>
std::string OwnLayout<P>::Encode(const P& p, uint32_t version) const {
    version = std::min(version, highestVersion);
    ByteWriter out;
    out.U32(version);
    for (size_t i = 0; i < count; ++i) {
        const OwnField<P>& f = fields[i];
        if (version < f.since)
            continue;
        switch (f.type) {
            case OwnFieldType::kI32:
                out.I32(p.*f.i32);
                break;
            case OwnFieldType::kU32:
                out.U32(p.*f.u32);
                break;
            case OwnFieldType::kU16:
                out.U16(p.*f.u16);
                break;
            case OwnFieldType::kBytes:
                out.LengthPrefixed(p.*f.bytes);
                break;
            case OwnFieldType::kNegatedLogical:
                out.U32(p.*f.i32 == 0 ? 1 : 0);
                break;
            case OwnFieldType::kReserved:
                out.U32(0);
                break;
        }
    }
    return out.Take();
}

template <class P>
std::vector<OwnPropertyValue> OwnLayout<P>::List(const P& p) const {
    std::vector<OwnPropertyValue> values;
    for (size_t i = 0; i < count; ++i) {
        const OwnField<P>& f = fields[i];
        if (f.index < 0)
            continue;
        OwnPropertyValue v;
        v.info = table->Find(f.index);
        if (!v.info)
            continue;
        switch (f.type) {
            case OwnFieldType::kI32:
            case OwnFieldType::kNegatedLogical:
                v.number = static_cast<uint32_t>(p.*f.i32);
                break;
            case OwnFieldType::kU32:
                v.number = p.*f.u32;
                break;
            case OwnFieldType::kU16:
                v.number = p.*f.u16;
                if (v.number & 0xFF)
                    v.bytes.assign(1, static_cast<char>(v.number & 0xFF));
                break;
            case OwnFieldType::kBytes:
                v.bytes = p.*f.bytes;
                break;
            case OwnFieldType::kReserved:
                break;
        }
        values.push_back(std::move(v));
    }
    std::stable_sort(values.begin(), values.end(),
                     [](const OwnPropertyValue& a, const OwnPropertyValue& b) {
                         return a.info->index < b.info->index;
                     });
    return values;
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace velmora

#include "ui/loader/description_set.h"

#include <algorithm>
#include <unordered_set>

#include "runtime/byte_reader.h"

namespace velmora {

namespace {

// UnitRecord, all little-endian:
//   +0   u32 length of the rest of the record
//   +4   u32 type code
//   +8   u32 event link
//   +12  16 reserved bytes
//   +28  name, zero-terminated; comment, zero-terminated
//        u32 live-object slot (stored 0)
//        4 * i32 left, top, width, height
//        u32 pointer slot (stored 0)
//        u32 parent, u32 child count C, C * u32 children
//        u32 pointer data length P, P bytes
//        tag, zero-terminated
//        u32 reserved, u32 flags, u32 reserved
//        u32 binding count B, B * (i32 event index, u32 handler reference)
//        20 reserved bytes
//        own property data: the rest of the record
constexpr size_t kReservedHeadBytes = 16;
constexpr size_t kReservedTailBytes = 20;

DescriptionError ParseUnitRecord(ByteReader& record, UnitRecord& unit) {
    unit.typeCode = record.U32();
    unit.eventLink = record.U32();
    record.Skip(kReservedHeadBytes);
    if (record.failed())
        return DescriptionError::kTruncated;
    if (!record.ZeroTerminated(unit.name) || !record.ZeroTerminated(unit.comment)) {
        return DescriptionError::kUnterminatedText;
    }
    record.U32();  // live-object slot
    unit.left = record.I32();
    unit.top = record.I32();
    unit.width = record.I32();
    unit.height = record.I32();
    record.U32();  // pointer slot
    unit.parent = record.U32();
    uint32_t childCount = record.U32();
    if (record.failed())
        return DescriptionError::kTruncated;
    if (childCount > record.remaining() / 4)
        return DescriptionError::kBadCount;
    unit.children.resize(childCount);
    for (uint32_t& child : unit.children)
        child = record.U32();
    uint32_t pointerLength = record.U32();
    if (record.failed())
        return DescriptionError::kTruncated;
    if (pointerLength > record.remaining())
        return DescriptionError::kBadCount;
    record.Bytes(pointerLength, unit.pointerData);
    if (!record.ZeroTerminated(unit.tag))
        return DescriptionError::kUnterminatedText;
    record.U32();  // reserved
    unit.flags = record.U32();
    record.U32();  // reserved
    uint32_t bindingCount = record.U32();
    if (record.failed())
        return DescriptionError::kTruncated;
    if (bindingCount > record.remaining() / 8)
        return DescriptionError::kBadCount;
    unit.bindings.resize(bindingCount);
    for (EventBinding& b : unit.bindings) {
        b.eventIndex = record.I32();
        b.handlerRef = record.U32();
    }
    record.Skip(kReservedTailBytes);
    if (record.failed())
        return DescriptionError::kTruncated;
    record.Bytes(record.remaining(), unit.ownData);
    return DescriptionError::kNone;
}

// One WindowDescription; `in` stands at its window word.
DescriptionError ParseWindow(ByteReader& in, const uint8_t* base, WindowDescription& window) {
    window.windowWord = in.U32();
    window.moduleId = in.U32();
    in.LengthPrefixed(window.text1);
    in.LengthPrefixed(window.text2);
    uint32_t unitCount = in.U32();
    uint32_t restLength = in.U32();
    if (in.failed() || restLength > in.remaining())
        return DescriptionError::kTruncated;
    // Everything below stays inside this window's block.
    const uint8_t* blockStart = base + in.position();
    ByteReader block(blockStart, restLength);
    in.Skip(restLength);

    if (unitCount == 0 || unitCount > restLength / 8)
        return DescriptionError::kBadCount;
    std::vector<uint32_t> ids(unitCount), offsets(unitCount);
    for (uint32_t& id : ids)
        id = block.U32();
    for (uint32_t& offset : offsets)
        offset = block.U32();
    const size_t recordsStart = block.position();
    const size_t recordsSize = restLength - recordsStart;

    std::unordered_set<uint32_t> seen;
    window.units.resize(unitCount);
    for (uint32_t i = 0; i < unitCount; ++i) {
        if (!seen.insert(ids[i]).second)
            return DescriptionError::kDuplicateUnit;
        // +0 u32 record length, then that many bytes, all within the block.
        if (offsets[i] > recordsSize || recordsSize - offsets[i] < 4) {
            return DescriptionError::kBadOffset;
        }
        ByteReader lengthField(blockStart + recordsStart + offsets[i], 4);
        uint32_t recordLength = lengthField.U32();
        if (recordLength > recordsSize - offsets[i] - 4)
            return DescriptionError::kBadOffset;
        ByteReader record(blockStart + recordsStart + offsets[i] + 4, recordLength);
        window.units[i].unitId = ids[i];
        DescriptionError e = ParseUnitRecord(record, window.units[i]);
        if (e != DescriptionError::kNone)
            return e;
    }
    return DescriptionError::kNone;
}

void WriteUnitRecord(ByteWriter& out, const UnitRecord& unit) {
    size_t lengthAt = out.size();
    out.U32(0);
    out.U32(unit.typeCode);
    out.U32(unit.eventLink);
    out.Zeros(kReservedHeadBytes);
    out.ZeroTerminated(unit.name);
    out.ZeroTerminated(unit.comment);
    out.U32(0);  // live-object slot
    out.I32(unit.left);
    out.I32(unit.top);
    out.I32(unit.width);
    out.I32(unit.height);
    out.U32(0);  // pointer slot
    out.U32(unit.parent);
    out.U32(static_cast<uint32_t>(unit.children.size()));
    for (uint32_t child : unit.children)
        out.U32(child);
    out.LengthPrefixed(unit.pointerData);
    out.ZeroTerminated(unit.tag);
    out.U32(0);
    out.U32(unit.flags);
    out.U32(0);
    out.U32(static_cast<uint32_t>(unit.bindings.size()));
    for (const EventBinding& b : unit.bindings) {
        out.I32(b.eventIndex);
        out.U32(b.handlerRef);
    }
    out.Zeros(kReservedTailBytes);
    out.Bytes(unit.ownData);
    out.PatchU32(lengthAt, static_cast<uint32_t>(out.size() - lengthAt - 4));
}

}  // namespace

const UnitRecord* WindowDescription::FindUnit(uint32_t unitId) const {
    for (const UnitRecord& u : units) {
        if (u.unitId == unitId)
            return &u;
    }
    return nullptr;
}

const WindowDescription* DescriptionSet::FindWindow(uint32_t windowId) const {
    for (const WindowDescription& w : windows) {
        if (w.windowId == windowId)
            return &w;
    }
    return nullptr;
}

const char* DescriptionErrorText(DescriptionError error) {
    switch (error) {
        case DescriptionError::kNone:
            return "no error";
        case DescriptionError::kTruncated:
            return "a field reaches past the end of its data";
        case DescriptionError::kBadWindowCount:
            return "the window count does not fit the data";
        case DescriptionError::kBadOffset:
            return "a unit record lies outside its window";
        case DescriptionError::kUnterminatedText:
            return "a text lacks its terminating zero";
        case DescriptionError::kBadCount:
            return "a count does not fit its array";
        case DescriptionError::kDuplicateWindow:
            return "a window identifier appears twice";
        case DescriptionError::kDuplicateUnit:
            return "a unit identifier appears twice in a window";
    }
    return "unknown error";
}

DescriptionError ParseDescriptionSet(const uint8_t* data, size_t size, DescriptionSet& out) {
    out.windows.clear();
    ByteReader in(data, size);
    uint32_t n = in.U32();
    if (in.failed())
        return DescriptionError::kTruncated;
    if (n % 8 != 0 || n > in.remaining())
        return DescriptionError::kBadWindowCount;
    const uint32_t windowCount = n / 8;
    DescriptionSet set;
    set.windows.resize(windowCount);
    for (WindowDescription& w : set.windows)
        w.windowId = in.U32();
    for (WindowDescription& w : set.windows)
        w.reservedWord = in.U32();
    std::unordered_set<uint32_t> seen;
    for (WindowDescription& w : set.windows) {
        if (!seen.insert(w.windowId).second)
            return DescriptionError::kDuplicateWindow;
        DescriptionError e = ParseWindow(in, data, w);
        if (e != DescriptionError::kNone)
            return e;
    }
    out = std::move(set);
    return DescriptionError::kNone;
}

std::string WriteDescriptionSet(const DescriptionSet& set) {
    ByteWriter out;
    out.U32(static_cast<uint32_t>(8 * set.windows.size()));
    for (const WindowDescription& w : set.windows)
        out.U32(w.windowId);
    for (const WindowDescription& w : set.windows)
        out.U32(w.reservedWord);
    for (const WindowDescription& w : set.windows) {
        out.U32(w.windowWord);
        out.U32(w.moduleId);
        out.LengthPrefixed(w.text1);
        out.LengthPrefixed(w.text2);
        out.U32(static_cast<uint32_t>(w.units.size()));
        size_t restAt = out.size();
        out.U32(0);
        for (const UnitRecord& u : w.units)
            out.U32(u.unitId);
        size_t offsetsAt = out.size();
        for (size_t i = 0; i < w.units.size(); ++i)
            out.U32(0);
        size_t recordsStart = out.size();
        for (size_t i = 0; i < w.units.size(); ++i) {
            out.PatchU32(offsetsAt + 4 * i, static_cast<uint32_t>(out.size() - recordsStart));
            WriteUnitRecord(out, w.units[i]);
        }
        out.PatchU32(restAt, static_cast<uint32_t>(out.size() - restAt - 4));
    }
    return out.Take();
}

}  // namespace velmora

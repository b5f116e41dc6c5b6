#pragma once
// The live reads and writes of a type's own properties, driven by the same
// OwnField table as its stored block: a property number (global index - 8) finds
// its field; a write stores the value, clamped where the field says, and leaves
// the field's step to the control.

#include <algorithm>

#include "ui/controls/own_data.h"
#include "ui/loader/control_value.h"

namespace velmora {

// The field of property `number`, or null when the type has no such property.
template <class P>
const OwnField<P>* FindOwnField(const OwnLayout<P>& layout, int number) {
    const int32_t index = number + kFirstOwnPropertyIndex;
    for (size_t i = 0; i < layout.count; ++i) {
        if (layout.fields[i].index == index)
            return &layout.fields[i];
    }
    return nullptr;
}

// GCC follows the member kinds a layout never uses, as in own_data.h.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif

template <class P>
bool ReadOwnField(const OwnLayout<P>& layout, const P& p, int number, RawValue& out) {
    const OwnField<P>* f = FindOwnField(layout, number);
    if (!f)
        return false;
    if (f->bytes)
        out.bytes = p.*f->bytes;
    else if (f->u32)
        out.number = p.*f->u32;
    else if (f->u16)
        out.number = p.*f->u16;
    else
        out.number = static_cast<uint32_t>(p.*f->i32);
    return true;
}

// Stores a written value; the field written, or null when nothing was stored (the
// type has no such property, or the field refuses the value).
template <class P>
const OwnField<P>* StoreOwnField(const OwnLayout<P>& layout, P& p, int number,
                                 const RawValue& value) {
    const OwnField<P>* f = FindOwnField(layout, number);
    if (!f)
        return nullptr;
    if (f->bytes) {
        p.*f->bytes = value.bytes;
    } else if (f->u32) {
        p.*f->u32 = static_cast<uint32_t>(value.number);
    } else if (f->u16) {
        p.*f->u16 = static_cast<uint16_t>(value.number);
    } else {
        auto v = static_cast<int32_t>(value.number);
        if (f->bound == OwnBound::kRefuse && (v < f->low || v > f->high))
            return nullptr;
        if (f->bound == OwnBound::kClamp)
            v = std::clamp(v, f->low, f->high);
        p.*f->i32 = v;
    }
    return f;
}

// Brings every clamped field of `p` within its bounds.
template <class P>
void ClampOwnFields(const OwnLayout<P>& layout, P& p) {
    for (size_t i = 0; i < layout.count; ++i) {
        const OwnField<P>& f = layout.fields[i];
        if (f.bound == OwnBound::kClamp)
            p.*f.i32 = std::clamp(p.*f.i32, f.low, f.high);
    }
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace velmora

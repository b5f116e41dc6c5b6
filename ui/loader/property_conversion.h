#pragma once
// Conversion of property values between the typed values that handlers see and
// the raw values that control types hold, by the property's declared kind; the
// clamps of the common properties; the members of font-valued properties.

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/typed_value.h"
#include "ui/loader/control_value.h"
#include "ui/loader/property_kind.h"

namespace velmora {

// Common property indexes.
enum CommonProperty : int {
    kPropLeft = 0,
    kPropTop = 1,
    kPropWidth = 2,
    kPropHeight = 3,
    kPropTag = 4,
    kPropVisible = 5,
    kPropDisabled = 6,
    kPropMousePointer = 7,
    kFirstOwnProperty = 8,
};

constexpr int32_t kMaxCoordinate = 32627;

// Left and top: -32627..32627. Width and height: 0..32627.
int32_t ClampPosition(int32_t v);
int32_t ClampSize(int32_t v);

// A raw own-property value as the handler sees it: integers, colours and choices as
// 32-bit integers; logical 1 exactly when the raw value is 1; texts and byte data
// as fresh blocks (null when empty). Fonts go through the member functions below.
TypedValue TypedFromRaw(PropertyKind kind, const RawValue& raw);
// A fresh byte-data value holding `bytes` (a null block when empty).
TypedValue MakeByteData(const std::string& bytes);
// A handler's value converted to the kind, by the value's tag: numbers (logicals
// included; floating point truncated) for numeric, colour, choice and logical kinds
// (logical nonzero = 1); texts, and integers as decimal digits, for text kinds
// (null = empty); byte data for picture, icon, pointer, sound and font kinds. An
// omitted value is 0 or empty. A value of any other tag is refused (nullopt): the
// write changes nothing, and no number is ever taken for a pointer.
std::optional<RawValue> RawFromTyped(PropertyKind kind, const TypedValue& value);

// The same readings one by one, for the common properties (tag, pointer).
std::optional<int32_t> IntegerOf(const TypedValue& value);
std::optional<std::string> TextValueOf(const TypedValue& value);
std::optional<std::string> BytesValueOf(const TypedValue& value);

// Font members: 0 angle (tenths of a degree), 1 bold, 2 italic, 3 strike-out,
// 4 underline, 5 size (points), 6 face name.
enum FontMember : int {
    kFontAngle = 0,
    kFontBold = 1,
    kFontItalic = 2,
    kFontStrikeOut = 3,
    kFontUnderline = 4,
    kFontSize = 5,
    kFontFaceName = 6,
};

constexpr size_t kLogFontSize = 60;  // one LOGFONTA record

// The value of one member (or, for kWholeFont, a fresh seven-member record) of a
// 60-byte LOGFONTA. logPixelsY converts between heights and points.
constexpr int kWholeFont = -1;
TypedValue ReadFontMember(const std::string& logFont, int member, int logPixelsY);
// The LOGFONTA with one member changed: an angle is taken modulo 3600, bold means
// weight 700 (else 400), a face name of 1 to 31 bytes is used unchanged and any
// other gives "宋体". A whole-font write takes a 60-byte LOGFONTA or a
// seven-member record as byte data.
std::string WriteFontMember(const std::string& logFont, int member, const TypedValue& value,
                            int logPixelsY);

// The seven-member font record: six i32 (angle, bold, italic, strike-out, underline,
// size) and the face name in 32 zero-padded bytes.
constexpr size_t kFontRecordSize = 6 * 4 + 32;

}  // namespace velmora

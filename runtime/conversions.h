#pragma once
// The value conversions that the handlers use: text to number, integer to text,
// truncation of a number to an integer, and comparison of texts. None of them
// fails or reports anything, and none depends on a locale or on the floating-point
// unit's settings.

#include <cstdint>

#include "runtime/typed_value.h"

namespace velmora {

// The number at the start of a GBK text, after width folding (runtime/width_folding.h):
// white space (space, \t, \n, \v, \f, \r) skipped, an optional + or -, digits with at
// most one decimal point among, before or after them, and an optional exponent marked
// by e, E, d or D with an optional sign and at least one digit (without a digit the
// number ends before the marker). Reading stops at the first byte that does not fit.
// The result is the double nearest to the decimal value (ties to even), however many
// digits the text has; too large gives +-infinity, too small +-0 or a subnormal.
// A text without a leading number, and null, give 0.
double ToNumber(const char* text);

// The service command: one text argument; the double goes into result->low/high and
// the tag stays 0. Numeric arguments are converted as they are; an omitted or other
// argument gives 0.
void ToNumber(TypedValue* result, int argCount, const TypedValue* args);

// The decimal digits of value ("%d": a minus sign for negative values, nothing else),
// as a fresh text block that the caller frees with FreeBlock. Never null.
char* ToText(int32_t value);

// The service command: one integer argument (byte, short, integer or long integer
// kinds are formatted in decimal); the block's pointer goes into result->low (and,
// natively on 64-bit machines, its upper half into high); the tag stays 0. Any other
// argument gives null, the empty text.
void ToText(TypedValue* result, int argCount, const TypedValue* args);

// The integer-indefinite value that stands for a number with no integer value.
constexpr int64_t kIntegerIndefinite = INT64_MIN;

// value rounded toward zero; NaN, infinities and values of magnitude 2^63 or more
// give kIntegerIndefinite.
int64_t TruncateToInteger(double value);

// The low 32 bits of a truncated value as the program's signed integer: values
// beyond the 32-bit range wrap modulo 2^32, kIntegerIndefinite gives 0.
inline int32_t LowInteger(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// -1, 0 or 1 by unsigned byte values up to the terminating zero. Null and "" are
// equal; null is smaller than any other text.
int CompareText(const char* a, const char* b);

}  // namespace velmora

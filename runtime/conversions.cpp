#include "runtime/conversions.h"

#include <charconv>
#include <cstring>
#include <optional>

#include "runtime/decimal_to_binary.h"
#include "runtime/text_block.h"
#include "runtime/width_folding.h"

namespace velmora {

namespace {

constexpr int kKeptDigits = 19;                // any 19-digit significand fits 64 bits
constexpr int64_t kExponentLimit = 100000000;  // beyond, 0 or infinity anyway

bool IsWhiteSpace(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsExponentMarker(int c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

double FromBits(uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// The exact value of the digits in [start, end) (a decimal point among them) times
// 10^exponent, rounded; for the rare inputs that the fast method cannot decide.
uint64_t ExactBits(const uint8_t* start, const uint8_t* end, int64_t exponent) {
    DecimalDigits decimal;
    bool integerPart = true;
    const uint8_t* next;
    for (const uint8_t* p = start; p < end; p = next) {
        int c = ReadFolded(p, &next);
        if (c == '.') {
            integerPart = false;
        } else {
            decimal.AddDigit(c - '0', integerPart);
        }
    }
    decimal.Scale(exponent);
    return decimal.ToBits();
}

// The general reader: folds every character as it goes and keeps any number of
// digits. ToNumber's quick reader hands everything unusual to it.
double ReadNumber(const uint8_t* p) {
    const uint8_t* next;
    int c = ReadFolded(p, &next);
    while (IsWhiteSpace(c)) {
        p = next;
        c = ReadFolded(p, &next);
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        p = next;
        c = ReadFolded(p, &next);
    }

    // The first 19 significant digits go into w; the value is w x 10^q, plus
    // whatever nonzero digits were dropped.
    const uint8_t* digitsStart = p;
    uint64_t w = 0;
    int kept = 0;
    int64_t q = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    bool droppedNonzero = false;
    for (;;) {
        unsigned digit = static_cast<unsigned>(c - '0');
        if (digit < 10) {
            anyDigit = true;
            if (kept < kKeptDigits) {
                if (w != 0 || digit != 0) {
                    w = w * 10 + digit;
                    ++kept;
                }
                if (seenPoint)
                    --q;
            } else {
                if (!seenPoint)
                    ++q;
                droppedNonzero |= digit != 0;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        p = next;
        c = ReadFolded(p, &next);
    }
    if (!anyDigit)
        return 0;
    const uint8_t* digitsEnd = p;

    int64_t exponent = 0;
    if (IsExponentMarker(c)) {
        const uint8_t* e = next;
        int ec = ReadFolded(e, &next);
        bool exponentNegative = false;
        if (ec == '+' || ec == '-') {
            exponentNegative = ec == '-';
            e = next;
            ec = ReadFolded(e, &next);
        }
        // Without a digit the marker is not part of the number.
        while (static_cast<unsigned>(ec - '0') < 10) {
            if (exponent < kExponentLimit)
                exponent = exponent * 10 + (ec - '0');
            e = next;
            ec = ReadFolded(e, &next);
        }
        if (exponentNegative)
            exponent = -exponent;
    }
    q += exponent;

    const uint64_t sign = negative ? kSignBit : 0;
    if (q == 0 && !droppedNonzero && w <= (1ULL << 53)) {
        // An integer that a double holds exactly.
        double d = static_cast<double>(static_cast<int64_t>(w));
        return negative ? -d : d;
    }
    uint64_t bits;
    if (EiselLemire(w, q, &bits)) {
        if (!droppedNonzero)
            return FromBits(bits | sign);
        // The true significand lies between w and w + 1 (exclusive); when both
        // round alike, so does everything between them.
        uint64_t upper;
        if (EiselLemire(w + 1, q, &upper) && upper == bits)
            return FromBits(bits | sign);
    }
    return FromBits(ExactBits(digitsStart, digitsEnd, exponent) | sign);
}

bool IsAsciiDigit(uint8_t c) {
    return static_cast<unsigned>(c - '0') < 10;
}

// Adds the ASCII digits at p to w and returns the first byte after them. Two
// digits a step shorten the chain of dependent multiplications; each byte is read
// only when the one before it is a digit, so never beyond the terminator.
const uint8_t* AccumulateDigits(const uint8_t* p, uint64_t* w) {
    uint64_t v = *w;
    for (;;) {
        unsigned d0 = static_cast<unsigned>(p[0] - '0');
        if (d0 >= 10)
            break;
        unsigned d1 = static_cast<unsigned>(p[1] - '0');
        if (d1 >= 10) {
            v = v * 10 + d0;
            p += 1;
            break;
        }
        v = v * 100 + (d0 * 10 + d1);
        p += 2;
    }
    *w = v;
    return p;
}

// The common case: ASCII text with at most 19 significant digits. Returns false,
// without a result, on anything else (a byte of 0x80 or above where the number
// could go on, which may be a full-width character, more digits, or a value that
// the fast method cannot decide).
bool ReadAsciiNumber(const uint8_t* p, double* result) {
    while (IsWhiteSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const uint8_t* digitsStart = p;
    while (*p == '0')
        ++p;
    const uint8_t* significant = p;
    uint64_t w = 0;  // wraps when there are more than 19 digits; then not used
    p = AccumulateDigits(p, &w);
    int64_t count = p - significant;
    int64_t q = 0;
    bool anyDigit = p != digitsStart;
    if (*p == '.') {
        const uint8_t* fraction = ++p;
        if (count == 0) {
            while (*p == '0')
                ++p;
        }
        const uint8_t* fractionDigits = p;
        p = AccumulateDigits(p, &w);
        count += p - fractionDigits;
        q = -(p - fraction);
        anyDigit |= p != fraction;
    }
    if (*p >= 0x80 || count > kKeptDigits)
        return false;
    if (!anyDigit) {
        *result = 0;
        return true;
    }
    if (IsExponentMarker(*p)) {
        const uint8_t* e = p + 1;
        bool exponentNegative = false;
        if (*e == '+' || *e == '-') {
            exponentNegative = *e == '-';
            ++e;
        }
        if (*e >= 0x80)
            return false;
        if (IsAsciiDigit(*e)) {
            int64_t exponent = 0;
            while (IsAsciiDigit(*e)) {
                if (exponent < kExponentLimit)
                    exponent = exponent * 10 + (*e - '0');
                ++e;
            }
            if (*e >= 0x80)
                return false;
            q += exponentNegative ? -exponent : exponent;
        }
    }
    if (q == 0 && w <= (1ULL << 53)) {
        double d = static_cast<double>(static_cast<int64_t>(w));
        *result = negative ? -d : d;
        return true;
    }
    uint64_t bits;
    if (!EiselLemire(w, q, &bits))
        return false;
    *result = FromBits(bits | (negative ? kSignBit : 0));
    return true;
}

}  // namespace

double ToNumber(const char* text) {
    if (!text)
        return 0;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text);
    double result;
    if (ReadAsciiNumber(p, &result))
        return result;
    return ReadNumber(p);
}

namespace {

// The value of an argument of an integer kind (byte, short, integer or long).
std::optional<int64_t> IntegerArgument(const TypedValue& v) {
    switch (v.tag) {
        case kTagByte:
            return static_cast<uint8_t>(v.low);
        case kTagShort:
            return static_cast<int16_t>(v.low);
        case kTagInteger:
            return static_cast<int32_t>(v.low);
        case kTagLong:
            return static_cast<int64_t>(v.low | (static_cast<uint64_t>(v.high) << 32));
        default:
            return std::nullopt;
    }
}

char* DecimalText(int64_t value) {
    char digits[24];
    std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value);
    return NewTextBlock(digits, static_cast<size_t>(r.ptr - digits));
}

}  // namespace

void ToNumber(TypedValue* result, int argCount, const TypedValue* args) {
    double value = 0;
    if (argCount >= 1) {
        const TypedValue& v = args[0];
        if (std::optional<int64_t> integer = IntegerArgument(v)) {
            value = static_cast<double>(*integer);
        } else if (v.tag == kTagText) {
            value = ToNumber(TextOf(v));
        } else if (v.tag == kTagFloat) {
            float f;
            std::memcpy(&f, &v.low, sizeof f);
            value = f;
        } else if (v.tag == kTagDouble) {
            value = DoubleOf(v);
        }
    }
    TypedValue out = MakeDouble(value);
    result->low = out.low;
    result->high = out.high;
}

char* ToText(int32_t value) {
    return DecimalText(value);
}

void ToText(TypedValue* result, int argCount, const TypedValue* args) {
    char* text = nullptr;
    if (argCount >= 1) {
        if (std::optional<int64_t> integer = IntegerArgument(args[0]))
            text = DecimalText(*integer);
    }
    TypedValue out = MakeText(text);
    result->low = out.low;
    result->high = out.high;
}

int64_t TruncateToInteger(double value) {
    // Done on the bits, so that neither the rounding mode nor the FPU's handling
    // of invalid conversions has a say.
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0x7FF)
        return kIntegerIndefinite;  // NaN or infinity
    int exponent = biased - 1023;
    if (exponent < 0)
        return 0;  // |value| < 1
    if (exponent >= 63)
        return kIntegerIndefinite;
    uint64_t mantissa = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    uint64_t magnitude = exponent >= 52 ? mantissa << (exponent - 52) : mantissa >> (52 - exponent);
    int64_t truncated = static_cast<int64_t>(magnitude);  // < 2^63
    return (bits & kSignBit) ? -truncated : truncated;
}

int CompareText(const char* a, const char* b) {
    // strcmp compares the bytes as unsigned values; null reads as "".
    const int order = std::strcmp(a ? a : "", b ? b : "");
    return (order > 0) - (order < 0);
}

}  // namespace velmora

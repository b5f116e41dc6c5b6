#include "runtime/conversions.h"

#include <charconv>
#include <cstring>

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

}  // namespace

double ToNumber(const char* text) {
    if (!text)
        return 0;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text);
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

void ToNumber(TypedValue* result, int argCount, const TypedValue* args) {
    double value = 0;
    if (argCount >= 1) {
        const TypedValue& v = args[0];
        uint64_t both = v.low | (static_cast<uint64_t>(v.high) << 32);
        switch (v.tag) {
            case kTagText:
                value = ToNumber(TextOf(v));
                break;
            case kTagByte:
                value = static_cast<uint8_t>(v.low);
                break;
            case kTagShort:
                value = static_cast<int16_t>(v.low);
                break;
            case kTagInteger:
                value = static_cast<int32_t>(v.low);
                break;
            case kTagLong:
                value = static_cast<double>(static_cast<int64_t>(both));
                break;
            case kTagFloat: {
                float f;
                std::memcpy(&f, &v.low, sizeof f);
                value = f;
                break;
            }
            case kTagDouble:
                value = DoubleOf(v);
                break;
            default:
                break;
        }
    }
    TypedValue out = MakeDouble(value);
    result->low = out.low;
    result->high = out.high;
}

namespace {

char* DecimalText(int64_t value) {
    char digits[24];
    std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value);
    return NewTextBlock(digits, static_cast<size_t>(r.ptr - digits));
}

}  // namespace

char* ToText(int32_t value) {
    return DecimalText(value);
}

void ToText(TypedValue* result, int argCount, const TypedValue* args) {
    char* text = nullptr;
    if (argCount >= 1) {
        const TypedValue& v = args[0];
        switch (v.tag) {
            case kTagByte:
                text = DecimalText(static_cast<uint8_t>(v.low));
                break;
            case kTagShort:
                text = DecimalText(static_cast<int16_t>(v.low));
                break;
            case kTagInteger:
                text = DecimalText(static_cast<int32_t>(v.low));
                break;
            case kTagLong:
                text = DecimalText(
                    static_cast<int64_t>(v.low | (static_cast<uint64_t>(v.high) << 32)));
                break;
            default:
                break;
        }
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
    if (!a)
        return (!b || !*b) ? 0 : -1;
    if (!b)
        return *a ? 1 : 0;
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    while (*x == *y) {
        if (*x == 0)
            return 0;
        ++x;
        ++y;
    }
    return *x < *y ? -1 : 1;
}

}  // namespace velmora

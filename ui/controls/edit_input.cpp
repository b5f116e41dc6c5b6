#include "ui/controls/edit_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/conversions.h"

namespace velmora {

namespace {

bool IsDigit(uint32_t c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Shortest round-trip text of a finite value; zero of either sign is "0".
template <typename T>
std::string ShortestText(T value) {
    if (value == 0)
        return "0";
    if (std::isnan(value))
        return "0";
    if (std::isinf(value))
        value = std::copysign(std::numeric_limits<T>::max(), value);
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// ---- Dates -----------------------------------------------------------------

struct DateTime {
    int year, month, day, hour = 0, minute = 0, second = 0;
};

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Reads 1 to `most` digits at text[at]; false when there is none.
bool ReadNumber(const std::string& text, size_t& at, int most, int& out) {
    int n = 0, count = 0;
    while (at < text.size() && count < most && IsDigit(static_cast<unsigned char>(text[at]))) {
        n = n * 10 + (text[at] - '0');
        ++at, ++count;
    }
    out = n;
    return count > 0;
}

bool ReadMark(const std::string& text, size_t& at, const char* mark) {
    const std::string m = mark;
    if (text.compare(at, m.size(), m) != 0)
        return false;
    at += m.size();
    return true;
}

void SkipBlanks(const std::string& text, size_t& at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
}

std::optional<DateTime> ParseDateTime(const std::string& text) {
    DateTime d{};
    size_t at = 0;
    SkipBlanks(text, at);
    if (!ReadNumber(text, at, 4, d.year))
        return std::nullopt;
    if (at < text.size() && (text[at] == '-' || text[at] == '/' || text[at] == '.')) {
        const char separator = text[at++];
        if (!ReadNumber(text, at, 2, d.month) || at >= text.size() || text[at++] != separator ||
            !ReadNumber(text, at, 2, d.day))
            return std::nullopt;
    } else {
        if (!ReadMark(text, at, "年") || !ReadNumber(text, at, 2, d.month) ||
            !ReadMark(text, at, "月") || !ReadNumber(text, at, 2, d.day))
            return std::nullopt;
        ReadMark(text, at, "日");
    }
    const size_t afterDate = at;
    SkipBlanks(text, at);
    if (at < text.size() && at > afterDate) {
        if (!ReadNumber(text, at, 2, d.hour) || !ReadMark(text, at, ":") ||
            !ReadNumber(text, at, 2, d.minute))
            return std::nullopt;
        if (ReadMark(text, at, ":") && !ReadNumber(text, at, 2, d.second))
            return std::nullopt;
    }
    SkipBlanks(text, at);
    if (at != text.size())
        return std::nullopt;
    if (d.year < 100 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > DaysInMonth(d.year, d.month) || d.hour > 23 || d.minute > 59 || d.second > 59)
        return std::nullopt;
    return d;
}

std::string RewriteDate(const std::string& text) {
    const std::optional<DateTime> d = ParseDateTime(text);
    if (!d)
        return std::string();
    const bool midnight = d->hour == 0 && d->minute == 0 && d->second == 0;
    if (d->year == 1899 && d->month == 12 && d->day == 30 && midnight)
        return std::string();  // the zero date
    char buffer[32];
    if (midnight) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d->year, d->month, d->day);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", d->year, d->month,
                      d->day, d->hour, d->minute, d->second);
    }
    return buffer;
}

}  // namespace

bool AcceptsTypedCharacter(int32_t inputMode, uint32_t c) {
    if (c < 32)
        return true;
    switch (inputMode) {
        case kInputSignedDigits:
        case kInputShort:
        case kInputLong:
        case kInputInt64:
            return IsDigit(c) || c == '-';
        case kInputDecimalDigits:
        case kInputSingle:
        case kInputDouble:
            return IsDigit(c) || c == '-' || c == '.';
        case kInputByte:
            return IsDigit(c);
        default:
            return true;
    }
}

int64_t ParseLimitedInteger(const std::string& text, int64_t lowest, int64_t highest) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    // Accumulated as a magnitude that stops growing once it is past the end on its
    // side of zero.
    uint64_t limit = 0;
    if (negative && lowest < 0)
        limit = static_cast<uint64_t>(-(lowest + 1)) + 1;
    if (!negative && highest > 0)
        limit = static_cast<uint64_t>(highest);
    uint64_t magnitude = 0;
    bool beyond = false;
    for (; at < text.size() && IsDigit(static_cast<unsigned char>(text[at])); ++at) {
        const uint64_t digit = static_cast<uint64_t>(text[at] - '0');
        if (beyond || magnitude > (UINT64_MAX - digit) / 10) {
            beyond = true;
            continue;
        }
        magnitude = magnitude * 10 + digit;
        beyond = magnitude > limit;
    }
    if (beyond)
        return negative ? lowest : highest;
    if (magnitude == 0)
        return std::min(std::max<int64_t>(0, lowest), highest);
    int64_t value =
        negative ? -static_cast<int64_t>(magnitude - 1) - 1 : static_cast<int64_t>(magnitude);
    return std::min(std::max(value, lowest), highest);
}

std::optional<std::string> RewriteForInputMode(int32_t inputMode, const std::string& text) {
    std::string result;
    switch (inputMode) {
        case kInputByte:
            result = std::to_string(ParseLimitedInteger(text, 0, 255));
            break;
        case kInputShort:
            result = std::to_string(ParseLimitedInteger(text, -32768, 32767));
            break;
        case kInputLong:
            result = std::to_string(ParseLimitedInteger(text, INT32_MIN, INT32_MAX));
            break;
        case kInputInt64:
            result = std::to_string(ParseLimitedInteger(text, INT64_MIN, INT64_MAX));
            break;
        case kInputSingle: {
            // Beyond the single range saturates (a plain cast would be undefined).
            const double d = ToNumber(text.c_str());
            const double most = std::numeric_limits<float>::max();
            result = ShortestText(static_cast<float>(std::fmax(-most, std::fmin(most, d))));
            break;
        }
        case kInputDouble:
            result = ShortestText(ToNumber(text.c_str()));
            break;
        case kInputDateTime:
            return RewriteDate(text);
        default:
            return std::nullopt;
    }
    if (result == "0")
        result.clear();
    return result;
}

int32_t SpinStep(const std::string& text, int32_t lowest, int32_t highest, bool up) {
    const int64_t v = ParseLimitedInteger(text, INT32_MIN, INT32_MAX);
    const int64_t n = up ? v + 1 : v - 1;
    if (n < lowest || n > highest)
        return up ? lowest : highest;
    return static_cast<int32_t>(n);
}

}  // namespace velmora

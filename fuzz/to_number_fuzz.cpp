// Fuzzes ToNumber: any bytes up to the first zero are a text (in a buffer of exactly
// its size, so the sanitizer sees any read past the terminator). The result must
// equal the C library's reading of the number that the folded text starts with,
// written out in the form std::from_chars and strtod accept, and reading the folded
// text again must give the same result.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "runtime/conversions.h"
#include "runtime/width_folding.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of a folded text, spelt plainly: sign, digits, point,
// 'e', exponent. Empty when the text starts with no number.
std::string NumberPrefix(const std::string& folded) {
    size_t i = 0;
    while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r')))
        ++i;
    std::string sign;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
        if (folded[i] == '-')
            sign = "-";
        ++i;
    }
    std::string integer, fraction;
    while (i < folded.size() && IsDigit(folded[i]))
        integer += folded[i++];
    bool point = i < folded.size() && folded[i] == '.';
    if (point) {
        ++i;
        while (i < folded.size() && IsDigit(folded[i]))
            fraction += folded[i++];
    }
    if (integer.empty() && fraction.empty())
        return "";
    std::string number = sign + (integer.empty() ? "0" : integer);
    if (!fraction.empty())
        number += "." + fraction;
    if (i < folded.size() && std::strchr("eEdD", folded[i]) && folded[i] != 0) {
        size_t j = i + 1;
        std::string exponentSign;
        if (j < folded.size() && (folded[j] == '+' || folded[j] == '-'))
            exponentSign = folded[j++];
        std::string digits;
        while (j < folded.size() && IsDigit(folded[j]))
            digits += folded[j++];
        if (!digits.empty())
            number += "e" + exponentSign + digits;
    }
    return number;
}

uint64_t Bits(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const void* zero = std::memchr(data, 0, size);
    size_t n = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data) : size;
    std::unique_ptr<char[]> text(new char[n + 1]);
    std::memcpy(text.get(), data, n);
    text[n] = 0;

    double value = velmora::ToNumber(text.get());

    std::string folded = velmora::FoldWidth(text.get());
    if (Bits(velmora::ToNumber(folded.c_str())) != Bits(value))
        std::abort();

    std::string number = NumberPrefix(folded);
    if (number.empty()) {
        if (Bits(value) != 0)
            std::abort();
        return 0;
    }
    if (Bits(std::strtod(number.c_str(), nullptr)) != Bits(value))
        std::abort();
    double parsed = 0;
    std::from_chars_result r =
        std::from_chars(number.data(), number.data() + number.size(), parsed);
    // from_chars leaves its output alone when the value is out of range.
    if (r.ec == std::errc() && Bits(parsed) != Bits(value))
        std::abort();
    return 0;
}

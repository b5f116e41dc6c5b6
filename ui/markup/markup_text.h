#pragma once
// Small byte-text helpers of the markup renderer and its style sheet parser. All of
// them look at ASCII only, whatever the C library's locale: the texts are GBK, and
// a GBK trail byte may fall in the ASCII letter range but never in the range of
// the marks they look for ("<", ">", ";", "{", blanks).

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

inline bool IsAsciiBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsAsciiBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsAsciiBlank(s.back()))
        s.remove_suffix(1);
    return s;
}
inline std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}
// The pieces of a text between separators, empty ones included: "a,,b" gives "a",
// "" and "b", and an empty text one empty piece.
inline std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (size_t start = 0;;) {
        const size_t end = std::min(text.find(separator, start), text.size());
        pieces.push_back(text.substr(start, end - start));
        if (end == text.size())
            return pieces;
        start = end + 1;
    }
}
// The value of the keyword that a text is (case-insensitive, blanks around it
// ignored), or nothing.
template <typename T, size_t N>
std::optional<T> Keyword(std::string_view text, const std::pair<const char*, T> (&words)[N]) {
    const std::string lower = LowerAscii(TrimBlanks(text));
    for (const auto& [name, value] : words) {
        if (lower == name)
            return value;
    }
    return std::nullopt;
}
// Whether a GBK byte starts a two-byte character.
inline bool IsGbkLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

}  // namespace velmora

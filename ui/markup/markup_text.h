#pragma once
// Small byte-text helpers of the markup renderer and its style sheet parser. All of
// them look at ASCII only, whatever the C library's locale: the texts are GBK, and
// a GBK trail byte may fall in the ASCII letter range but never in the range of
// the marks they look for ("<", ">", ";", "{", blanks).

#include <string>
#include <string_view>

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
// Whether a GBK byte starts a two-byte character.
inline bool IsGbkLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

}  // namespace velmora

#pragma once
// Width folding of GBK text before it is read as a number: the full-width forms of
// ASCII characters (and the ideographic space, the two stars, the full-width tilde,
// yen sign and macron) become their single ASCII bytes, so that a number typed with
// a Chinese input method reads like one typed in ASCII.

#include <cstdint>
#include <string>

namespace velmora {

// The ASCII byte that the two-byte character (lead, trail) folds to, or 0 when the
// character is kept as it is.
//   A1 A1 ideographic space -> space      A1 AB full-width tilde -> ~
//   A1 EE, A1 EF the stars  -> *          A3 A1..A3 FE -> trail byte & 0x7F
//   (A3 A4 is the full-width yen sign -> $, A3 FE the full-width macron -> ~)
inline uint8_t FoldWideCharacter(uint8_t lead, uint8_t trail) {
    if (lead == 0xA1) {
        switch (trail) {
            case 0xA1:
                return 0x20;
            case 0xAB:
                return 0x7E;
            case 0xEE:
            case 0xEF:
                return 0x2A;
            default:
                return 0;
        }
    }
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
        return static_cast<uint8_t>(trail & 0x7F);
    return 0;
}

// Marks a character that does not fold to ASCII in ReadFolded's result.
constexpr int kUnfoldedCharacter = 0x100;

// Reads one character of zero-terminated GBK text at p and returns it folded: an
// ASCII byte, 0 at the end of the text, or kUnfoldedCharacter for a two-byte
// character that is kept. *next is set to the following character. A lead byte
// directly before the terminating zero ends the text. Never reads past the zero.
inline int ReadFolded(const uint8_t* p, const uint8_t** next) {
    uint8_t b = p[0];
    if (b < 0x80) {
        *next = p + (b != 0);
        return b;
    }
    uint8_t trail = p[1];
    if (trail == 0) {
        *next = p + 1;
        return 0;
    }
    *next = p + 2;
    uint8_t folded = FoldWideCharacter(b, trail);
    return folded ? folded : kUnfoldedCharacter;
}

// The whole text folded (the working copy that number parsing reads): folded
// characters become one byte, every other byte is copied, a lone lead byte before
// the end is dropped. Null gives "".
std::string FoldWidth(const char* text);

}  // namespace velmora

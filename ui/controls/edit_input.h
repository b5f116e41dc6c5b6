#pragma once
// What an edit box lets through and how it rewrites its text, by input mode, and
// the arithmetic of its spin arrows. Texts are GBK; typed characters are UTF-16
// code units as the box receives them.
//
// The rewriting formats we chose where the modes leave room:
//   9, 10  the shortest decimal text that reads back to the same single- or
//          double-precision value ("0.1", "-2.5", "1e+20"); values beyond the
//          type's range become its largest finite value of that sign.
//   11     "YYYY-MM-DD" or, with a time of day other than midnight,
//          "YYYY-MM-DD HH:MM:SS". Recognised: a year of 100..9999, a month and a
//          day separated by "-", "/" or "." (or written with 年, 月 and an
//          optional 日), optionally followed by blanks and a time H:MM or H:MM:SS.
//          The zero date is 1899-12-30 00:00:00, day 0 of the date scale.

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// What a box lets through and how it rewrites its text on losing the focus.
enum InputMode : int32_t {
    kInputAll = 0,
    kInputReadOnly = 1,
    kInputPassword = 2,
    kInputSignedDigits = 3,   // "0"-"9", "-"
    kInputDecimalDigits = 4,  // "0"-"9", "-", "."
    kInputByte = 5,           // 0..255
    kInputShort = 6,          // 16-bit
    kInputLong = 7,           // 32-bit
    kInputInt64 = 8,
    kInputSingle = 9,
    kInputDouble = 10,
    kInputDateTime = 11,
};
constexpr int32_t kLastInputMode = kInputDateTime;

// Whether a typed character reaches a box of this input mode; characters below 32
// (backspace, Enter, Ctrl combinations) always do.
bool AcceptsTypedCharacter(int32_t inputMode, uint32_t character);

// The decimal integer at the start of the text (blanks skipped, an optional sign,
// digits up to the first other character; no digits give 0), limited to
// [lowest, highest]. Saturating: however many digits, it never wraps round.
int64_t ParseLimitedInteger(const std::string& text, int64_t lowest, int64_t highest);

// The text a box of this mode shows once it loses the focus, or nullopt for the
// modes that do not rewrite (0 to 4). For modes 5 to 10 "0" becomes the empty text.
std::optional<std::string> RewriteForInputMode(int32_t inputMode, const std::string& text);

// The automatic spin: the value the box shows after an arrow, wrapping round at
// both ends of [lowest, highest].
int32_t SpinStep(const std::string& text, int32_t lowest, int32_t highest, bool up);

}  // namespace velmora

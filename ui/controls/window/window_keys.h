#pragma once
// The key codes of a window's keyboard handling, the keys it acts on, and the
// mnemonics of captions. Portable: the virtual-key values are spelled out.

#include <cstdint>
#include <string>

namespace velmora {

// Added to a key code while the modifier is down.
constexpr int kKeyCtrl = 0x2000;
constexpr int kKeyShift = 0x4000;
constexpr int kKeyAlt = 0x8000;

struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// The key code of a key press: the virtual key (its low byte), with the number-pad
// keys 0-9 taken as "0"-"9" and the number-pad "-", "." and "/" as the main
// keyboard's, plus the bits of the modifiers that are down. The Ctrl, Shift and Alt
// keys themselves get no modifier bits.
int WindowKeyCode(uint32_t virtualKey, KeyModifiers modifiers);

enum class WindowKeyAction {
    kNone,
    kNextControl,      // Tab
    kPreviousControl,  // Shift+Tab
    kEnter,
    kEscape,
    kHelp,      // F1
    kMnemonic,  // Alt with a letter or a digit
};

// What a key code asks of the window. Only codes without modifiers act, apart from
// Shift+Tab and Alt with a letter or digit; for a mnemonic, `mnemonic` receives the
// character (a letter in upper case).
WindowKeyAction ActionOfKeyCode(int keyCode, char& mnemonic);

// Whether a caption holds "&" followed by `key` (letters in either case). "&&"
// stands for an ampersand shown as such and marks nothing.
bool CaptionHasMnemonic(const std::string& caption, char key);

}  // namespace velmora

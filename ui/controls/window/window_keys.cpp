#include "ui/controls/window/window_keys.h"

namespace velmora {

namespace {

// Virtual keys (the Windows values).
constexpr int kVkTab = 0x09;
constexpr int kVkReturn = 0x0D;
constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;  // Alt
constexpr int kVkEscape = 0x1B;
constexpr int kVkNumpad0 = 0x60;
constexpr int kVkNumpad9 = 0x69;
constexpr int kVkSubtract = 0x6D;
constexpr int kVkDecimal = 0x6E;
constexpr int kVkDivide = 0x6F;
constexpr int kVkF1 = 0x70;
constexpr int kVkLShift = 0xA0;  // VK_LSHIFT .. VK_RMENU
constexpr int kVkRMenu = 0xA5;
constexpr int kVkOemMinus = 0xBD;
constexpr int kVkOemPeriod = 0xBE;
constexpr int kVkOem2 = 0xBF;  // the main keyboard's "/?"

bool IsModifierKey(int vk) {
    return vk == kVkShift || vk == kVkControl || vk == kVkMenu ||
           (vk >= kVkLShift && vk <= kVkRMenu);
}

bool IsLetterOrDigit(int vk) {
    return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z');
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

int WindowKeyCode(uint32_t virtualKey, KeyModifiers modifiers) {
    int vk = static_cast<int>(virtualKey & 0xFF);
    if (vk >= kVkNumpad0 && vk <= kVkNumpad9) {
        vk = '0' + (vk - kVkNumpad0);
    } else if (vk == kVkSubtract) {
        vk = kVkOemMinus;
    } else if (vk == kVkDecimal) {
        vk = kVkOemPeriod;
    } else if (vk == kVkDivide) {
        vk = kVkOem2;
    }
    if (IsModifierKey(vk))
        return vk;
    if (modifiers.ctrl)
        vk += kKeyCtrl;
    if (modifiers.shift)
        vk += kKeyShift;
    if (modifiers.alt)
        vk += kKeyAlt;
    return vk;
}

WindowKeyAction ActionOfKeyCode(int keyCode, char& mnemonic) {
    mnemonic = 0;
    switch (keyCode) {
        case kVkTab:
            return WindowKeyAction::kNextControl;
        case kKeyShift + kVkTab:
            return WindowKeyAction::kPreviousControl;
        case kVkReturn:
            return WindowKeyAction::kEnter;
        case kVkEscape:
            return WindowKeyAction::kEscape;
        case kVkF1:
            return WindowKeyAction::kHelp;
        default:
            break;
    }
    if ((keyCode & ~0xFF) == kKeyAlt && IsLetterOrDigit(keyCode & 0xFF)) {
        mnemonic = static_cast<char>(keyCode & 0xFF);
        return WindowKeyAction::kMnemonic;
    }
    return WindowKeyAction::kNone;
}

bool CaptionHasMnemonic(const std::string& caption, char key) {
    // A byte scan is safe in GBK: "&" (0x26) is never the second byte of a
    // double-byte character, so every "&" found starts a character of its own.
    const char wanted = UpperAscii(key);
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        if (UpperAscii(caption[i + 1]) == wanted)
            return true;
    }
    return false;
}

}  // namespace velmora

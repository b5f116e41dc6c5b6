// Covers: the window's key codes, the keys it acts on, and caption mnemonics.
//  - number-pad digits and "-", "." and "/" become the main keyboard's; modifier
//    bits add up; the modifier keys themselves get none; only the low byte of the
//    virtual key counts;
//  - only plain Tab, Enter, Escape and F1, Shift+Tab and Alt with exactly a letter
//    or digit act;
//  - mnemonics in either case, "&&" marking nothing, "&" at the end, GBK text.
#include <gtest/gtest.h>

#include "ui/controls/window/window_keys.h"

namespace velmora {
namespace {

constexpr KeyModifiers kNone{}, kCtrl{true, false, false}, kShift{false, true, false},
    kAlt{false, false, true}, kShiftAlt{false, true, true}, kAll{true, true, true};

TEST(WindowKeys, KeyCodes) {
    struct Case {
        uint32_t vk;
        KeyModifiers mods;
        int code;
    };
    const Case cases[] = {
        {'A', kNone, 0x41},  {'A', kCtrl, 0x2041},   {'A', kShiftAlt, 0xC041},
        {'A', kAll, 0xE041}, {0x60, kNone, '0'},     {0x69, kShift, 0x4039},
        {0x6D, kNone, 0xBD}, {0x6E, kNone, 0xBE},    {0x6F, kAlt, 0x80BF},
        {0x6A, kNone, 0x6A}, {0x6B, kNone, 0x6B},    {0x10, kShift, 0x10},
        {0x11, kAll, 0x11},  {0x12, kAlt, 0x12},     {0xA0, kShift, 0xA0},
        {0xA5, kAlt, 0xA5},  {0x09, kShift, 0x4009}, {0x141, kNone, 0x41},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowKeyCode(c.vk, c.mods), c.code) << std::hex << c.vk;
}

TEST(WindowKeys, OnlyPlainKeysShiftTabAndAltMnemonicsAct) {
    using A = WindowKeyAction;
    struct Case {
        int code;
        A action;
        char mnemonic;
    };
    const Case cases[] = {
        {0x09, A::kNextControl, 0},  {0x4009, A::kPreviousControl, 0},
        {0x2009, A::kNone, 0},       {0xC009, A::kNone, 0},
        {0x0D, A::kEnter, 0},        {0x400D, A::kNone, 0},
        {0x1B, A::kEscape, 0},       {0x201B, A::kNone, 0},
        {0x70, A::kHelp, 0},         {0x4070, A::kNone, 0},
        {0x8041, A::kMnemonic, 'A'}, {0x805A, A::kMnemonic, 'Z'},
        {0x8030, A::kMnemonic, '0'}, {0x8039, A::kMnemonic, '9'},
        {0xA041, A::kNone, 0},       {0xC041, A::kNone, 0},
        {0x41, A::kNone, 0},         {0x8070, A::kNone, 0},
        {0x80BD, A::kNone, 0},       {0x8012, A::kNone, 0},
    };
    for (const Case& c : cases) {
        char mnemonic = 'x';
        EXPECT_EQ(ActionOfKeyCode(c.code, mnemonic), c.action) << std::hex << c.code;
        EXPECT_EQ(mnemonic, c.mnemonic) << std::hex << c.code;
    }
}

TEST(WindowKeys, CaptionMnemonics) {
    struct Case {
        const char* caption;
        char key;
        bool marked;
    };
    const Case cases[] = {
        {"&Play", 'P', true},  {"&play", 'P', true}, {"&Play", 'p', true},   {"Pl&ay", 'A', true},
        {"&Play", 'L', false}, {"Play", 'P', false}, {"&&Play", 'P', false}, {"&&&Play", 'P', true},
        {"Play&", 'P', false}, {"&1st", '1', true},  {"播放&S", 'S', true},  {"&播放", 'S', false},
        {"", 'P', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionHasMnemonic(c.caption, c.key), c.marked) << c.caption << " " << c.key;
}

}  // namespace
}  // namespace velmora

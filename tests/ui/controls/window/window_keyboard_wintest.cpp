// Covers: the `window`'s keyboard handling before dispatch, and closing.
//  - Tab and Shift+Tab walk the visible, enabled tab stops of types that take the
//    focus, in creation order, wrapping round; from the window itself they start
//    at either end;
//  - Enter: the focused default button; else, with EnterMovesFocus, the next
//    control; else the first enabled default button in stored order; else nothing,
//    and it is not passed on (a multi-line editable box keeps it);
//  - real Buttons, their Kind making the default button;
//  - a control that wants a key keeps it; Alt mnemonics click buttons;
//  - Escape closes after may close (refused: stays; EscCloses 0: nothing); F1
//    without a help file does nothing; a disabled window and an owned window's
//    keys are left alone; WM_QUERYENDSESSION asks may close; a modal window gives
//    back what it disabled before it is destroyed;
//  - handlers that close the window during its own key handling run clean.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "runtime/runtime_state_win.h"
#include "runtime/wide_text.h"
#include "support/message_sequence_win.h"
#include "tests/ui/controls/window/window_test_units_win.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/window/window_control_win.h"
#include "ui/loader/event_indices.h"

namespace velmora::test {
namespace {

// A control of a type of its own that wants every key.
class KeyKeeper : public Control {
  public:
    using Control::Control;
    static std::unique_ptr<Control> Create(const CreateParams& p) {
        auto k = std::make_unique<KeyKeeper>(p.windowId, p.unitId);
        HWND h = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_CLIPSIBLINGS | p.extraStyles,
                                 p.left, p.top, p.width, p.height, p.parent,
                                 ControlIdMenu(p.controlId), GetModuleHandleW(nullptr), nullptr);
        if (h)
            k->Subclass(h);
        return k;
    }
    bool WantsKey(int) const override { return true; }
};

constexpr uint32_t kKeyKeeperTypeCode = 0x00FF0077;
const ControlType kKeyKeeperType{
    "key keeper", kTypeWindowedUnit | kTypeTakesFocus, {}, KeyKeeper::Create};

constexpr uint32_t kA = 0x16010006, kB = 0x16010007, kC = 0x16010008, kD = 0x16010009,
                   kE = 0x1601000A, kF = 0x1601000B;

// A button unit; its click runs handler 1 for kA, 2 for kB, and so on.
uint32_t HandlerOf(uint32_t unit) {
    return (unit & 0xF) - 5;
}
// A real Button: data 'D' for Kind 1 (the default button), 'N' for 0, then the caption.
UnitRecord Button(uint32_t unit, const char* data, uint32_t flags) {
    UnitRecord u = ChildUnit(unit, kButtonTypeCode, 10, 25 * static_cast<int>(unit & 0xF), 80, 22);
    ButtonProperties p;
    p.kind = data[0] == 'D' ? 1 : 0;
    p.caption = data + 1;
    u.ownData = kButtonLayout.Encode(p);
    u.flags = flags;
    u.bindings = {{kEventClicked, HandlerOf(unit)}};
    return u;
}

// Only the unit's click ran (none: nothing happened at all).
::testing::AssertionResult OnlyClicked(uint32_t unit) {
    if (!unit)
        return NothingHappened();
    const SequenceStep clicked[] = {{kHandler, unit, kEventClicked}};
    return SequenceIs(clicked);
}

constexpr uint32_t kTab = kUnitVisible | kUnitTabStop;

void Start(const DescriptionSet& set) {
    StartTestRuntime(set);
    RegisterControlType(kKeyKeeperTypeCode, &kKeyKeeperType);
    LoadStartupWindow(kMain);
    PumpMessages();
    ClearSequence();
}

// Presses a key on the focused window (the main window when none has the focus)
// and lets the message loop dispatch it.
void Press(UINT vk, bool shift = false, bool alt = false) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND target = GetFocus() ? GetFocus() : MainHwnd();
    PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, alt ? (1 << 29) : 0);
    ProcessPendingEvents();
    std::memset(keys, 0, sizeof keys);
    SetKeyboardState(keys);
}

HWND Unit(uint32_t unit) {
    return unit ? UnitHwnd(kMain, unit) : MainHwnd();
}

TEST(WindowKeyboard, TabWalksTheFocusableTabStopsWithWrapRound) {
    UnitRecord label = ChildUnit(kE, kTestChildType, 10, 150, 40, 20);
    label.flags = kTab;  // a type that takes no focus, whatever its flags
    Start(OneWindow(PlainWindow(), {},
                    {Button(kA, "N", kTab), Button(kB, "N", kTab & ~kUnitVisible),
                     Button(kC, "N", kTab | kUnitDisabled), Button(kD, "N", kUnitVisible), label,
                     Button(kF, "N", kTab)}));
    ASSERT_EQ(GetFocus(), MainHwnd());
    const struct {
        bool shift;
        uint32_t focus;
    } steps[] = {{false, kA}, {false, kF}, {false, kA}, {true, kF}, {true, kA}, {true, kF}};
    for (const auto& step : steps) {
        Press(VK_TAB, step.shift);
        EXPECT_EQ(GetFocus(), Unit(step.focus)) << std::hex << step.focus;
    }
    SetFocus(MainHwnd());
    Press(VK_TAB, true);  // from the window itself, backward: the last
    EXPECT_EQ(GetFocus(), Unit(kF));
    SetFocus(Unit(kD));  // from a control that is no tab stop
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Unit(kF));
    EXPECT_TRUE(NothingHappened());
}

TEST(WindowKeyboard, EnterPressesTheDefaultButton) {
    // A, B and C in creation order (stored: C, B, A); A has the focus unless the
    // window itself has it. Button data as Button takes it.
    struct Case {
        const char* what;
        int enterMovesFocus;
        bool focusOnA;
        const char *a, *b, *c;
        bool bDisabled;
        uint32_t clickedUnit;  // 0: nothing happens
        uint32_t focusAfter;
    };
    const Case cases[] = {
        {"focused default", 1, true, "D", "D", "N", false, kA, kA},
        {"moves the focus", 1, true, "N", "D", "N", false, 0, kB},
        {"first in stored order", 0, true, "N", "D", "D", false, kC, kA},
        {"disabled default skipped", 0, true, "N", "D", "N", true, 0, kA},
        {"disabled skipped, next taken", 0, true, "D", "D", "N", true, kA, kA},
        {"no default button", 0, true, "N", "N", "N", false, 0, kA},
        {"from the window itself", 0, false, "N", "D", "N", false, kB, 0},
    };
    for (const Case& c : cases) {
        WindowProperties p = PlainWindow();
        p.enterMovesFocus = c.enterMovesFocus;
        Start(OneWindow(
            p, {},
            {Button(kA, c.a, kTab), Button(kB, c.b, c.bDisabled ? kTab | kUnitDisabled : kTab),
             Button(kC, c.c, kTab)}));
        SetFocus(c.focusOnA ? Unit(kA) : MainHwnd());
        ClearSequence();
        Press(VK_RETURN);
        EXPECT_TRUE(OnlyClicked(c.clickedUnit)) << c.what;
        EXPECT_EQ(GetFocus(), Unit(c.focusAfter)) << c.what;
        DestroyWindow(MainHwnd());
    }
}

// The window procedure sees only the keys the window left alone.
std::vector<WPARAM> keysThrough;
LRESULT CALLBACK NoteKeys(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
        keysThrough.push_back(wParam);
    return DefSubclassProc(h, msg, wParam, lParam);
}

// Without a default button Enter goes nowhere, unless the focused box wants it.
TEST(WindowKeyboard, EnterReachesOnlyAnEditBoxThatWantsIt) {
    const struct {
        const char* what;
        int32_t multiline, inputMode;
        bool reaches;
    } cases[] = {{"single line", 0, 0, false},
                 {"multi-line", 1, 0, true},
                 {"multi-line read-only", 1, 1, false}};
    for (const auto& c : cases) {
        EditBoxProperties e;
        e.multiline = c.multiline;
        e.inputMode = c.inputMode;
        UnitRecord box = ChildUnit(kA, kEditBoxTypeCode, 10, 25, 120, 60);
        box.ownData = kEditBoxLayout.Encode(e);
        box.flags = kTab;
        Start(OneWindow(PlainWindow(), {}, {box, Button(kB, "N", kTab)}));
        SetFocus(Unit(kA));
        SetWindowSubclass(Unit(kA), NoteKeys, 1, 0);
        keysThrough.clear();
        Press(VK_RETURN);
        EXPECT_EQ(keysThrough, c.reaches ? std::vector<WPARAM>{VK_RETURN} : std::vector<WPARAM>{})
            << c.what;
        EXPECT_EQ(GetFocus(), Unit(kA)) << c.what;
        EXPECT_TRUE(NothingHappened()) << c.what;
        DestroyWindow(MainHwnd());
    }
}

TEST(WindowKeyboard, AControlThatWantsAKeyKeepsIt) {
    UnitRecord keeper = ChildUnit(kA, kKeyKeeperTypeCode, 10, 25, 80, 22);
    keeper.flags = kTab;
    Start(OneWindow(PlainWindow(), {{kEventMayClose, 4}}, {keeper, Button(kB, "D", kTab)}));
    SetFocus(Unit(kA));
    SetWindowSubclass(Unit(kA), NoteKeys, 1, 0);
    keysThrough.clear();
    for (UINT vk : {VK_TAB, VK_RETURN, VK_ESCAPE})
        Press(vk);
    Press(VK_TAB, true);
    Press('B', false, true);
    EXPECT_EQ(keysThrough, (std::vector<WPARAM>{VK_TAB, VK_RETURN, VK_ESCAPE, VK_TAB, 'B'}));
    EXPECT_EQ(GetFocus(), Unit(kA));
    EXPECT_TRUE(NothingHappened());
}

TEST(WindowKeyboard, AltMnemonicsClickButtons) {
    UnitRecord hidden = Button(kC, "N&Hidden", kTab & ~kUnitVisible);
    Start(OneWindow(PlainWindow(), {},
                    {Button(kA, "N&Play", kTab), Button(kB, "N&&Stop s&et", kTab), hidden}));
    const struct {
        UINT vk;
        bool alt;
        uint32_t clicked;
    } cases[] = {{'P', true, kA}, {'E', true, kB}, {'S', true, 0},
                 {'H', true, 0},  {'Q', true, 0},  {'P', false, 0}};
    for (const auto& c : cases) {
        ClearSequence();
        Press(c.vk, false, c.alt);
        EXPECT_TRUE(OnlyClicked(c.clicked)) << char(c.vk);
    }
}

// ---- Closing ----------------------------------------------------------------

TEST(WindowClosing, MayCloseDecidesOnEscapeAndTheEndOfTheSession) {
    Start(OneWindow(PlainWindow(), {{kEventMayClose, 1}, {kEventBeingDestroyed, 2}}));
    SetHandlerResult(1, false);  // refused: the window stays
    Press(VK_ESCAPE);
    EXPECT_EQ(SendMessageW(MainHwnd(), WM_QUERYENDSESSION, 0, 0), FALSE);
    ClearHandlerResults();
    EXPECT_EQ(SendMessageW(MainHwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(IsWindowLoaded(kMain));  // asking is not closing
    Press(VK_ESCAPE);
    static const SequenceStep kAsked[] = {{kHandler, kMainUnit, kEventMayClose},
                                          {kHandler, kMainUnit, kEventMayClose},
                                          {kHandler, kMainUnit, kEventMayClose},
                                          {kHandler, kMainUnit, kEventMayClose},
                                          {kHandler, kMainUnit, kEventBeingDestroyed}};
    EXPECT_TRUE(SequenceIs(kAsked));
    EXPECT_FALSE(IsWindowLoaded(kMain));
}

TEST(WindowClosing, NothingHappensWhereTheWindowMustNotAct) {
    WindowProperties p = PlainWindow();
    p.escCloses = 0;
    p.f1Help = 1;
    p.helpFile = "no such help file.hlp";
    DescriptionSet set = OneWindow(p, {{kEventMayClose, 1}}, {Button(kA, "D", kTab)});
    // An owned window of another type: its keys climb to the owner in the walk.
    set.windows.push_back(Window(kOther, {WindowUnit(kOtherUnit, 400, 300, 100, 100),
                                          ChildUnit(0x16010030, kTestChildType, 1, 1, 50, 20)}));
    Start(set);
    SetWindowSubclass(MainHwnd(), NoteKeys, 1, 0);
    keysThrough.clear();
    Press(VK_ESCAPE);
    Press(VK_F1);
    EXPECT_EQ(keysThrough, (std::vector<WPARAM>{VK_ESCAPE, VK_F1}));
    // A disabled window's keys pass untouched: no default button is pressed.
    EnableWindow(MainHwnd(), FALSE);
    PostMessageW(MainHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    ProcessPendingEvents();
    EnableWindow(MainHwnd(), TRUE);
    // A key for the owned window while its owner is active reaches the owner in
    // the walk; it is not the owner's.
    ASSERT_TRUE(LoadWindow(kOther, kMain, false));
    SetActiveWindow(MainHwnd());
    ASSERT_EQ(GetActiveWindow(), MainHwnd());
    PostMessageW(UnitHwnd(kOther, 0x16010030), WM_KEYDOWN, VK_RETURN, 0);
    ProcessPendingEvents();
    EXPECT_TRUE(NothingHappened());
    EXPECT_TRUE(IsWindowLoaded(kMain));
}

bool mainEnabledWhileDestroyed = false;
void EscapeTheDialog() {
    PostMessageW(WindowHandle(kOther), WM_KEYDOWN, VK_ESCAPE, 0);
}
void NoteMainEnabled() {
    mainEnabledWhileDestroyed = IsWindowEnabled(MainHwnd()) != FALSE;
}

TEST(WindowClosing, AModalWindowGivesBackWhatItDisabledBeforeItGoes) {
    DescriptionSet set = OneWindow(PlainWindow());
    set.windows.push_back(
        Window(kOther, {RealWindowUnit(kOtherUnit, PlainWindow(),
                                       {{kEventCreated, 1}, {kEventBeingDestroyed, 2}})}));
    Start(set);
    SetHandlerAction(1, EscapeTheDialog);
    SetHandlerAction(2, NoteMainEnabled);
    EXPECT_TRUE(LoadWindow(kOther, 0, true));  // the nested loop ends with the dialog
    EXPECT_FALSE(IsWindowLoaded(kOther));
    EXPECT_TRUE(mainEnabledWhileDestroyed);
}

// Handlers that close the window while its key handling is still on the stack.
// The blocks filled right after the close take any memory freed too early; a write
// into one afterwards, or a heap that no longer validates, is the fault.
std::vector<std::vector<unsigned char>> fills;
void CloseAndFill() {
    DestroyWindow(MainHwnd());
    for (int i = 0; i < 64; ++i)
        fills.emplace_back(sizeof(WindowControl), static_cast<unsigned char>(0xA5));
}

bool FillsIntact() {
    for (const auto& block : fills) {
        if (std::count(block.begin(), block.end(), 0xA5) != static_cast<long>(block.size()))
            return false;
    }
    return true;
}

bool HeapsValid() {
    HANDLE heaps[64];
    const DWORD n = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < n && i < 64; ++i) {
        if (!HeapValidate(heaps[i], 0, nullptr))
            return false;
    }
    return true;
}

TEST(WindowClosing, AHandlerClosingTheWindowDuringItsKeyHandlingRunsClean) {
    const struct {
        const char* what;
        UINT vk;
        bool alt;
    } keys[] = {{"Enter", VK_RETURN, false}, {"mnemonic", 'G', true}, {"Escape", VK_ESCAPE, false}};
    for (const auto& key : keys) {
        Start(OneWindow(PlainWindow(), {{kEventMayClose, 2}}, {Button(kA, "D&Go", kTab)}));
        SetHandlerAction(1, CloseAndFill);
        SetHandlerAction(2, CloseAndFill);
        fills.clear();
        Press(key.vk, false, key.alt);
        EXPECT_FALSE(IsWindowLoaded(kMain)) << key.what;
        EXPECT_FALSE(fills.empty()) << key.what;
        EXPECT_TRUE(FillsIntact()) << key.what;
        EXPECT_TRUE(HeapsValid()) << key.what;
    }
}

}  // namespace
}  // namespace velmora::test

// Covers: the `Button`.
//  - clicked on every command it sends (BM_CLICK, the space bar), focus received and
//    lost after the default processing;
//  - Caption round trip and window text; Kind 1 as the default button, clamped;
//  - the picture: an icon gives BS_ICON, other images BS_BITMAP, data that gives no
//    picture leaves the caption; a Picture write re-creates the button;
//  - font data of exactly 60 bytes, else DEFAULT_GUI_FONT; the font and picture the
//    button holds are live objects whenever it is handed a new font and when its
//    window goes.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/art/icon_file.h"
#include "runtime/text_block.h"
#include "runtime/wide_text.h"
#include "support/message_sequence_win.h"
#include "support/test_program_win.h"
#include "tests/support/typed_blocks.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/control_types.h"
#include "ui/controls/standard_types_win.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/property_conversion.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kButton = 0x16010006, kOther = 0x16010007;

void Start(const ButtonProperties& p) {
    UnitRecord b = ChildUnit(kButton, kButtonTypeCode, 10, 10, 80, 30);
    b.ownData = kButtonLayout.Encode(p);
    b.bindings = {{kEventClicked, 1}, {kEventFocusReceived, 2}, {kEventFocusLost, 3}};
    UnitRecord other = ChildUnit(kOther, kButtonTypeCode, 10, 50, 80, 30);
    other.ownData = kButtonLayout.Encode(ButtonProperties{});
    DescriptionSet set;
    set.windows.push_back(Window(kMain, {WindowUnit(kMainUnit, 0, 0, 200, 120), b, other}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    ClearSequence();
}

HWND ButtonHwnd() {
    return UnitHwnd(kMain, kButton);
}

TEST(Button, EveryCommandItSendsIsAClick) {
    Start(ButtonProperties{});
    SendMessageW(ButtonHwnd(), BM_CLICK, 0, 0);
    SetFocus(ButtonHwnd());
    ClearSequence();
    PostMessageW(ButtonHwnd(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageW(ButtonHwnd(), WM_KEYUP, VK_SPACE, 0xC0390001);
    PumpMessages();
    static const SequenceStep spaceBar[] = {{kHandler, kButton, kEventClicked}};
    EXPECT_TRUE(SequenceIs(spaceBar));
}

// The button's own focus mark (BST_FOCUS) as each focus handler found it: set by
// the default processing of WM_SETFOCUS, cleared by that of WM_KILLFOCUS.
LRESULT focusMarkInHandler[2] = {};
void NoteFocusMark(int i) {
    focusMarkInHandler[i] = SendMessageW(ButtonHwnd(), BM_GETSTATE, 0, 0) & BST_FOCUS;
}

TEST(Button, FocusEventsComeAfterTheDefaultProcessing) {
    Start(ButtonProperties{});
    SetHandlerAction(2, [] { NoteFocusMark(0); });
    SetHandlerAction(3, [] { NoteFocusMark(1); });
    focusMarkInHandler[0] = 0;
    focusMarkInHandler[1] = BST_FOCUS;
    SetFocus(ButtonHwnd());
    SetFocus(UnitHwnd(kMain, kOther));
    static const SequenceStep focus[] = {{kHandler, kButton, kEventFocusReceived},
                                         {kHandler, kButton, kEventFocusLost}};
    EXPECT_TRUE(SequenceIs(focus));
    EXPECT_EQ(focusMarkInHandler[0], BST_FOCUS);
    EXPECT_EQ(focusMarkInHandler[1], 0);
    // Focus moves between other windows raise nothing here.
    ClearSequence();
    SetFocus(WindowHandle(kMain));
    EXPECT_TRUE(NothingHappened());
}

TEST(Button, CaptionRoundTripsThroughTheWindowText) {
    Start(ButtonProperties{});
    EXPECT_EQ(TakeText(ReadProperty(kMain, kButton, kButtonCaption)), "按钮");
    WriteProperty(kMain, kButton, kButtonCaption, kWholeProperty, MakeText("停止"));
    EXPECT_EQ(TakeText(ReadProperty(kMain, kButton, kButtonCaption)), "停止");
    EXPECT_EQ(WindowTextGbk(ButtonHwnd()), "停止");
}

TEST(Button, KindOneIsTheDefaultButton) {
    const struct {
        int32_t written, read;
        bool isDefault;
    } cases[] = {{1, 1, true}, {0, 0, false}, {5, 1, true}, {-3, 0, false}};
    Start(ButtonProperties{});
    for (const auto& c : cases) {
        WriteProperty(kMain, kButton, kButtonKind, kWholeProperty, MakeInteger(c.written));
        EXPECT_EQ(static_cast<int32_t>(ReadProperty(kMain, kButton, kButtonKind).low), c.read);
        EXPECT_EQ(FindLiveControl(kMain, kButton)->IsDefaultButton(), c.isDefault) << c.written;
        EXPECT_EQ((GetWindowLongW(ButtonHwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON,
                  c.isDefault);
    }
    EXPECT_FALSE(FindLiveControl(kMain, kOther)->IsDefaultButton());
}

std::string ReadTestFile(const char* name) {
    std::ifstream in(std::string(VELMORA_TEST_DATA) + "/picture/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Button, ThePictureChoosesTheButtonStyle) {
    const struct {
        std::string picture;
        DWORD style;
    } cases[] = {
        {art::EncodeIcon32(32, std::vector<uint32_t>(32 * 32, 0xFF00FF00)), BS_ICON},
        {ReadTestFile("red8x8.jpg"), BS_BITMAP},
        {"not a picture", 0},
    };
    for (const auto& c : cases) {
        ButtonProperties p;
        p.picture = c.picture;
        Start(p);
        const LONG style = GetWindowLongW(ButtonHwnd(), GWL_STYLE);
        EXPECT_EQ(style & (BS_ICON | BS_BITMAP), static_cast<LONG>(c.style));
        const UINT type = c.style == BS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
        EXPECT_EQ(SendMessageW(ButtonHwnd(), BM_GETIMAGE, type, 0) != 0, c.style != 0);
        DestroyWindow(WindowHandle(kMain));
    }
}

TEST(Button, APictureWriteReCreatesTheButtonInPlace) {
    Start(ButtonProperties{});
    HWND before = ButtonHwnd();
    const int id = GetDlgCtrlID(before);
    TypedValue icon =
        MakeByteData(art::EncodeIcon32(32, std::vector<uint32_t>(32 * 32, 0xFF0000FF)));
    WriteProperty(kMain, kButton, kButtonPicture, kWholeProperty, icon);
    FreeBlock(const_cast<char*>(TextOf(icon)));
    EXPECT_NE(ButtonHwnd(), before);
    EXPECT_EQ(GetDlgCtrlID(ButtonHwnd()), id);
    EXPECT_TRUE(GetWindowLongW(ButtonHwnd(), GWL_STYLE) & BS_ICON);
    EXPECT_TRUE(NothingHappened());  // no event while it was re-created
}

TEST(Button, OnlyA60ByteFontRecordMakesAFont) {
    const HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA lf = {};
    lf.lfHeight = -20;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    const std::string record(reinterpret_cast<const char*>(&lf), sizeof lf);
    for (const std::string& font : {record, record.substr(0, 59), std::string()}) {
        ButtonProperties p;
        p.font = font;
        Start(p);
        const auto current = reinterpret_cast<HFONT>(SendMessageW(ButtonHwnd(), WM_GETFONT, 0, 0));
        EXPECT_EQ(current == gui, font.size() != 60) << font.size();
        DestroyWindow(WindowHandle(kMain));
    }
}

std::string FontRecord(LONG height) {
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    return std::string(reinterpret_cast<const char*>(&lf), sizeof lf);
}

// Notes whether the font and bitmap the button holds are live when it is handed a
// font and when its window is destroyed.
bool heldObjectsLive = true;
LRESULT CALLBACK CheckHeldObjects(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
    if (msg == WM_SETFONT || msg == WM_DESTROY) {
        const auto font = reinterpret_cast<HGDIOBJ>(DefSubclassProc(h, WM_GETFONT, 0, 0));
        const auto bitmap =
            reinterpret_cast<HGDIOBJ>(DefSubclassProc(h, BM_GETIMAGE, IMAGE_BITMAP, 0));
        if ((font && GetObjectType(font) != OBJ_FONT) ||
            (bitmap && GetObjectType(bitmap) != OBJ_BITMAP))
            heldObjectsLive = false;
    }
    return DefSubclassProc(h, msg, wParam, lParam);
}

HGDIOBJ HeldFont() {
    return reinterpret_cast<HGDIOBJ>(SendMessageW(ButtonHwnd(), WM_GETFONT, 0, 0));
}

TEST(Button, AFontWriteHandsTheNewFontOverBeforeFreeingTheOld) {
    ButtonProperties p;
    p.font = FontRecord(-20);
    Start(p);
    SetWindowSubclass(ButtonHwnd(), CheckHeldObjects, 9, 0);
    heldObjectsLive = true;
    for (const std::string& font : {FontRecord(-12), std::string(), FontRecord(-16)}) {
        const HGDIOBJ before = HeldFont();
        TypedValue v = MakeByteData(font);
        WriteProperty(kMain, kButton, kButtonFont, kWholeProperty, v);
        FreeBlock(const_cast<char*>(TextOf(v)));
        EXPECT_TRUE(heldObjectsLive) << font.size();
        EXPECT_EQ(GetObjectType(HeldFont()), static_cast<DWORD>(OBJ_FONT));
        if (before != GetStockObject(DEFAULT_GUI_FONT)) {
            EXPECT_EQ(GetObjectType(before), 0u) << "the old font is freed";
        }
    }
}

TEST(Button, AButtonGoingWithItsWindowStillUpHoldsNothingFreed) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ButtonProperties p;
    p.font = FontRecord(-20);
    p.picture = ReadTestFile("red8x8.jpg");
    const std::string data = kButtonLayout.Encode(p);
    CreateParams params;
    params.parent = parent;
    params.ownData = reinterpret_cast<const uint8_t*>(data.data());
    params.ownSize = data.size();
    params.width = 80;
    params.height = 30;
    std::unique_ptr<Control> button = kButtonControlType.create(params);
    ASSERT_TRUE(button);
    ASSERT_NE(SendMessageW(button->hwnd(), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    SetWindowSubclass(button->hwnd(), CheckHeldObjects, 9, 0);
    heldObjectsLive = true;
    button.reset();
    EXPECT_TRUE(heldObjectsLive);
    DestroyWindow(parent);
}

}  // namespace
}  // namespace velmora::test

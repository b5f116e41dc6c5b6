// Covers: the `window` type.
//  - events: created, moved, resized (the loader), shown, first activated once,
//    activated, deactivated, moved, resized, hidden, in order;
//  - creation: the frame applied (Windows' own caption taken away from Border 0),
//    stored size, title, font, StartPosition 0-3 (centred 363 for width 298 on a
//    1024 screen); owners; an existing class used unchanged, ours or another's;
//  - looks: default or own icons (replaced ones destroyed), Shape regions,
//    AlwaysOnTop 0 re-topping the others, Movable, KeepTitleActive, BackColor and
//    BackPicture painted, FreeMove;
//  - own properties: reads, clamped writes, effects at once, the stored form.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/art/velmora_art.h"
#include "runtime/runtime_state_win.h"
#include "runtime/text_block.h"
#include "runtime/wide_text.h"
#include "runtime/win_handles_win.h"
#include "support/message_sequence_win.h"
#include "tests/support/typed_blocks.h"
#include "tests/ui/controls/window/window_test_units_win.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/private_messages.h"
#include "ui/loader/property_conversion.h"
#include "ui/picture/gif_encoder.h"

namespace velmora::test {
namespace {

DWORD Style(HWND h) {
    return static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
}
DWORD ExStyle(HWND h) {
    return static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE));
}
RECT Rect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
}

TEST(WindowEvents, CreationShowActivationMovesAndHiding) {
    const std::vector<EventBinding> bindings = {
        {kEventCreated, 1},        {kEventMoved, 2},     {kEventResized, 3},     {kEventShown, 4},
        {kEventFirstActivated, 5}, {kEventActivated, 6}, {kEventDeactivated, 7}, {kEventHidden, 8}};
    DescriptionSet set = OneWindow(PlainWindow(), bindings);
    set.windows.push_back(Window(kOther, {WindowUnit(kOtherUnit, 400, 300, 100, 100)}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    PumpMessages();
    // Wine sizes and moves a window at its first showing.
    static const SequenceStep kLoad[] = {
        {kHandler, kMainUnit, kEventCreated},
        {kHandler, kMainUnit, kEventMoved},
        {kHandler, kMainUnit, kEventResized},
        {kHandler, kMainUnit, kEventShown},
        {kHandler | kOptional, kMainUnit, kEventResized},
        {kHandler | kOptional, kMainUnit, kEventMoved},
        {kHandler, kMainUnit, kEventFirstActivated},
        {kHandler, kMainUnit, kEventActivated},
        {kHandler | kOptional, kMainUnit, kEventResized},
        {kHandler | kOptional, kMainUnit, kEventMoved},
    };
    EXPECT_TRUE(SequenceIs(kLoad));
    // Away and back: no second first activation. Then moved, resized, hidden.
    ClearSequence();
    ASSERT_TRUE(LoadWindow(kOther, 0, false));
    PumpMessages();
    SetActiveWindow(MainHwnd());
    PumpMessages();
    SetWindowPos(MainHwnd(), nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(MainHwnd(), nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Write(5, MakeLogical(false));
    static const SequenceStep kLater[] = {{kHandler, kMainUnit, kEventDeactivated},
                                          {kHandler, kMainUnit, kEventActivated},
                                          {kHandler, kMainUnit, kEventMoved},
                                          {kHandler, kMainUnit, kEventResized},
                                          {kHandler, kMainUnit, kEventHidden},
                                          {kHandler | kOptional, kMainUnit, kEventDeactivated}};
    EXPECT_TRUE(SequenceIs(kLater));
}

TEST(WindowCreation, FrameSizeTitleFontAndStartPosition) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    const LONG centredTop = (GetSystemMetrics(SM_CYSCREEN) - 196) / 2;
    const struct {
        int startPosition, border, maxButton;
        DWORD present, absent, exStyle;
        LONG left, top;
        bool iconic = false, zoomed = false;
    } cases[] = {
        // Windows gives every overlapped window a caption; Border 0 takes it away.
        {0, 0, 0, WS_CLIPCHILDREN, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 50, 60},
        {1, 2, 0, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME, 0, 363, centredTop},
        {1, 3, 1, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_EX_TOOLWINDOW,
         363, centredTop},
        {2, 2, 0, WS_CAPTION, 0, 0, 0, 0, true, false},
        {3, 1, 0, WS_THICKFRAME, 0, 0, 0, 0, false, true},
        {3, 2, 0, WS_CAPTION, WS_THICKFRAME, 0, 50, 60},  // a fixed frame is not maximised
    };
    for (const auto& c : cases) {
        WindowProperties p = PlainWindow();
        p.startPosition = c.startPosition;
        p.border = c.border;
        p.maxButton = c.maxButton;
        HWND h = LoadMain(p);
        EXPECT_EQ(Style(h) & (c.present | c.absent), c.present) << c.border;
        EXPECT_EQ(ExStyle(h) & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE), c.exStyle) << c.border;
        EXPECT_EQ(WindowTextGbk(h), "窗口");
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(h, WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_EQ(IsIconic(h) != FALSE, c.iconic) << c.startPosition;
        EXPECT_EQ(IsZoomed(h) != FALSE, c.zoomed) << c.startPosition;
        if (!c.iconic && !c.zoomed) {
            const RECT r = Rect(h);
            EXPECT_EQ(std::make_tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
                      std::make_tuple(c.left, c.top, 298L, 196L))
                << c.startPosition;
        }
        DestroyWindow(h);
    }
}

HWND modalOwner = nullptr;
void NoteOwnerAndClose() {
    modalOwner = GetWindow(WindowHandle(kOther), GW_OWNER);
    PostMessageW(WindowHandle(kOther), WM_CLOSE, 0, 0);
}

TEST(WindowCreation, Owners) {
    constexpr uint32_t kNoTaskbar = 0x52010031;
    WindowProperties noTaskbar = PlainWindow();
    noTaskbar.showInTaskbar = 0;
    DescriptionSet set = OneWindow(PlainWindow());
    set.windows.push_back(Window(kOther, {RealWindowUnit(kOtherUnit, PlainWindow(), {{0, 1}})}));
    set.windows.push_back(Window(kNoTaskbar, {RealWindowUnit(0x06010032, noTaskbar)}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    ASSERT_TRUE(LoadWindow(kOther, kMain, false));  // owned pop-up
    ASSERT_TRUE(LoadWindow(kNoTaskbar, 0, false));
    const HWND hidden = Runtime().hiddenWindow;
    ASSERT_NE(hidden, nullptr);
    const struct {
        HWND window, owner;
        DWORD popup;
    } cases[] = {{MainHwnd(), nullptr, 0},
                 {WindowHandle(kOther), MainHwnd(), WS_POPUP},
                 {WindowHandle(kNoTaskbar), hidden, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(GetWindow(c.window, GW_OWNER), c.owner);
        EXPECT_EQ(Style(c.window) & WS_POPUP, c.popup);
    }
    DestroyWindow(WindowHandle(kOther));
    SetHandlerAction(1, NoteOwnerAndClose);
    ASSERT_TRUE(LoadWindow(kOther, 0, true));  // modal, without owner
    EXPECT_EQ(modalOwner, hidden);
}

LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST(WindowCreation, AnExistingClassIsUsedUnchanged) {
    WNDCLASSW foreign = {};
    foreign.style = CS_NOCLOSE;
    foreign.lpfnWndProc = ForeignProc;
    foreign.hInstance = GetModuleHandleW(nullptr);
    foreign.lpszClassName = L"OtherLibraryClass";
    ASSERT_NE(RegisterClassW(&foreign), 0);
    const struct {
        const char *name, *registered;
        UINT style;
    } cases[] = {{"", "WTWindow", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS},
                 {"VelmoraOwnClass", "VelmoraOwnClass", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS},
                 {"OtherLibraryClass", "OtherLibraryClass", CS_NOCLOSE}};
    for (const auto& c : cases) {
        WindowProperties p = PlainWindow();
        p.className = c.name;
        StartTestRuntime(OneWindow(p, {{kEventMayClose, 1}}));
        LoadStartupWindow(kMain);
        HWND h = MainHwnd();
        ASSERT_NE(h, nullptr) << c.name;
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        EXPECT_EQ(GbkFromWide(cls), c.registered);
        EXPECT_EQ(static_cast<UINT>(GetClassLongW(h, GCL_STYLE)), c.style) << c.name;
        // Either way this window type answers: closing asks the handler.
        SetHandlerResult(1, false);
        SendMessageW(h, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(h)) << c.name;
        static const SequenceStep kAsked[] = {{kHandler, kMainUnit, kEventMayClose}};
        EXPECT_TRUE(SequenceIs(kAsked)) << c.name;
        DestroyWindow(h);
        EXPECT_FALSE(IsWindowLoaded(kMain)) << c.name;
    }
}

HICON Icon(HWND h, WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageW(h, WM_GETICON, which, 0));
}

TEST(WindowLooks, DefaultIconsAreSharedAndOwnIconsReplaced) {
    WindowProperties own = PlainWindow();
    own.icon = art::DefaultIconFile();
    DescriptionSet set = OneWindow(PlainWindow());
    set.windows.push_back(Window(kOther, {RealWindowUnit(kOtherUnit, own)}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    ASSERT_TRUE(LoadWindow(kOther, 0, false));
    HWND other = WindowHandle(kOther);
    EXPECT_EQ(Icon(MainHwnd(), ICON_BIG), Runtime().defaultIconBig);
    EXPECT_EQ(Icon(MainHwnd(), ICON_SMALL), Runtime().defaultIconSmall);
    const HICON big = Icon(other, ICON_BIG), small = Icon(other, ICON_SMALL);
    ASSERT_TRUE(big && small && big != small && big != Runtime().defaultIconBig);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(big, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // Empty data, or data that holds no icon: the default icons; the own ones are gone.
    for (const char* data : {"", "not an icon"}) {
        Write(20, MakeByteData(data), kOther);
        EXPECT_EQ(Icon(other, ICON_BIG), Runtime().defaultIconBig);
        EXPECT_EQ(Icon(other, ICON_SMALL), Runtime().defaultIconSmall);
    }
    EXPECT_FALSE(GetIconInfo(big, &info));
    EXPECT_FALSE(GetIconInfo(small, &info));
}

TEST(WindowLooks, ShapeGivesARegionThatFollowsTheSize) {
    WindowProperties p = PlainWindow();
    p.shape = 1;
    HWND h = LoadMain(p);
    UniqueGdi<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    RECT box;
    for (int width : {298, 400}) {
        SetWindowPos(h, nullptr, 0, 0, width, 196, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_NE(GetWindowRgn(h, region.get()), ERROR);
        GetRgnBox(region.get(), &box);
        EXPECT_NEAR(box.right - box.left, width, 2);
        EXPECT_FALSE(PtInRegion(region.get(), 2, 2));  // outside the ellipse
        EXPECT_TRUE(PtInRegion(region.get(), width / 2, 98));
    }
    Write(28, MakeInteger(0));
    EXPECT_EQ(GetWindowRgn(h, region.get()), ERROR);  // the ordinary rectangle
    Write(28, MakeInteger(99));
    EXPECT_EQ(ReadProperty(kMain, 0, 28).low, 29u);
    EXPECT_NE(GetWindowRgn(h, region.get()), ERROR);
}

bool Topmost(HWND h) {
    return (ExStyle(h) & WS_EX_TOPMOST) != 0;
}

TEST(WindowLooks, AlwaysOnTopZeroPutsTheOthersBackOnTop) {
    constexpr uint32_t kThird = 0x52010031, kThirdUnit = 0x06010032;
    WindowProperties top = PlainWindow();
    top.alwaysOnTop = 1;
    DescriptionSet set = OneWindow(top);
    set.windows.push_back(Window(kOther, {RealWindowUnit(kOtherUnit, top)}));
    set.windows.push_back(Window(kThird, {RealWindowUnit(kThirdUnit, PlainWindow())}));
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    ASSERT_TRUE(LoadWindow(kOther, 0, false));
    ASSERT_TRUE(LoadWindow(kThird, 0, false));
    EXPECT_TRUE(Topmost(MainHwnd()) && Topmost(WindowHandle(kOther)));
    EXPECT_FALSE(Topmost(WindowHandle(kThird)));
    WatchWindow(WindowHandle(kOther), kOtherUnit);
    WatchWindow(WindowHandle(kThird), kThirdUnit);
    Write(29, MakeLogical(false));
    EXPECT_FALSE(Topmost(MainHwnd()));
    EXPECT_TRUE(Topmost(WindowHandle(kOther)));
    // Each other window is asked what it is, the lowest first; only the one that
    // wants to be on top is put there again.
    static const SequenceStep kRetopped[] = {{kSent, kThirdUnit, kMsgQueryControl},
                                             {kSent, kOtherUnit, kMsgQueryControl},
                                             {kSent, kOtherUnit, WM_WINDOWPOSCHANGING},
                                             {kSent | kOptional, kOtherUnit, WM_WINDOWPOSCHANGED}};
    EXPECT_TRUE(SequenceIs(kRetopped));
    ClearSequence();
    Write(29, MakeLogical(true));
    EXPECT_TRUE(Topmost(MainHwnd()));
    EXPECT_TRUE(NothingHappened());
}

TEST(WindowLooks, MovableZeroTakesMoveFromTheSystemMenu) {
    WindowProperties p = PlainWindow();
    p.movable = 0;
    HWND h = LoadMain(p);
    for (int movable : {0, 1, 0}) {
        if (movable != p.movable)
            Write(19, MakeLogical(movable == 1));
        p.movable = movable;
        const UINT state = GetMenuState(GetSystemMenu(h, FALSE), SC_MOVE, MF_BYCOMMAND);
        EXPECT_EQ(state != static_cast<UINT>(-1), movable == 1);
    }
}

// The caption's colour, right of the title and left of the close box.
COLORREF CaptionColour(HWND h) {
    HDC dc = GetWindowDC(h);
    const COLORREF c = GetPixel(dc, 200, GetSystemMetrics(SM_CYFRAME) + 4);
    ReleaseDC(h, dc);
    return c;
}

TEST(WindowLooks, KeepTitleActiveKeepsTheCaptionActive) {
    for (int keep : {0, 1}) {
        WindowProperties p = PlainWindow();
        p.keepTitleActive = keep;
        DescriptionSet set = OneWindow(p);
        set.windows.push_back(Window(kOther, {WindowUnit(kOtherUnit, 400, 300, 100, 100)}));
        StartTestRuntime(set);
        LoadStartupWindow(kMain);
        PumpMessages();
        ASSERT_EQ(CaptionColour(MainHwnd()), GetSysColor(COLOR_ACTIVECAPTION));
        ASSERT_TRUE(LoadWindow(kOther, 0, false));  // takes the activation
        PumpMessages();
        EXPECT_EQ(CaptionColour(MainHwnd()),
                  GetSysColor(keep ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION))
            << keep;
        DestroyWindow(WindowHandle(kOther));
        DestroyWindow(MainHwnd());
    }
}

COLORREF PixelAt(HWND h, int x, int y) {
    UpdateWindow(h);
    WindowDc dc(h);
    return GetPixel(dc.get(), x, y);
}

TEST(WindowLooks, BackColorAndBackPicturePaintTheClientArea) {
    WindowProperties p = PlainWindow();
    p.backColor = 0x00336699;
    HWND h = LoadMain(p);
    EXPECT_EQ(PixelAt(h, 10, 10), 0x00336699u);
    Write(10, MakeInteger(static_cast<int32_t>(kSystemDefaultColour)));
    EXPECT_EQ(PixelAt(h, 10, 10), GetSysColor(COLOR_BTNFACE));
    // A red 4 x 4 picture: at natural size in the corner, then stretched.
    GifPlan red;
    red.width = red.height = 4;
    red.globalPalette = {0xFF0000, 0x000000};
    red.frames.resize(1);
    red.frames[0].width = red.frames[0].height = 4;
    red.frames[0].indices.assign(16, 0);
    Write(12, MakeInteger(0));
    Write(11, MakeByteData(EncodeGif(red)));
    EXPECT_EQ(PixelAt(h, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(h, 10, 10), GetSysColor(COLOR_BTNFACE));
    Write(12, MakeInteger(2));
    EXPECT_EQ(PixelAt(h, 10, 10), RGB(255, 0, 0));
}

// The test swallows the caption press that FreeMove sends, so no move loop runs.
int captionPresses = 0;
LRESULT CALLBACK CountCaptionPresses(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR) {
    if (msg == WM_NCLBUTTONDOWN && wParam == HTCAPTION)
        return ++captionPresses, 0;
    return DefSubclassProc(h, msg, wParam, lParam);
}

TEST(WindowLooks, FreeMoveDragsByTheClientAreaAndByLabels) {
    constexpr uint32_t kLabel = 0x16010007, kPlain = 0x16010008;
    for (int freeMove : {0, 1}) {
        WindowProperties p = PlainWindow();
        p.freeMove = freeMove;
        StartTestRuntime(OneWindow(p, {},
                                   {ChildUnit(kLabel, kLabelTypeCode, 10, 10, 40, 20),
                                    ChildUnit(kPlain, kTestChildType, 60, 10, 40, 20)}));
        RegisterControlType(kLabelTypeCode, FindControlType(kTestChildType));
        LoadStartupWindow(kMain);
        SetWindowSubclass(MainHwnd(), CountCaptionPresses, 1, 0);
        captionPresses = 0;
        for (HWND target : {MainHwnd(), UnitHwnd(kMain, kLabel), UnitHwnd(kMain, kPlain)}) {
            PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            ProcessPendingEvents();
        }
        EXPECT_EQ(captionPresses, 2 * freeMove);  // not by the plain control
        DestroyWindow(MainHwnd());
    }
}

TEST(WindowOwnProperties, ReadsClampedWritesAndTheStoredForm) {
    LoadMain(PlainWindow());
    Write(5, MakeLogical(false));  // hidden: StartPosition only stores
    const struct {
        int index;
        int32_t written, read;
    } numbers[] = {
        {9, 9, 6},   {9, -1, 0}, {10, 0x123456, 0x123456},
        {12, 7, 3},  {14, 5, 2}, {15, 0, 0},
        {16, 1, 1},  {17, 1, 1}, {18, 9, 3},
        {18, -2, 0}, {19, 1, 1}, {21, 1, 1},
        {22, 0, 0},  {23, 1, 1}, {25, -77, -77},
        {26, 0, 0},  {27, 1, 1}, {28, 30, 29},
        {28, -4, 0}, {29, 1, 1}, {30, 1, 1},
    };
    for (const auto& c : numbers) {
        Write(c.index, MakeInteger(c.written));
        EXPECT_EQ(static_cast<int32_t>(ReadProperty(kMain, 0, c.index).low), c.read) << c.index;
    }
    const std::pair<int, std::string> texts[] = {
        {8, "新标题"}, {24, "帮助.hlp"}, {31, "MyClass"}, {13, std::string("\x01\x00", 2)}};
    for (const auto& [index, text] : texts) {
        const bool bytes = index == 13;
        Write(index, bytes ? MakeByteData(text) : MakeText(text.c_str()));
        TypedValue v = ReadProperty(kMain, 0, index);
        EXPECT_EQ(bytes ? TakeBytes(v) : TakeText(v), text);
    }
    EXPECT_EQ(ReadProperty(kMain, 0, 32).tag, 0u);  // beyond the table: no value
    EXPECT_EQ(WindowTextGbk(MainHwnd()), "新标题");
    // The stored form holds every value as last written.
    WindowProperties saved;
    const std::string data = FindLiveControl(kMain, 0)->SaveOwnProperties();
    ASSERT_EQ(
        kWindowLayout.Decode(reinterpret_cast<const uint8_t*>(data.data()), data.size(), saved),
        OwnDataError::kNone);
    EXPECT_EQ(std::tie(saved.border, saved.musicPlayCount, saved.shape, saved.keepTitleActive),
              std::make_tuple(0, 2, 0, 1));
    EXPECT_EQ(std::tie(saved.title, saved.className, saved.music),
              std::make_tuple("新标题", "MyClass", std::string("\x01\x00", 2)));
}

TEST(WindowOwnProperties, CaptionAndStartPositionWritesActAtOnce) {
    WindowProperties p = PlainWindow();
    p.controlBox = 0;
    HWND h = LoadMain(p);
    const struct {
        int index;
        TypedValue value;
        DWORD mask, bits;
    } captions[] = {
        {8, MakeText(""), WS_CAPTION, WS_DLGFRAME},
        {15, MakeLogical(true), WS_CAPTION | WS_SYSMENU, WS_CAPTION | WS_SYSMENU},
        {17, MakeLogical(true), WS_MINIMIZEBOX, WS_MINIMIZEBOX},
        {9, MakeInteger(1), WS_THICKFRAME, WS_THICKFRAME},
        {9, MakeInteger(0), WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 0},
    };
    for (const auto& c : captions) {
        Write(c.index, c.value);
        EXPECT_EQ(Style(h) & c.mask, c.bits) << c.index;
    }
    const struct {
        int startPosition;
        bool zoomed, iconic;
    } positions[] = {{3, true, false}, {1, false, false}, {2, false, true}, {0, false, false}};
    for (const auto& c : positions) {
        Write(18, MakeInteger(c.startPosition));
        EXPECT_EQ(IsZoomed(h) != FALSE, c.zoomed) << c.startPosition;
        EXPECT_EQ(IsIconic(h) != FALSE, c.iconic) << c.startPosition;
        if (c.startPosition == 1) {
            EXPECT_EQ(Rect(h).left,
                      (GetSystemMetrics(SM_CXSCREEN) - (Rect(h).right - Rect(h).left)) / 2);
        }
    }
    ShowWindow(h, SW_HIDE);  // hidden, a write only stores
    Write(18, MakeInteger(3));
    EXPECT_FALSE(IsZoomed(h) || IsWindowVisible(h));
}

// A window created minimised but not yet shown: writing visible true shows it
// minimised, as its first showing by the loader would have.
TEST(WindowCreation, AVisibleWriteShowsTheWayTheWindowWasCreated) {
    WindowProperties p = PlainWindow();
    p.startPosition = 2;
    DescriptionSet set = OneWindow(p);
    set.windows[0].units[0].flags &= ~kUnitVisible;
    StartTestRuntime(set);
    LoadStartupWindow(kMain);
    ASSERT_FALSE(IsWindowVisible(MainHwnd()));
    Write(5, MakeLogical(true));
    EXPECT_TRUE(IsWindowVisible(MainHwnd()));
    EXPECT_TRUE(IsIconic(MainHwnd()));
}

}  // namespace
}  // namespace velmora::test

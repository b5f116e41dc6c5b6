// Covers: the balloon tip box `Q_tip` in a window, under real pointer input.
//  - its balloon: one topmost tool pop-up without owner per box, class style
//    CS_SAVEBITS, hidden; the thread's hook from the first box to the last;
//  - resting on a tip: shown after about 600 ms above and to the right of the
//    pointer, its apex on it, its region the rounded body with the pointer and the
//    shadow; hidden after about 3000 ms, and at once by a key the thread takes from
//    its queue (not by one it only looks at); following the pointer, its backdrop
//    is the screen beneath, not its own old picture;
//  - AddTip: true, or false for a target without a window; no rectangle covers the
//    whole control, another tip without one replaces it; rectangles pick the tip
//    under the pointer, the parent's tips where none does; an IconList icon;
//  - its pixels: body, border, text, the shadow's soft edge; hidden by every kind
//    of press the thread takes from its queue and by the pointer reaching it;
//  - properties: Transparency 150 and ShadowDarkness -1 change nothing, Placement 12
//    is kept but places nothing, CloseOverTip as written, the style sheet read back
//    without its added zero, indexes without a value;
//  - the runtime error of AddTip for a box that is not loaded or of another type.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "runtime/error_service.h"
#include "runtime/wide_text.h"
#include "support/client_pixels_win.h"
#include "support/message_sequence_win.h"
#include "support/real_input_win.h"
#include "support/scenario_win.h"
#include "support/test_program_win.h"
#include "tests/support/typed_blocks.h"
#include "ui/controls/balloon_tip/balloon_hook_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/balloon_tip/image_list_data_win.h"
#include "ui/controls/balloon_tip/q_tip_commands.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/loader/property_conversion.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kSecond = 0x52010021, kSecondUnit = 0x06010022;
constexpr uint32_t kBox = 0x16010006, kA = 0x16010007, kB = 0x16010008;
// Long enough for Wine's cursor position to catch up with a move of the pointer
// (which can take it about 100 ms), short enough for tests that show many tips.
constexpr int32_t kShortDelay = 250;

constexpr COLORREF kTipColour = 0x00E1FFFF;

// Within a few levels of the tip's colour (the screen may hold fewer colours).
bool NearTipColour(COLORREF c) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((c >> shift) & 0xFF) -
                     static_cast<int>((kTipColour >> shift) & 0xFF)) > 8)
            return false;
    }
    return true;
}

std::string BoxData(int32_t delay, void (*adjust)(QTipProperties&) = nullptr) {
    QTipProperties p = NewQTipProperties(kTipColour, 0);
    p.initialDelay = delay;
    if (adjust)
        adjust(p);
    return kQTipLayout.Encode(p);
}

void Start(int32_t delay = 600, void (*adjust)(QTipProperties&) = nullptr) {
    UnitRecord box = ChildUnit(kBox, kQTipTypeCode, 96, 8, 32, 24);
    box.ownData = BoxData(delay, adjust);
    DescriptionSet set;
    set.windows.push_back(Window(kMain, {WindowUnit(kMainUnit, 100, 100, 500, 300), box,
                                         ChildUnit(kA, kTestChildType, 20, 20, 200, 40),
                                         ChildUnit(kB, kTestChildType, 20, 120, 200, 60)}));
    UnitRecord second = box;
    second.ownData = BoxData(delay);
    set.windows.push_back(Window(kSecond, {WindowUnit(kSecondUnit, 650, 100, 200, 100), second}));
    StartTestRuntime(set);
    ParkPointer();
    LoadStartupWindow(kMain);
    PumpMessages();
}

BOOL CALLBACK NoteBalloon(HWND h, LPARAM out) {
    wchar_t name[32] = {};
    GetClassNameW(h, name, 32);
    if (std::wstring(name) == L"VelmoraBalloon")
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
    return TRUE;
}

std::vector<HWND> Balloons() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), NoteBalloon, reinterpret_cast<LPARAM>(&found));
    return found;
}

TypedValue Ref(uint32_t windowId, uint32_t unitId, uint32_t type = kTestChildType) {
    return TypedValue{windowId, unitId, type};
}

// AddTip with the rectangle when one is given (left, top, width, height).
bool Add(uint32_t target, const char* text, std::vector<int32_t> rect = {}, int32_t icon = -1,
         uint32_t targetWindow = kMain) {
    std::vector<TypedValue> args = {Ref(kMain, kBox, kQTipTypeCode), Ref(targetWindow, target),
                                    MakeText(text), MakeInteger(icon)};
    for (int32_t v : rect)
        args.push_back(MakeInteger(v));
    args.resize(8);
    TypedValue result;
    AddTip(&result, 8, args.data());
    EXPECT_EQ(result.tag, kTagLogical);
    return result.low == 1;
}

// Where the system's input queue has the pointer: the place it gives a message
// posted now.
POINT QueuedCursor() {
    constexpr UINT kProbe = WM_APP + 0x1FF;
    PostThreadMessageW(GetCurrentThreadId(), kProbe, 0, 0);
    MSG msg = {};
    PeekMessageW(&msg, reinterpret_cast<HWND>(-1), kProbe, kProbe, PM_REMOVE);
    return msg.pt;
}

// Moves the real pointer to a point of the screen and waits until it has stayed
// there. Under Wine the display's pointer may take a while to follow a move, and the
// input queue may for a moment still put it at an earlier place: the move is made
// again until both agree.
void MoveTo(POINT p) {
    auto at = [&p](POINT q) { return q.x == p.x && q.y == p.y; };
    for (int attempt = 0; attempt < 10; ++attempt) {
        SetCursorPos(p.x, p.y);
        int stayed = 0;
        for (int i = 0; i < 30 && stayed < 5; ++i) {
            PumpFor(10);
            POINT now = {};
            GetCursorPos(&now);
            stayed = at(now) && at(QueuedCursor()) ? stayed + 1 : 0;
        }
        if (stayed >= 5)
            return;
    }
}

class QTip : public ::testing::Test {
  protected:
    void TearDown() override { ParkPointer(); }
};

// A point of a unit's window (client coordinates), on the screen.
POINT On(uint32_t unitId, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(UnitHwnd(kMain, unitId), &p);
    return p;
}

HWND Balloon() {
    const std::vector<HWND> b = Balloons();
    return b.empty() ? nullptr : b.front();
}

// Rests at P and waits up to `ms` for the balloon; answers how long it took from
// the last move (-1: it did not show). After the pointer has come to rest the move
// is posted once more: a late report of an earlier place (see MoveTo) must not be
// the last move the box sees.
int RestUntilShown(POINT p, DWORD ms = 2000) {
    MoveTo({p.x - 3, p.y});
    const DWORD start = GetTickCount();
    MoveTo(p);
    HWND under = WindowFromPoint(p);
    POINT client = p;
    ScreenToClient(under, &client);
    PostMessageW(under, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    while (GetTickCount() - start < ms) {
        PumpFor(10);
        if (IsWindowVisible(Balloon()))
            return static_cast<int>(GetTickCount() - start);
    }
    return -1;
}

RECT BalloonRect() {
    RECT r = {};
    GetWindowRect(Balloon(), &r);
    return r;
}

// The balloon for a tip at P (with no delay): its width.
int WidthShownAt(POINT p) {
    // A key hides what shows and forgets its tip.
    PostMessageW(UnitHwnd(kMain, kA), WM_KEYDOWN, VK_SHIFT, 0);
    PumpMessages();
    if (RestUntilShown(p, 1500) < 0)
        return -1;
    const RECT r = BalloonRect();
    return r.right - r.left;
}

TEST_F(QTip, TheBalloonIsATopmostToolPopupOfItsOwnAndGoesWithItsBox) {
    Start();
    const std::vector<HWND> one = Balloons();
    ASSERT_EQ(one.size(), 1u);
    const HWND b = one[0];
    EXPECT_EQ(GetWindowLongW(b, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_VISIBLE),
              static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(GetWindowLongW(b, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetClassLongW(b, GCL_STYLE), static_cast<DWORD>(CS_SAVEBITS));
    EXPECT_EQ(GetWindow(b, GW_OWNER), nullptr);
    const HWND box = UnitHwnd(kMain, kBox);
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(WatcherHookInstalled());

    ASSERT_TRUE(LoadWindow(kSecond, 0, false));
    EXPECT_EQ(Balloons().size(), 2u);
    DestroyWindow(WindowHandle(kMain));
    EXPECT_EQ(Balloons().size(), 1u);
    EXPECT_TRUE(WatcherHookInstalled());
    DestroyWindow(WindowHandle(kSecond));
    EXPECT_TRUE(Balloons().empty());
    EXPECT_FALSE(WatcherHookInstalled());
}

TEST_F(QTip, RestingShowsTheTipAboveThePointerAndAKeyTakenFromTheQueueHidesIt) {
    Start();
    ASSERT_TRUE(Add(kA, "Hello, balloon"));
    const POINT p = On(kA, 40, 20);
    const int shown = RestUntilShown(p);
    EXPECT_GE(shown, 550);
    EXPECT_LE(shown, 1200);
    // Code 16: above P, the apex on P near the lower left corner; the window is
    // the body, the pointer's band and the shadow (5, 3).
    const RECT r = BalloonRect();
    const QTipProperties d;
    EXPECT_EQ(r.left, p.x - d.pointerMargin);
    EXPECT_EQ(r.bottom, p.y + d.shadowOffsetY);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Balloon(), region), ERROR);
    const int h = r.bottom - r.top, w = r.right - r.left;
    EXPECT_TRUE(PtInRegion(region, d.pointerMargin, h - d.shadowOffsetY - 2));  // the apex
    EXPECT_FALSE(PtInRegion(region, d.pointerMargin + 11, h - d.shadowOffsetY - 2));
    EXPECT_TRUE(PtInRegion(region, w / 2, h / 3));
    EXPECT_FALSE(PtInRegion(region, 0, 0));         // the rounded corner
    EXPECT_TRUE(PtInRegion(region, w - 2, h / 3));  // the shadow's right side
    DeleteObject(region);

    // A key looked at without being taken leaves it; taken, it hides it.
    PostMessageW(UnitHwnd(kMain, kA), WM_KEYDOWN, 'X', 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
    EXPECT_TRUE(IsWindowVisible(Balloon()));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_FALSE(IsWindowVisible(Balloon()));
}

TEST_F(QTip, ItHidesAfterTheShowTime) {
    Start();
    ASSERT_TRUE(Add(kA, "Hello"));
    ASSERT_GE(RestUntilShown(On(kA, 40, 20)), 0);
    const DWORD shown = GetTickCount();
    while (IsWindowVisible(Balloon()) && GetTickCount() - shown < 5000)
        PumpFor(20);
    const DWORD visible = GetTickCount() - shown;
    EXPECT_GE(visible, 2900u);
    EXPECT_LE(visible, 3500u);
}

// A balloon that follows the pointer is hidden and shown again in the same moment.
// The screen it then takes as its backdrop must be the one beneath, not its own
// picture of a moment ago: a shadow that leaves the screen as it is shows that
// backdrop, where the earlier balloon's body was.
TEST_F(QTip, ShownAgainAtOnceItsBackdropIsTheScreenNotItsOldPicture) {
    // A balloon that follows does not restart its delay for moves within the tip:
    // the delay is long enough for the pointer to come to rest.
    Start(600, [](QTipProperties& p) {
        p.followMouse = 1;
        p.shadowOffsetX = 24;
        p.shadowOffsetY = 0;
        p.shadowDarkness = 0;
    });
    ASSERT_TRUE(Add(kA, "Hello, balloon"));
    const POINT p = On(kA, 120, 20);
    ASSERT_GE(RestUntilShown(p), 0);
    const RECT first = BalloonRect();
    PumpFor(50);  // it follows at most every 30 ms
    MoveTo({p.x - 12, p.y});
    PumpFor(100);
    ASSERT_TRUE(IsWindowVisible(Balloon()));
    const RECT second = BalloonRect();
    ASSERT_EQ(second.left, first.left - 12);
    // Columns 13 to 19 from the right of the second window lie in its shadow alone,
    // where the first balloon's body was.
    const ClientPixels shown = CaptureClient(Balloon());
    const int y = shown.height / 3;
    for (int x = shown.width - 19; x <= shown.width - 13; ++x)
        EXPECT_FALSE(NearTipColour(shown.At(x, y))) << x << ": " << std::hex << shown.At(x, y);
}

int Lightness(COLORREF c) {
    return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
}

bool Grey(COLORREF c) {
    return std::abs(GetRValue(c) - GetGValue(c)) <= 4 && std::abs(GetGValue(c) - GetBValue(c)) <= 4;
}

// What a shown balloon looks like (body, border, text, the shadow's soft edge), and
// what hides it: every kind of press the thread takes from its queue, and the
// pointer reaching the balloon.
TEST_F(QTip, ItsPixelsAndThePressesAndThePointerThatHideIt) {
    Start(kShortDelay, [](QTipProperties& p) { p.transparency = 0; });
    ASSERT_TRUE(Add(kA, "Hello, balloon"));
    const POINT p = On(kA, 40, 20);
    ASSERT_GE(RestUntilShown(p), 0);
    const ClientPixels b = CaptureClient(Balloon());
    const int middle = b.height / 3;
    EXPECT_TRUE(NearTipColour(b.At(6, middle))) << std::hex << b.At(6, middle);
    EXPECT_LT(Lightness(b.At(0, middle)), 0x30);  // the border, in the text colour
    int dark = 0;
    for (int x = 0; x < b.width / 2; ++x)
        dark += Lightness(b.At(x, b.height / 4)) < 0x40;
    EXPECT_GT(dark, 3);  // the text
    const COLORREF inner = b.At(b.width - 5, middle), outer = b.At(b.width - 1, middle);
    EXPECT_TRUE(Grey(inner) && Grey(outer)) << std::hex << inner << " " << outer;
    EXPECT_LT(Lightness(inner), Lightness(outer));  // the shadow's soft edge

    const HWND a = UnitHwnd(kMain, kA), main = WindowHandle(kMain);
    const struct {
        HWND to;
        UINT message;
    } presses[] = {{a, WM_LBUTTONDOWN},      {a, WM_RBUTTONDOWN},  {a, WM_MBUTTONDOWN},
                   {a, WM_LBUTTONDBLCLK},    {a, WM_MOUSEWHEEL},   {main, WM_NCLBUTTONDOWN},
                   {main, WM_NCRBUTTONDOWN}, {main, WM_SYSKEYDOWN}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.message);
        ASSERT_GE(RestUntilShown(p), 0);
        PostMessageW(press.to, press.message, 0, 0);
        PumpFor(50);
        EXPECT_FALSE(IsWindowVisible(Balloon()));
    }

    ASSERT_GE(RestUntilShown(p), 0);
    const RECT r = BalloonRect();
    MoveTo({r.left + 6, r.top + (r.bottom - r.top) / 3});
    PumpFor(50);
    EXPECT_FALSE(IsWindowVisible(Balloon()));
}

TEST_F(QTip, AddTipReplacesOrAppendsByRectangleAndFindsTheTipUnderThePointer) {
    Start(kShortDelay);
    EXPECT_FALSE(Add(kA, "x", {}, -1, kSecond));  // that window is not loaded
    EXPECT_FALSE(Add(0x16019999, "x"));           // no such unit
    ASSERT_TRUE(Add(kA, "short"));
    const int shortWidth = WidthShownAt(On(kA, 190, 35));  // anywhere on the control
    ASSERT_GT(shortWidth, 0);
    ASSERT_TRUE(Add(kA, "a much longer text than before"));
    const int longWidth = WidthShownAt(On(kA, 30, 10));
    EXPECT_GT(longWidth, shortWidth);

    // Two rectangles on B (one normalised from a negative width), the window's own
    // tip for the rest.
    ASSERT_TRUE(Add(kB, "left", {0, 0, 100, 60}));
    ASSERT_TRUE(Add(kB, "the right half of the box", {200, 0, -100, 60}));
    ASSERT_TRUE(Add(0, "the window's own tip, which is longer still than any other one"));
    const int left = WidthShownAt(On(kB, 50, 30));
    const int right = WidthShownAt(On(kB, 150, 30));
    EXPECT_GT(left, 0);
    EXPECT_GT(right, left);
    ASSERT_TRUE(Add(kB, "L", {0, 0, 100, 60}));  // an equal rectangle: replaced
    EXPECT_LT(WidthShownAt(On(kB, 51, 30)), left);
    EXPECT_GT(WidthShownAt(On(kB, 50, 61)), right);  // below B: no rectangle of B there
    HWND main = WindowHandle(kMain);
    POINT free = {400, 250};
    ClientToScreen(main, &free);
    EXPECT_GT(WidthShownAt(free), right);  // the window itself
}

TEST_F(QTip, AnIconFromTheIconList) {
    Start(kShortDelay);
    HIMAGELIST list = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddIcon(list, LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
    const std::string data = WriteImageListData(list);
    ImageList_Destroy(list);
    ASSERT_FALSE(data.empty());
    WriteProperty(kMain, kBox, kQTipIconList, kWholeProperty, MakeByteData(data));
    EXPECT_EQ(TakeBytes(ReadProperty(kMain, kBox, kQTipIconList)), data);

    ASSERT_TRUE(Add(kA, "icon", {}, 5));  // beyond the list: no icon
    ASSERT_GE(RestUntilShown(On(kA, 30, 10), 1500), 0);
    const int plain = BalloonRect().bottom - BalloonRect().top;
    ASSERT_TRUE(Add(kA, "icon", {}, 0));
    MoveTo(On(kA, 60, 10));
    ASSERT_GE(RestUntilShown(On(kA, 61, 10), 1500), 0);
    EXPECT_GE(BalloonRect().bottom - BalloonRect().top, plain + 32 - 16);
}

TEST_F(QTip, PropertiesAsStoredAndAsHandedOn) {
    Start(kShortDelay);
    const struct {
        int index;
        int32_t written;
        uint32_t read;
    } cases[] = {
        {19, 150, 10},                       // Transparency outside 0-100: nothing
        {19, 40, 40},         {71, -1, 60},  // ShadowDarkness likewise
        {18, 12, 12},                        // Placement 12: kept
        {45, 0, 0},                          // CloseOverTip
        {17, 0x1234, 0x1234}, {12, 0x123456, 0x123456},
    };
    for (const auto& c : cases) {
        WriteProperty(kMain, kBox, c.index, kWholeProperty, MakeInteger(c.written));
        EXPECT_EQ(ReadProperty(kMain, kBox, c.index).low, c.read) << c.index;
    }
    for (int index : {8, 20, 27, 76, 78}) {  // no value at run time
        WriteProperty(kMain, kBox, index, kWholeProperty, MakeInteger(5));
        EXPECT_EQ(ReadProperty(kMain, kBox, index).tag, 0u) << index;
    }
    // Placement 12 placed nothing: the balloon still stands above P.
    ASSERT_TRUE(Add(kA, "above"));
    const POINT p = On(kA, 40, 20);
    ASSERT_GE(RestUntilShown(p, 1500), 0);
    EXPECT_LT(BalloonRect().top, p.y);
    const int small = BalloonRect().bottom - BalloonRect().top;

    WriteProperty(kMain, kBox, kQTipStyleSheet, kWholeProperty, MakeText("body {font-size: 30pt}"));
    EXPECT_EQ(TakeText(ReadProperty(kMain, kBox, kQTipStyleSheet)), "body {font-size: 30pt}");
    MoveTo(On(kA, 80, 20));
    ASSERT_GE(RestUntilShown(On(kA, 81, 20), 1500), 0);
    EXPECT_GT(BalloonRect().bottom - BalloonRect().top, small + 10);
    // Placement 2 (code 1): below P, the pointer near the right.
    WriteProperty(kMain, kBox, kQTipPlacement, kWholeProperty, MakeInteger(2));
    MoveTo(On(kA, 100, 20));
    ASSERT_GE(RestUntilShown(On(kA, 101, 20), 1500), 0);
    EXPECT_EQ(BalloonRect().top, On(kA, 101, 20).y);
}

VELMORA_SCENARIO(AddTipToABoxNotLoaded) {
    Start();
    const TypedValue args[4] = {Ref(kSecond, kBox, kQTipTypeCode), Ref(kMain, kA), MakeText("x"),
                                MakeInteger(-1)};
    TypedValue result;
    AddTip(&result, 4, args);
    return 0;
}

VELMORA_SCENARIO(AddTipToAUnitOfAnotherType) {
    Start();
    const TypedValue args[4] = {Ref(kMain, kA), Ref(kMain, kB), MakeText("x"), MakeInteger(-1)};
    TypedValue result;
    AddTip(&result, 4, args);
    return 0;
}

TEST_F(QTip, AddTipOnAnythingButALoadedBoxIsARuntimeError) {
    for (const char* scenario : {"AddTipToABoxNotLoaded", "AddTipToAUnitOfAnotherType"}) {
        const ScenarioResult r = RunScenario(scenario);
        ASSERT_TRUE(r.boxShown) << scenario;
        ASSERT_GE(r.boxLines.size(), 3u);
        EXPECT_EQ(r.boxLines[2], W("错误信息：") + W("指定窗口或窗口组件不存在或尚未载入"));
        EXPECT_EQ(r.exitCode, 0xFFFFFFFFu) << scenario;
    }
}

}  // namespace
}  // namespace velmora::test

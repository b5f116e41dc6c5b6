// Covers: the `PicBox` as the user sees it and as handlers reach it.
//  - a still picture drawn where each DisplayMode puts it, over BackColor (the
//    system default as the button face); a DisplayMode write repaints at once, also
//    of the mode already held; a BackColor write shows the new colour;
//  - Animate writes to a box with a GIF: 1 restarts from the first frame, also
//    while it plays and again; 0 shows the first image still, with no worker;
//  - Animate writes to a box without a GIF: nothing happens;
//  - a Picture write replaces a playing animation;
//  - the worker has ended before the box's window goes;
//  - own properties: round trips, the clamps, the border styles, the data saved for
//    re-creation; DataSource and DataField writes are stored only.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "support/client_pixels_win.h"
#include "support/control_column_win.h"
#include "support/message_sequence_win.h"
#include "support/test_pictures.h"
#include "support/test_program_win.h"
#include "tests/support/typed_blocks.h"
#include "ui/controls/control_types.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/loader/property_conversion.h"
#include "ui/picture/gif_encoder.h"
#include "ui/picture/gif_player_win.h"

namespace velmora::test {
namespace {

constexpr uint32_t kWin = 0x52010001, kWinUnit = 0x06010000, kBox = 0x16010006;
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// Two full frames of 40 x 30, red then green, each shown for half a second.
std::string RedThenGreenGif() {
    GifPlan plan{40, 30, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, true, {}};
    for (uint8_t index : {1, 2}) {
        GifFramePlan f;
        f.width = 40;
        f.height = 30;
        f.indices.assign(40 * 30, index);
        f.delay = 50;
        plan.frames.push_back(f);
    }
    return EncodeGif(plan);
}

// One window holding a box of 60 x 40 per entry, 10 pixels apart in a column.
void StartWithBoxes(const std::vector<PicBoxProperties>& boxes) {
    std::vector<std::string> data;
    for (const PicBoxProperties& p : boxes)
        data.push_back(kPicBoxLayout.Encode(p));
    StartControlColumn(kWin, kWinUnit, kBox, kPicBoxTypeCode, data, 60, 40);
}

HWND BoxHwnd(size_t i = 0) {
    return UnitHwnd(kWin, kBox + uint32_t(i));
}

PicBoxProperties BoxOf(const std::string& picture, int displayMode = 0, int animate = 1) {
    PicBoxProperties p;
    p.backColor = kBlue;
    p.picture = picture;
    p.displayMode = displayMode;
    p.animate = animate;
    return p;
}

// Pumps until the box shows `colour` at (5, 5), for at most `ms`.
bool ShowsWithin(COLORREF colour, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        if (ClientPixel(BoxHwnd(), 5, 5) == colour)
            return true;
        PumpFor(10);
    } while (GetTickCount() - start < ms);
    return ClientPixel(BoxHwnd(), 5, 5) == colour;
}

struct Probe {
    int x, y;
    COLORREF colour;
};

TEST(PicBoxControl, AStillPictureIsDrawnWhereTheDisplayModePutsIt) {
    // A red picture of 20 x 10 in a box of 60 x 40, over blue.
    const std::string red = SolidBitmapFile(20, 10, 0xFF0000);
    struct Case {
        int displayMode;
        std::vector<Probe> probes;
    } cases[] = {
        {0, {{0, 0, kRed}, {19, 9, kRed}, {20, 5, kBlue}, {5, 10, kBlue}, {59, 39, kBlue}}},
        {1, {{0, 0, kRed}, {59, 39, kRed}, {30, 20, kRed}}},
        {2, {{20, 15, kRed}, {39, 24, kRed}, {19, 15, kBlue}, {20, 25, kBlue}, {0, 0, kBlue}}},
    };
    std::vector<PicBoxProperties> boxes;
    for (const Case& c : cases)
        boxes.push_back(BoxOf(red, c.displayMode));
    boxes.push_back(BoxOf(red, 0));
    boxes.back().backColor = kSystemDefaultColour;
    StartWithBoxes(boxes);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const ClientPixels shown = CaptureClient(BoxHwnd(i));
        for (const Probe& p : cases[i].probes) {
            EXPECT_EQ(shown.At(p.x, p.y), p.colour)
                << "mode " << cases[i].displayMode << " at " << p.x << "," << p.y;
        }
    }
    EXPECT_EQ(ClientPixel(BoxHwnd(std::size(cases)), 30, 20), GetSysColor(COLOR_BTNFACE));
}

TEST(PicBoxControl, DisplayModeWritesRepaintAtOnceAndBackColorWritesShow) {
    StartWithBoxes({BoxOf(SolidBitmapFile(20, 10, 0xFF0000))});
    WatchUnit(kWin, kBox, {WM_PAINT});
    // A new mode, the mode already held, and one clamped to it.
    for (int32_t mode : {2, 2, 7}) {
        ClearSequence();
        WriteProperty(kWin, kBox, kPicBoxDisplayMode, kWholeProperty, MakeInteger(mode));
        static const SequenceStep kPaintedInTheWrite[] = {{kSent, kBox, WM_PAINT}};
        EXPECT_TRUE(SequenceIs(kPaintedInTheWrite)) << mode;
    }
    EXPECT_EQ(ClientPixel(BoxHwnd(), 20, 15), kRed);
    EXPECT_EQ(ClientPixel(BoxHwnd(), 0, 0), kBlue);

    WriteProperty(kWin, kBox, kPicBoxBackColor, kWholeProperty, MakeInteger(kGreen));
    EXPECT_EQ(ClientPixel(BoxHwnd(), 0, 0), kGreen);
    WriteProperty(kWin, kBox, kPicBoxBackColor, kWholeProperty,
                  MakeInteger(int32_t(kSystemDefaultColour)));
    EXPECT_EQ(ClientPixel(BoxHwnd(), 0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST(PicBoxControl, AnimateWritesRestartAGifFromItsFirstFrameOrShowItStill) {
    StartWithBoxes({BoxOf(RedThenGreenGif())});
    ASSERT_TRUE(ShowsWithin(kGreen, 3000)) << "the animation plays";
    for (int again = 0; again < 2; ++again) {
        // While the second frame shows, 1 starts again from the first.
        WriteProperty(kWin, kBox, kPicBoxAnimate, kWholeProperty, MakeLogical(true));
        PumpFor(100);
        EXPECT_EQ(ClientPixel(BoxHwnd(), 5, 5), kRed) << again;
        EXPECT_EQ(GifPlayer::RunningWorkers(), 1) << again;
        ASSERT_TRUE(ShowsWithin(kGreen, 3000)) << again;
    }
    WriteProperty(kWin, kBox, kPicBoxAnimate, kWholeProperty, MakeLogical(false));
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
    EXPECT_EQ(ClientPixel(BoxHwnd(), 5, 5), kRed);
    EXPECT_FALSE(ShowsWithin(kGreen, 800)) << "the first image stays still";
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
    EXPECT_EQ(ReadProperty(kWin, kBox, kPicBoxAnimate).low, 0u);

    WriteProperty(kWin, kBox, kPicBoxAnimate, kWholeProperty, MakeLogical(true));
    EXPECT_TRUE(ShowsWithin(kGreen, 3000)) << "plays again";
}

TEST(PicBoxControl, AGifStoredWithAnimateZeroStartsStill) {
    StartWithBoxes({BoxOf(RedThenGreenGif(), 0, 0)});
    EXPECT_TRUE(ShowsWithin(kRed, 500));
    EXPECT_FALSE(ShowsWithin(kGreen, 800));
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
}

TEST(PicBoxControl, AnimateWritesWithoutAGifChangeNothing) {
    // A still picture, and none.
    StartWithBoxes({BoxOf(SolidBitmapFile(20, 10, 0xFF0000)), BoxOf("")});
    for (size_t i = 0; i < 2; ++i) {
        const uint32_t unit = kBox + uint32_t(i);
        const ClientPixels before = CaptureClient(BoxHwnd(i));
        WatchUnit(kWin, unit, Painting::kRecorded);
        ClearSequence();
        for (bool value : {false, true, true}) {
            WriteProperty(kWin, unit, kPicBoxAnimate, kWholeProperty, MakeLogical(value));
            PumpMessages();
        }
        EXPECT_TRUE(NothingHappened()) << i;
        EXPECT_EQ(CaptureClient(BoxHwnd(i)).pixels, before.pixels) << i;
    }
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
}

TEST(PicBoxControl, APictureWriteReplacesAPlayingAnimation) {
    StartWithBoxes({BoxOf(RedThenGreenGif())});
    ASSERT_TRUE(ShowsWithin(kGreen, 3000));
    WriteProperty(kWin, kBox, kPicBoxPicture, kWholeProperty,
                  MakeByteData(SolidBitmapFile(60, 40, 0xFF0000)));
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
    EXPECT_FALSE(ShowsWithin(kGreen, 700));
    EXPECT_EQ(ClientPixel(BoxHwnd(), 59, 39), kRed);
    // A new GIF starts from its first frame.
    WriteProperty(kWin, kBox, kPicBoxPicture, kWholeProperty, MakeByteData(RedThenGreenGif()));
    EXPECT_TRUE(ShowsWithin(kGreen, 3000));
    EXPECT_EQ(GifPlayer::RunningWorkers(), 1);
}

// The workers still running when the box's window takes its last message.
int workersAtLastMessage = -1;

LRESULT CALLBACK NoteWorkersAtLastMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR) {
    if (msg == WM_NCDESTROY) {
        workersAtLastMessage = GifPlayer::RunningWorkers();
        RemoveWindowSubclass(hwnd, NoteWorkersAtLastMessage, 1);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST(PicBoxControl, TheWorkerHasEndedBeforeTheBoxsWindowGoes) {
    StartWithBoxes({BoxOf(RedThenGreenGif())});
    ASSERT_TRUE(ShowsWithin(kGreen, 3000));
    ASSERT_EQ(GifPlayer::RunningWorkers(), 1);
    SetWindowSubclass(BoxHwnd(), NoteWorkersAtLastMessage, 1, 0);
    DestroyWindow(WindowHandle(kWin));
    EXPECT_EQ(workersAtLastMessage, 0);
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
}

int32_t ReadInt(int index) {
    return static_cast<int32_t>(ReadProperty(kWin, kBox, index).low);
}

TEST(PicBoxControl, OwnPropertiesRoundTripWithTheirClamps) {
    StartWithBoxes({BoxOf("")});
    struct Case {
        int index;
        int32_t written, read;
        DWORD style = 0, exStyle = 0;  // border styles afterwards (Border writes only)
    } cases[] = {
        {kPicBoxBorder, 1, 1, 0, WS_EX_CLIENTEDGE},
        {kPicBoxBorder, 9, 5, WS_BORDER, 0},
        {kPicBoxBorder, -1, 0, 0, 0},
        {kPicBoxBorder, 4, 4, 0, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME},
        {kPicBoxBackColor, 0x00123456, 0x00123456},
        {kPicBoxDisplayMode, 3, 2},
        {kPicBoxDisplayMode, -4, 0},
        {kPicBoxAnimate, 5, 1},
        {kPicBoxAnimate, 0, 0},
    };
    const DWORD kAllStyle = WS_BORDER,
                kAllEx = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
    for (const Case& c : cases) {
        WriteProperty(kWin, kBox, c.index, kWholeProperty, MakeInteger(c.written));
        EXPECT_EQ(ReadInt(c.index), c.read) << "index " << c.index << " wrote " << c.written;
        if (c.index == kPicBoxBorder) {
            EXPECT_EQ(GetWindowLongW(BoxHwnd(), GWL_STYLE) & kAllStyle, c.style) << c.written;
            EXPECT_EQ(GetWindowLongW(BoxHwnd(), GWL_EXSTYLE) & kAllEx, c.exStyle) << c.written;
        }
    }
    const std::string picture = SolidBitmapFile(3, 3, 0x00FF00);
    WriteProperty(kWin, kBox, kPicBoxPicture, kWholeProperty, MakeByteData(picture));
    EXPECT_EQ(TakeBytes(ReadProperty(kWin, kBox, kPicBoxPicture)), picture);

    // DataSource and DataField are stored only.
    PumpMessages();
    WatchUnit(kWin, kBox, Painting::kRecorded);
    ClearSequence();
    WriteProperty(kWin, kBox, kPicBoxDataSource, kWholeProperty, MakeText("源"));
    WriteProperty(kWin, kBox, kPicBoxDataField, kWholeProperty, MakeText("字段"));
    PumpMessages();
    EXPECT_TRUE(NothingHappened());
    EXPECT_EQ(TakeText(ReadProperty(kWin, kBox, kPicBoxDataSource)), "源");
    EXPECT_EQ(TakeText(ReadProperty(kWin, kBox, kPicBoxDataField)), "字段");

    PicBoxProperties saved;
    const std::string data = FindLiveControl(kWin, kBox)->SaveOwnProperties();
    ASSERT_EQ(
        kPicBoxLayout.Decode(reinterpret_cast<const uint8_t*>(data.data()), data.size(), saved),
        OwnDataError::kNone);
    PicBoxProperties expected;
    expected.border = 4;
    expected.backColor = 0x00123456;
    expected.displayMode = 0;
    expected.animate = 0;
    expected.picture = picture;
    expected.dataSource = "源";
    expected.dataField = "字段";
    EXPECT_TRUE(saved == expected);
}

}  // namespace
}  // namespace velmora::test

// Covers: the picture display on a real window.
//  - still pictures of every kind (bitmap, JPEG, icon, PCX, GIF) decode, report
//    their size and paint at the display mode's place over the background;
//  - empty, short and unrecognised data give no picture and only the background;
//  - a one-image GIF with animate gets no worker;
//  - GIFs shown still: a multi-image one without animate (opaque), a one-image one
//    with animate and one in a box whose class shares its DC (over white, the
//    transparent colour left out), none with a worker;
//  - odd data: a bitmap whose pixels lie over its colour table, corrupt JPEGs, GIFs
//    at and over the canvas limit;
//  - an animation starts at the first paint (not at loading), leaves its rectangle
//    out of that first background fill, plays rounds and stops by the protocol;
//  - a new load while playing waits for the worker; no frame of the old picture is
//    drawn after the new load; destroying the box stops the worker;
//  - SetDisplayMode repaints at once only when the mode changes;
//  - stress: load, play and stop a thousand times without deadlock, leaked GDI or
//    user objects, kernel handles or threads;
//  - a playing 6-frame, 50 ms animation keeps to its timetable and idles between
//    its rounds.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "support/gdi_headroom_win.h"
#include "tests/ui/picture/picture_window_win.h"

namespace velmora {
namespace {

using namespace test;

TEST_F(PictureWindow, StillBitmapPaintsAtNaturalSizeOverTheBackground) {
    ASSERT_TRUE(Load(Bmp({{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}})));
    EXPECT_EQ(display_->kind(), PictureKind::kBitmap);
    EXPECT_EQ(display_->width(), 2);
    EXPECT_EQ(display_->height(), 2);
    const auto px = PaintToMemory(4, 4);
    EXPECT_EQ(px[0], Rgb(0xFF0000));
    EXPECT_EQ(px[1], Rgb(0x00FF00));
    EXPECT_EQ(px[4], Rgb(0x0000FF));
    EXPECT_EQ(px[5], Rgb(0xFFFFFF));
    EXPECT_EQ(px[2], kBack);
    EXPECT_EQ(px[15], kBack);
}

TEST_F(PictureWindow, StillGifIsOpaqueAndPcxJpegIconAndCursorDecode) {
    // The transparent index shows in its own colour when still.
    ASSERT_TRUE(Load(Gif(2, 1, {{1, 3}}, 0, 0, 3)));
    EXPECT_EQ(display_->kind(), PictureKind::kGif);
    EXPECT_FALSE(display_->animated());
    auto px = PaintToMemory(3, 1);
    EXPECT_EQ(px[0], Rgb(0xFF0000));
    EXPECT_EQ(px[1], Rgb(0x0000FF));
    EXPECT_EQ(px[2], kBack);

    // PCX, 8 bits: 2x1, indices 1 and 2 of a palette at the end.
    ByteWriter pcx;
    pcx.U8(0x0A);
    pcx.U8(5);
    pcx.U8(1);
    pcx.U8(8);
    pcx.U16(0);
    pcx.U16(0);
    pcx.U16(1);
    pcx.U16(0);
    pcx.Zeros(65 - 12);
    pcx.U8(1);
    pcx.U16(2);
    pcx.Zeros(128 - 68);
    pcx.U8(1);
    pcx.U8(2);
    pcx.U8(0x0C);
    pcx.Zeros(3);
    pcx.U8(0x11);
    pcx.U8(0x22);
    pcx.U8(0x33);
    pcx.U8(0x44);
    pcx.U8(0x55);
    pcx.U8(0x66);
    pcx.Zeros(768 - 9);
    ASSERT_TRUE(Load(pcx.bytes()));
    EXPECT_EQ(display_->kind(), PictureKind::kPcx8);
    px = PaintToMemory(2, 1);
    EXPECT_EQ(px[0], RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(px[1], RGB(0x44, 0x55, 0x66));

    const std::string jpeg = ReadFile("red8x8.jpg");
    ASSERT_FALSE(jpeg.empty());
    ASSERT_TRUE(Load(jpeg));
    EXPECT_EQ(display_->kind(), PictureKind::kJpeg);
    EXPECT_EQ(display_->width(), 8);
    px = PaintToMemory(9, 1);
    EXPECT_GT(GetRValue(px[3]), 200);
    EXPECT_LT(GetGValue(px[3]), 60);
    EXPECT_EQ(px[8], kBack);

    // A 32 x 32 icon, 4 bits, all black with an empty AND mask.
    ByteWriter ico;
    ico.U16(0);
    ico.U16(1);
    ico.U16(1);
    ico.U8(32);
    ico.U8(32);
    ico.U8(16);
    ico.U8(0);
    ico.U16(1);
    ico.U16(4);
    const uint32_t imageSize = 40 + 64 + 16 * 32 + 4 * 32;
    ico.U32(imageSize);
    ico.U32(22);
    ico.U32(40);
    ico.I32(32);
    ico.I32(64);
    ico.U16(1);
    ico.U16(4);
    ico.Zeros(24 + 64 + 16 * 32 + 4 * 32);
    ASSERT_TRUE(Load(ico.bytes()));
    EXPECT_EQ(display_->kind(), PictureKind::kIcon);
    EXPECT_EQ(display_->width(), 32);
    px = PaintToMemory(33, 1);
    EXPECT_EQ(px[5], RGB(0, 0, 0));
    EXPECT_EQ(px[32], kBack);

    // The same image as a cursor file (type 2, hot spot 1, 4 in the entry).
    std::string cur = ico.bytes();
    cur[2] = 2;
    ASSERT_TRUE(Load(cur));
    EXPECT_EQ(display_->kind(), PictureKind::kCursor);
    px = PaintToMemory(33, 1);
    EXPECT_EQ(px[5], RGB(0, 0, 0));
    EXPECT_EQ(px[32], kBack);
}

TEST_F(PictureWindow, NoPictureShowsOnlyTheBackground) {
    EXPECT_FALSE(display_->LoadPicture(nullptr, 0, false));
    EXPECT_FALSE(Load("BM123"));
    EXPECT_FALSE(Load("not a picture at all"));
    EXPECT_FALSE(
        Load(std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF", 19), true));
    EXPECT_FALSE(Load(Bmp({{0xFF0000}}).substr(0, 56)));
    EXPECT_EQ(display_->kind(), PictureKind::kNone);
    const auto px = PaintToMemory(3, 3);
    for (COLORREF c : px)
        EXPECT_EQ(c, kBack);
}

TEST_F(PictureWindow, DisplayModeTwoCentresAndShrinks) {
    Destroy();
    Create(100, 100, 2);
    std::vector<std::vector<uint32_t>> rows(100, std::vector<uint32_t>(200, 0x00FF00));
    ASSERT_TRUE(Load(Bmp(rows)));
    const auto px = PaintToMemory(100, 100);
    EXPECT_EQ(px[10 * 100 + 50], kBack);          // above (0, 25)
    EXPECT_EQ(px[40 * 100 + 50], Rgb(0x00FF00));  // inside 100 x 50 at (0, 25)
    EXPECT_EQ(px[80 * 100 + 50], kBack);          // below
}

TEST_F(PictureWindow, SetDisplayModeRepaintsAtOnceOnlyWhenChanged) {
    ASSERT_TRUE(Load(Bmp({{0xFF0000}})));
    PumpFor(20);
    const int before = box_.paints;
    display_->SetDisplayMode(0);  // unchanged
    EXPECT_EQ(box_.paints, before);
    display_->SetDisplayMode(1);  // painted before SetDisplayMode returns
    EXPECT_EQ(box_.paints, before + 1);
}

TEST_F(PictureWindow, OneImageGifGetsNoWorker) {
    ASSERT_TRUE(Load(Gif(4, 4, {std::vector<uint8_t>(16, 1)}), true));
    EXPECT_FALSE(display_->animated());
    UpdateWindow(hwnd_);
    PumpFor(100);
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
}

// A 32 x 32 8-bit bitmap whose pixels start where its colour table should (its
// colours-used field 0 claims all 256 entries): the platform reads the table beside
// the pixels, and the entries there are black.
std::string BitmapWithPixelsOverItsTable() {
    ByteWriter w;
    w.Bytes("BM");
    w.U32(54 + 1024);
    w.U32(0);
    w.U32(54);
    w.U32(40);
    w.I32(32);
    w.I32(32);
    w.U16(1);
    w.U16(8);
    w.Zeros(24);
    for (int i = 0; i < 1024; ++i)
        w.U8(uint8_t(i * 7 + 1));
    return w.Take();
}

TEST_F(PictureWindow, OddStillDataGivesItsPictureOrNone) {
    const std::string jpeg = ReadFile("red8x8.jpg");
    ASSERT_GT(jpeg.size(), 100u);
    std::string scrambled = jpeg;
    for (size_t i = 20; i < scrambled.size(); ++i)
        scrambled[i] = char(i * 37);
    struct Case {
        const char* what;
        std::string data;
        bool animate;
        bool picture;
        int width, height;
        COLORREF atOrigin;  // painted at (0, 0)
    };
    const Case cases[] = {
        {"bitmap with its pixels over its colour table", BitmapWithPixelsOverItsTable(), false,
         true, 32, 32, RGB(0, 0, 0)},
        {"JPEG start marker and nothing else", jpeg.substr(0, 6) + "xx", false, false, 0, 0, kBack},
        {"JPEG scrambled after its first bytes", scrambled, false, false, 0, 0, kBack},
        {"GIF at the canvas limit", GifOnScreen(2048, 2048, true), false, true, 2048, 2048,
         Rgb(0xFF0000)},
        {"animated GIF at the canvas limit", GifOnScreen(2048, 2048, true), true, true, 2048, 2048,
         0},
        {"GIF one column over the limit", GifOnScreen(2049, 2048, false), false, false, 0, 0,
         kBack},
        {"animated GIF over the limit", GifOnScreen(2049, 2048, true), true, false, 0, 0, kBack},
        {"GIF of 40 bytes on a 65535 x 256 screen", GifOnScreen(65535, 256, false), false, false, 0,
         0, kBack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Load(c.data, c.animate), c.picture);
        EXPECT_EQ(display_->width(), c.width);
        EXPECT_EQ(display_->height(), c.height);
        if (!c.animate) {
            EXPECT_EQ(PaintToMemory(1, 1)[0], c.atOrigin);
        }
    }
}

TEST_F(PictureWindow, GifsShownStillAndHowTheirTransparentColourLooks) {
    // Index 3 (blue) is transparent. Still pictures show it in its colour; the
    // player's first image, shown still, leaves it out over white.
    const std::string one = Gif(2, 1, {{1, 3}}, 0, 0, 3);
    const std::string two = Gif(2, 1, {{1, 3}, {2, 2}}, 0, 0, 3);
    RegisterBoxClass(L"VelmoraPictureOwnDc", CS_OWNDC);
    RegisterBoxClass(L"VelmoraPictureClassDc", CS_CLASSDC);
    RegisterBoxClass(L"VelmoraPictureParentDc", CS_PARENTDC);
    struct Case {
        const char* what;
        const std::string& gif;
        bool animate;
        const wchar_t* boxClass;
        COLORREF second;
    };
    const Case cases[] = {
        {"two images, not animated", two, false, kBoxClass, Rgb(0x0000FF)},
        {"one image, animated", one, true, kBoxClass, Rgb(0xFFFFFF)},
        {"two images, animated in a box with its own DC", two, true, L"VelmoraPictureOwnDc",
         Rgb(0xFFFFFF)},
        {"two images, animated in a box with a class DC", two, true, L"VelmoraPictureClassDc",
         Rgb(0xFFFFFF)},
        {"two images, animated in a box with its parent's DC", two, true, L"VelmoraPictureParentDc",
         Rgb(0xFFFFFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Destroy();
        Create(112, 145, 0, c.boxClass);
        ASSERT_TRUE(Load(c.gif, c.animate));
        EXPECT_FALSE(display_->animated());
        EXPECT_EQ(display_->kind(), PictureKind::kGif);
        const auto px = PaintToMemory(3, 1);
        EXPECT_EQ(px[0], Rgb(0xFF0000));
        EXPECT_EQ(px[1], c.second);
        EXPECT_EQ(px[2], kBack);
        UpdateWindow(hwnd_);
        PumpFor(60);
        EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
    }
}

std::atomic<int> framesSeen{0};
void CountFrames(const GifPlayer*, unsigned) {
    framesSeen.fetch_add(1);
}

TEST_F(PictureWindow, AnimationStartsAtFirstPaintAndStops) {
    GifPlayer::SetFrameHook(CountFrames);
    framesSeen = 0;
    ASSERT_TRUE(Load(Animation(1), true));
    ASSERT_TRUE(display_->animated());
    EXPECT_EQ(display_->player()->state(), PlayerState::kLoaded);
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
    // The first paint fills the background around the animation only.
    Destroy();
    Create(200, 150, 0);
    ASSERT_TRUE(Load(Animation(1), true));
    const auto first = PaintToMemory(200, 150);
    EXPECT_EQ(first[10 * 200 + 170], kBack);  // right of the 142 x 144 canvas
    EXPECT_NE(first[10 * 200 + 10], kBack);   // inside: left for the worker
    EXPECT_EQ(display_->player()->state(), PlayerState::kRunning);
    EXPECT_EQ(GifPlayer::RunningWorkers(), 1);
    for (int i = 0; i < 200 && framesSeen < 4; ++i)
        PumpFor(10);
    EXPECT_GE(framesSeen.load(), 4);
    // Painting while playing copies the canvas: frame content, not background.
    const auto later = PaintToMemory(200, 150);
    EXPECT_NE(later[72 * 200 + 75], kBack);
    display_->StopAnimation();
    EXPECT_EQ(display_->player()->state(), PlayerState::kStopped);
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
}

// Players' serial numbers grow; every player below this one has been ended (by a
// new load or a stop) and must not show another frame.
std::atomic<unsigned> firstLivePlayer{0};
std::atomic<int> staleFrames{0};
void WatchStale(const GifPlayer* player, unsigned) {
    if (player->serial() < firstLivePlayer.load())
        staleFrames.fetch_add(1);
    framesSeen.fetch_add(1);
}

TEST_F(PictureWindow, NewLoadWaitsForTheWorkerAndNoOldFrameFollows) {
    GifPlayer::SetFrameHook(WatchStale);
    framesSeen = 0;
    staleFrames = 0;
    firstLivePlayer = 0;
    ASSERT_TRUE(Load(Animation(0), true));
    UpdateWindow(hwnd_);
    for (int i = 0; i < 200 && framesSeen < 3; ++i)
        PumpFor(10);
    ASSERT_GE(framesSeen.load(), 3);
    ASSERT_TRUE(Load(Animation(0), true));
    firstLivePlayer = display_->player()->serial();
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);  // the old worker has ended
    UpdateWindow(hwnd_);
    PumpFor(200);
    EXPECT_EQ(staleFrames.load(), 0);
    EXPECT_EQ(GifPlayer::RunningWorkers(), 1);
    Destroy();  // WM_DESTROY stops the worker
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
}

using test::GdiHeadroom;

TEST_F(PictureWindow, StressLoadPlayStopAThousandTimes) {
    GifPlayer::SetFrameHook(WatchStale);
    const std::string gifs[2] = {
        Animation(0), Gif(8, 8, {std::vector<uint8_t>(64, 1), std::vector<uint8_t>(64, 2)}, 1)};
    const std::string still = Bmp({{0xFF0000, 0x00FF00}});
    auto cycle = [&](int i) {
        ASSERT_TRUE(Load(gifs[i % 2], true));
        ASSERT_TRUE(display_->player() != nullptr);
        const unsigned serial = display_->player()->serial();
        firstLivePlayer = serial;  // the load ended the worker before
        UpdateWindow(hwnd_);       // starts the worker
        ASSERT_NE(display_->player()->state(), PlayerState::kLoaded);
        if (i % 3 == 0)
            Sleep(i % 7);
        if (i % 2 == 0) {
            display_->StopAnimation();
            ASSERT_EQ(GifPlayer::RunningWorkers(), 0);
            firstLivePlayer = serial + 1;
        }
        if (i % 5 == 0) {
            // A still picture in between: its bitmap and drawing DCs must go too.
            ASSERT_TRUE(Load(still));
            firstLivePlayer = serial + 1;
            UpdateWindow(hwnd_);
        }
    };
    for (int i = 0; i < 10; ++i)
        cycle(i);
    display_->StopAnimation();
    PumpFor(50);
    // GetGuiResources counts on Windows (Wine answers 0 whatever happens).
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    // Kernel handles: the next handle made takes the lowest free slot, so with none
    // leaked it comes out where it did before (give or take a few that Wine makes
    // and drops on its own; a handle leaked per cycle would move it by thousands).
    HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(probe);
    staleFrames = 0;
    {
        constexpr size_t kRoom = 300;
        GdiHeadroom headroom(kRoom);
        ASSERT_GE(headroom.CountFree(kRoom + 10), kRoom - 5);
        for (int i = 0; i < 1000; ++i)
            cycle(i);
        display_->StopAnimation();
        PumpFor(50);
        // A leak of one object per cycle would have used up the headroom long ago.
        EXPECT_GE(headroom.CountFree(kRoom + 10), kRoom - 5);
    }
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
    EXPECT_EQ(staleFrames.load(), 0);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
    HANDLE after = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_LT(reinterpret_cast<uintptr_t>(after), reinterpret_cast<uintptr_t>(probe) + 4 * 16);
    CloseHandle(after);
}

ULONGLONG ProcessCpu100ns() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

// Plays the program-like animation (6 frames of 50 ms, stretched as in the main
// window's box) for 1.5 s while the user-interface thread sleeps, so that the
// process's CPU time is the worker's (plus Wine's own work for its drawing).
TEST_F(PictureWindow, APlayingAnimationKeepsToItsTimetableAndIdlesBetweenRounds) {
    GifPlayer::SetFrameHook(CountFrames);
    display_->SetDisplayMode(1);
    ASSERT_TRUE(Load(Animation(5), true));
    UpdateWindow(hwnd_);
    PumpFor(200);
    framesSeen = 0;
    const ULONGLONG cpu0 = ProcessCpu100ns();
    const DWORD t0 = GetTickCount();
    Sleep(1500);
    const ULONGLONG cpu1 = ProcessCpu100ns();
    const DWORD wall = GetTickCount() - t0;
    const int rounds = framesSeen.load();
    display_->StopAnimation();
    // No round comes early; a busy machine may hold some back.
    EXPECT_LE(rounds, int(wall / 50) + 2);
    EXPECT_GE(rounds, int(wall / 50) / 2);
    // A worker that waited by spinning would take a whole core.
    EXPECT_LT(double(cpu1 - cpu0) / 1e4 / wall, 0.5) << rounds << " rounds in " << wall << " ms";
}

}  // namespace
}  // namespace velmora

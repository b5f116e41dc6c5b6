// Covers: the GIF player's worker on a real window.
//  - its frames read back from the window's pixels, through display mode changes
//    and resizes while it plays;
//  - a copy made for the old display mode that lands while the box repaints for
//    the new one leaves no stale frame;
//  - a stop during a long frame delay returns within a frame and a moment;
//  - a window destroyed before its player: the worker ends on its own, drawing
//    nothing more; a worker that gets no device context ends, the first image shown;
//  - memory running out: a picture that cannot be held gives no picture, a worker
//    that cannot allocate ends, a worker that cannot be started leaves the first
//    image; nothing ends the process.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "tests/ui/picture/picture_window_win.h"

namespace velmora {
namespace {

using namespace test;

std::atomic<int> shownFrames{0};
std::atomic<int> lastShownRound{-1};
void RecordShown(const GifPlayer*, unsigned round) {
    shownFrames.fetch_add(1);
    lastShownRound.store(int(round));
}

class GifPlayerWindow : public PictureWindow {
  protected:
    void SetUp() override {
        PictureWindow::SetUp();
        shownFrames = 0;
        lastShownRound = -1;
        GifPlayer::SetFrameHook(RecordShown);
    }
    // Waits (pumping messages) until the worker has shown a round after `round`;
    // answers the round shown.
    int WaitForRoundAfter(int round) {
        for (int i = 0; i < 300 && lastShownRound.load() <= round; ++i)
            PumpFor(5);
        return lastShownRound.load();
    }
};

// Two 10 x 10 frames, red then green, each with its top left pixel transparent
// (disposal 2, so white shows there); `delay` in hundredths.
std::string RedGreen(unsigned delay) {
    std::vector<uint8_t> red(100, 1), green(100, 2);
    red[0] = green[0] = 0;
    return Gif(10, 10, {red, green}, delay, 2, 0);
}

TEST_F(GifPlayerWindow, FramesReadBackFromTheWindowThroughModeChangesAndResizes) {
    Destroy();
    Create(40, 40, 0);
    ASSERT_TRUE(Load(RedGreen(10), true));
    UpdateWindow(hwnd_);
    // 0: the frame's own colour, 1: white, 2: the background.
    struct Probe {
        int x, y, what;
    };
    struct Step {
        int mode, width, height;
        std::vector<Probe> probes;
    };
    const Step steps[] = {
        {0, 40, 40, {{0, 0, 1}, {5, 5, 0}, {30, 30, 2}}},
        {1, 40, 40, {{30, 30, 0}, {20, 5, 0}}},
        {0, 40, 40, {{5, 5, 0}, {30, 30, 2}, {12, 3, 2}}},
        {2, 60, 30, {{25, 10, 1}, {30, 15, 0}, {5, 5, 2}, {50, 25, 2}}},
        {1, 20, 20, {{15, 15, 0}}},
    };
    int round = -1;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.mode);
        SetWindowPos(hwnd_, nullptr, 0, 0, step.width, step.height, SWP_NOMOVE | SWP_NOZORDER);
        InvalidateRect(hwnd_, nullptr, FALSE);
        display_->SetDisplayMode(step.mode);
        UpdateWindow(hwnd_);
        // What the worker itself draws: two rounds on, the current settings hold.
        round = WaitForRoundAfter(WaitForRoundAfter(round));
        const COLORREF colours[] = {round % 2 ? Rgb(0x00FF00) : Rgb(0xFF0000), Rgb(0xFFFFFF),
                                    kBack};
        for (const Probe& p : step.probes) {
            SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
            EXPECT_EQ(WindowPixel(p.x, p.y), colours[p.what]);
        }
        EXPECT_EQ(lastShownRound.load(), round) << "a round passed while reading";
    }
}

std::atomic<bool> holdNextCopy{false};
UniqueKernelHandle copyHeld;
void HoldCopy(const GifPlayer*, unsigned) {
    if (holdNextCopy.exchange(false)) {
        SetEvent(copyHeld.get());
        Sleep(150);
    }
}

TEST_F(GifPlayerWindow, ACopyForTheOldModeLandingDuringARepaintLeavesNoStaleFrame) {
    Destroy();
    Create(40, 40, 1);
    copyHeld.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    GifPlayer::SetCopyHook(HoldCopy);
    ASSERT_TRUE(Load(RedGreen(5), true));
    UpdateWindow(hwnd_);
    const int first = WaitForRoundAfter(-1);
    ASSERT_GE(first, 0);
    // The worker has placed its copy stretched (mode 1) and holds it back while the
    // box repaints at natural size; whatever lands last, the background must show.
    holdNextCopy = true;
    ASSERT_EQ(WaitForSingleObject(copyHeld.get(), 2000), WAIT_OBJECT_0);
    display_->SetDisplayMode(0);
    WaitForRoundAfter(WaitForRoundAfter(first));
    EXPECT_EQ(WindowPixel(30, 30), kBack);
    EXPECT_EQ(WindowPixel(5, 5), Rgb(lastShownRound.load() % 2 ? 0x00FF00 : 0xFF0000));
}

TEST_F(GifPlayerWindow, StopDuringALongDelayReturnsWithinAFrame) {
    ASSERT_TRUE(Load(RedGreen(300), true));  // 3 s a frame
    UpdateWindow(hwnd_);
    ASSERT_EQ(WaitForRoundAfter(-1), 0);
    Sleep(30);  // well inside the first frame's delay
    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    display_->StopAnimation();
    QueryPerformanceCounter(&after);
    const double ms = double(after.QuadPart - before.QuadPart) * 1000 / frequency.QuadPart;
    EXPECT_EQ(display_->player()->state(), PlayerState::kStopped);
    // A frame of 10 x 10 pixels; anything near 3 s waited out the delay.
    EXPECT_LT(ms, 500.0);
}

TEST_F(GifPlayerWindow, AWindowDestroyedBeforeItsPlayerEndsTheWorker) {
    ASSERT_TRUE(Load(RedGreen(2), true));
    UpdateWindow(hwnd_);
    ASSERT_GE(WaitForRoundAfter(0), 1);
    // Broken contract: the box forgets to stop the player in WM_DESTROY.
    box_.display = nullptr;
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    const int shownAtDestroy = shownFrames.load();
    for (int i = 0; i < 300 && GifPlayer::RunningWorkers() > 0; ++i)
        PumpFor(5);
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
    EXPECT_EQ(display_->player()->state(), PlayerState::kStopped);
    PumpFor(100);
    // At most the frame that was being copied as the window went.
    EXPECT_LE(shownFrames.load(), shownAtDestroy + 1);
    display_->StopAnimation();  // nothing left to stop
    display_.reset();
    EXPECT_EQ(GifPlayer::LivePlayers(), 0);  // the worker let go of the player too
}

bool RefuseWindowDc(const GifPlayer*) {
    return false;
}

TEST_F(GifPlayerWindow, AWorkerWithoutADeviceContextEndsAndTheFirstImageStays) {
    GifPlayer::SetWindowDcHook(RefuseWindowDc);
    ASSERT_TRUE(Load(RedGreen(2), true));
    UpdateWindow(hwnd_);
    for (int i = 0; i < 100 && GifPlayer::RunningWorkers() > 0; ++i)
        PumpFor(5);
    PumpFor(100);
    EXPECT_EQ(display_->player()->state(), PlayerState::kStopped);
    EXPECT_EQ(shownFrames.load(), 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(5, 5), Rgb(0xFF0000));
}

// Reserves the free address space in blocks of 1 MiB and more: until it goes, no
// allocation of 1 MiB or more can succeed (smaller ones still find room).
class AddressSpaceFill {
  public:
    AddressSpaceFill() {
        blocks_.reserve(8192);
        for (SIZE_T size = SIZE_T{1} << 30; size >= (SIZE_T{1} << 20); size /= 2) {
            while (blocks_.size() < blocks_.capacity()) {
                void* p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
                if (!p)
                    break;
                blocks_.push_back(p);
            }
        }
    }
    ~AddressSpaceFill() {
        for (void* p : blocks_)
            VirtualFree(p, 0, MEM_RELEASE);
    }
    AddressSpaceFill(const AddressSpaceFill&) = delete;
    AddressSpaceFill& operator=(const AddressSpaceFill&) = delete;

  private:
    std::vector<void*> blocks_;
};

TEST_F(GifPlayerWindow, RunningOutOfMemoryNeverEndsTheProcess) {
    if (sizeof(void*) != 4)
        GTEST_SKIP() << "the address space is filled in a 32-bit process only";
    // Pictures whose canvas needs a block of 16 MiB.
    const std::string large[] = {GifOnScreen(2048, 2048, false), GifOnScreen(2048, 2048, true)};
    bool loaded = false;
    {
        AddressSpaceFill fill;
        for (bool animate : {false, true}) {
            for (const std::string& gif : large)
                loaded = Load(gif, animate) || loaded;
        }
    }
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(Load(large[0]));  // with the memory back, it loads

    // No room for a worker's stack: the first paint shows the first image, still.
    ASSERT_TRUE(Load(RedGreen(5), true));
    COLORREF shown[2] = {};
    {
        AddressSpaceFill fill;
        UpdateWindow(hwnd_);
        shown[0] = WindowPixel(0, 0);
        shown[1] = WindowPixel(5, 5);
    }
    EXPECT_EQ(display_->player()->state(), PlayerState::kStopped);
    EXPECT_EQ(GifPlayer::RunningWorkers(), 0);
    EXPECT_EQ(shown[0], Rgb(0xFFFFFF));
    EXPECT_EQ(shown[1], Rgb(0xFF0000));

    // A worker whose second frame needs 4 MiB for its indices ends at that frame.
    GifPlan plan{2048, 2048, kPalette, false, {}};
    GifFramePlan small;
    small.width = small.height = 1;
    small.indices = {1};
    small.delay = 20;
    GifFramePlan whole = small;
    whole.width = whole.height = 2048;
    whole.indices.assign(2048 * 2048, 2);
    plan.frames = {small, whole};
    ASSERT_TRUE(Load(EncodeGif(plan), true));
    UpdateWindow(hwnd_);
    ASSERT_EQ(WaitForRoundAfter(-1), 0);
    PlayerState state = PlayerState::kRunning;
    {
        AddressSpaceFill fill;
        for (int i = 0; i < 100 && GifPlayer::RunningWorkers() > 0; ++i)
            Sleep(10);
        state = display_->player()->state();
    }
    EXPECT_EQ(state, PlayerState::kStopped);
    EXPECT_EQ(lastShownRound.load(), 0);
}

}  // namespace
}  // namespace velmora

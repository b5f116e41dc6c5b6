#include "ui/picture/gif_player.h"

#include "ui/picture/placement.h"
#include "ui/picture/still_picture.h"

namespace velmora {

namespace {

std::atomic<int> runningWorkers{0};
std::atomic<int> livePlayers{0};
std::atomic<unsigned> nextSerial{1};
std::atomic<GifPlayer::FrameHook> frameHook{nullptr};

}  // namespace

std::shared_ptr<GifPlayer> GifPlayer::Create(std::unique_ptr<GifAnimation> animation, HWND box,
                                             int displayMode) {
    return std::shared_ptr<GifPlayer>(new GifPlayer(std::move(animation), box, displayMode));
}

GifPlayer::GifPlayer(std::unique_ptr<GifAnimation> animation, HWND box, int displayMode)
    : animation_(std::move(animation)),
      box_(box),
      serial_(nextSerial.fetch_add(1)),
      width_(animation_->width()),
      height_(animation_->height()),
      displayMode_(displayMode),
      stopped_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    livePlayers.fetch_add(1);
}

GifPlayer::~GifPlayer() {
    livePlayers.fetch_sub(1);
}

int GifPlayer::RunningWorkers() {
    return runningWorkers.load();
}

void GifPlayer::SetFrameHook(FrameHook hook) {
    frameHook.store(hook);
}

void GifPlayer::Start() {
    if (state_.load() != PlayerState::kLoaded || !stopped_)
        return;
    {
        std::lock_guard<std::mutex> lock(canvasLock_);
        animation_->Restart();
    }
    state_.store(PlayerState::kRunning);
    auto* self = new std::shared_ptr<GifPlayer>(shared_from_this());
    runningWorkers.fetch_add(1);
    HANDLE thread = CreateThread(nullptr, 0, WorkerEntry, self, 0, nullptr);
    if (!thread) {
        delete self;
        runningWorkers.fetch_sub(1);
        state_.store(PlayerState::kStopped);
        SetEvent(stopped_.get());
        return;
    }
    CloseHandle(thread);
}

void GifPlayer::Stop() {
    PlayerState expected = PlayerState::kLoaded;
    if (state_.compare_exchange_strong(expected, PlayerState::kStopped))
        return;
    expected = PlayerState::kRunning;
    state_.compare_exchange_strong(expected, PlayerState::kStopRequested);
    if (state_.load() == PlayerState::kStopped)
        return;
    // The worker checks for the request after every round and every 10 ms of its
    // wait; it needs nothing from this thread to get there.
    WaitForSingleObject(stopped_.get(), INFINITE);
}

void GifPlayer::PaintCanvas(HDC dc) {
    const int stretchMode = PictureStretchMode();
    std::lock_guard<std::mutex> lock(canvasLock_);
    CopyCanvasLocked(dc, stretchMode);
}

void GifPlayer::CopyCanvasLocked(HDC dc, int stretchMode) {
    RECT client = {};
    GetClientRect(box_, &client);
    const Placement p =
        PlacePicture(displayMode_.load(), width_, height_, client.right, client.bottom);
    if (p.width <= 0 || p.height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // the canvas is top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int oldMode = SetStretchBltMode(dc, stretchMode);
    POINT oldOrigin = {};
    if (stretchMode == HALFTONE)
        SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchDIBits(dc, p.x, p.y, p.width, p.height, 0, 0, width_, height_,
                  animation_->canvas().pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
    if (stretchMode == HALFTONE)
        SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

DWORD WINAPI GifPlayer::WorkerEntry(void* param) {
    std::shared_ptr<GifPlayer> self = std::move(*static_cast<std::shared_ptr<GifPlayer>*>(param));
    delete static_cast<std::shared_ptr<GifPlayer>*>(param);
    self->Run();
    // The last thing the worker touches is the event; whoever waits on it may
    // drop the player (our reference keeps it alive until we return).
    runningWorkers.fetch_sub(1);
    self->state_.store(PlayerState::kStopped);
    SetEvent(self->stopped_.get());
    return 0;
}

void GifPlayer::Run() {
    WindowDc dc(box_);
    // The screen's depth is asked once per run, not per frame.
    const int stretchMode = PictureStretchMode();
    unsigned round = 0;
    while (state_.load() != PlayerState::kStopRequested) {
        const DWORD started = GetTickCount();
        GifRound result;
        {
            std::lock_guard<std::mutex> lock(canvasLock_);
            result = animation_->Step();
            if (dc.get() && IsWindow(box_))
                CopyCanvasLocked(dc.get(), stretchMode);
        }
        if (FrameHook hook = frameHook.load())
            hook(this, round, result.drawn());
        ++round;
        while (GetTickCount() - started < result.delayMs &&
               state_.load() != PlayerState::kStopRequested) {
            Sleep(10);
        }
    }
}

}  // namespace velmora

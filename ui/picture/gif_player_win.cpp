#include "ui/picture/gif_player_win.h"

#include <cassert>
#include <new>

#include "ui/picture/still_picture_win.h"

namespace velmora {

namespace {

std::atomic<int> runningWorkers{0};
std::atomic<int> livePlayers{0};
std::atomic<unsigned> nextSerial{1};
std::atomic<GifPlayer::FrameHook> frameHook{nullptr};
std::atomic<GifPlayer::CopyHook> copyHook{nullptr};
std::atomic<GifPlayer::WindowDcHook> windowDcHook{nullptr};

// How far the worker may fall behind its timetable and still catch up.
constexpr LONGLONG kMostBehindMs = 100;

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

LONGLONG TicksPerSecond() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

DWORD ThreadOf(HWND hwnd) {
    return GetWindowThreadProcessId(hwnd, nullptr);
}

}  // namespace

std::shared_ptr<GifPlayer> GifPlayer::Create(std::unique_ptr<GifAnimation>&& animation, HWND box,
                                             int displayMode) {
    UniqueKernelHandle stopRequested(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueKernelHandle stopped(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stopRequested || !stopped)
        return nullptr;
    return std::shared_ptr<GifPlayer>(new GifPlayer(std::move(animation), box, displayMode,
                                                    std::move(stopRequested), std::move(stopped)));
}

GifPlayer::GifPlayer(std::unique_ptr<GifAnimation> animation, HWND box, int displayMode,
                     UniqueKernelHandle stopRequested, UniqueKernelHandle stopped)
    : animation_(std::move(animation)),
      box_(box),
      boxThread_(ThreadOf(box)),
      serial_(nextSerial.fetch_add(1)),
      width_(animation_->width()),
      height_(animation_->height()),
      displayMode_(displayMode),
      stopRequested_(std::move(stopRequested)),
      stopped_(std::move(stopped)) {
    livePlayers.fetch_add(1);
}

GifPlayer::~GifPlayer() {
    livePlayers.fetch_sub(1);
}

int GifPlayer::RunningWorkers() {
    return runningWorkers.load();
}

int GifPlayer::LivePlayers() {
    return livePlayers.load();
}

void GifPlayer::SetFrameHook(FrameHook hook) {
    frameHook.store(hook);
}

void GifPlayer::SetCopyHook(CopyHook hook) {
    copyHook.store(hook);
}

void GifPlayer::SetWindowDcHook(WindowDcHook hook) {
    windowDcHook.store(hook);
}

void GifPlayer::Start() {
    if (state_.load() != PlayerState::kLoaded)
        return;
    state_.store(PlayerState::kRunning);
    auto* self = new (std::nothrow) std::shared_ptr<GifPlayer>(shared_from_this());
    runningWorkers.fetch_add(1);
    HANDLE thread = self ? CreateThread(nullptr, 0, WorkerEntry, self, 0, nullptr) : nullptr;
    if (!thread) {
        // No worker: the canvas keeps the first image that opening drew, shown still.
        delete self;
        runningWorkers.fetch_sub(1);
        state_.store(PlayerState::kStopped);
        SetEvent(stopped_.get());
        return;
    }
    CloseHandle(thread);
}

void GifPlayer::Stop() {
    // A worker still running must still have its window (see the header).
    assert((state_.load() != PlayerState::kRunning || IsWindow(box_)) &&
           "stop the picture's player before its window is destroyed");
    PlayerState expected = PlayerState::kLoaded;
    if (state_.compare_exchange_strong(expected, PlayerState::kStopped))
        return;
    expected = PlayerState::kRunning;
    state_.compare_exchange_strong(expected, PlayerState::kStopRequested);
    if (state_.load() == PlayerState::kStopped)
        return;
    SetEvent(stopRequested_.get());
    // The worker sees the request after its current round, or at once while it
    // waits (the request's event ends the wait); it needs nothing from this thread
    // to get there.
    WaitForSingleObject(stopped_.get(), INFINITE);
}

void GifPlayer::Paint(HDC dc, HBRUSH background) {
    CanvasLock::ForPaint lock(canvasLock_);
    RECT client = {};
    GetClientRect(box_, &client);
    FillRect(dc, &client, background);
    CopyCanvasLocked(dc, PlaceCanvasLocked());
}

Placement GifPlayer::PlaceCanvasLocked() const {
    RECT client = {};
    GetClientRect(box_, &client);
    return PlacePicture(displayMode_.load(), width_, height_, client.right, client.bottom,
                        dpi_.load());
}

void GifPlayer::CopyCanvasLocked(HDC dc, const Placement& p) {
    if (p.width <= 0 || p.height <= 0)
        return;
    stretched_.Draw(dc, p, animation_->canvas().pixels(), width_, height_, PictureStretchMode());
}

DWORD WINAPI GifPlayer::WorkerEntry(void* param) {
    std::shared_ptr<GifPlayer> self = std::move(*static_cast<std::shared_ptr<GifPlayer>*>(param));
    delete static_cast<std::shared_ptr<GifPlayer>*>(param);
    try {
        self->Run();
    } catch (...) {
        // Nothing leaves the thread. A round that cannot get memory ends the
        // animation; the box goes on showing the canvas as it was.
    }
    // The last thing the worker touches is the event; whoever waits on it may
    // drop the player (our reference keeps it alive until we return).
    runningWorkers.fetch_sub(1);
    self->state_.store(PlayerState::kStopped);
    SetEvent(self->stopped_.get());
    return 0;
}

bool GifPlayer::WindowIsOurs(HDC dc) const {
    return IsWindow(box_) && ThreadOf(box_) == boxThread_ && WindowFromDC(dc) == box_;
}

void GifPlayer::WaitUntil(LONGLONG end) const {
    const LONGLONG frequency = TicksPerSecond();
    for (;;) {
        const LONGLONG left = end - Now();
        if (left <= 0)
            return;
        // One wait for the whole delay, ended at once by a stop request: waking to
        // look for one costs a trip through the system every time, 20 times a
        // second per playing picture. Rounded up: a wait that ended early would
        // only be followed by another.
        const LONGLONG ms = (left * 1000 + frequency - 1) / frequency;
        if (WaitForSingleObject(stopRequested_.get(), static_cast<DWORD>(ms)) == WAIT_OBJECT_0)
            return;
    }
}

void GifPlayer::Run() {
    // The worker never sends a message to the user-interface thread, which waits
    // for it in Stop without pumping messages: it only reads the window's size and
    // draws through a device context of its own.
    WindowDc windowDc(box_);
    const WindowDcHook dcHook = windowDcHook.load();
    HDC dc = dcHook && !dcHook(this) ? nullptr : windowDc.get();
    if (!dc)
        return;  // nothing to draw on: the canvas stays as opening left it
    // Rounds keep to a timetable read from the performance counter: the tick count
    // moves in steps of about 16 ms, which would stretch a 50 ms frame to 64 ms. A
    // round is due when the previous one's delay has passed since that one was due,
    // so that waking a little late (as every timed wait does) does not add up over
    // the frames; a worker further behind than kMostBehindMs starts afresh.
    const LONGLONG frequency = TicksPerSecond();
    const LONGLONG mostBehind = frequency * kMostBehindMs / 1000;
    LONGLONG due = Now();
    unsigned round = 0;
    while (state_.load() != PlayerState::kStopRequested) {
        GifRound result;
        {
            // A worker running behind comes back for the lock at once; a paint
            // waiting for it still goes first.
            CanvasLock::ForRound lock(canvasLock_);
            if (round == 0)
                animation_->Restart();
            result = animation_->Step();
            if (!WindowIsOurs(dc))
                return;
            const Placement place = PlaceCanvasLocked();
            if (CopyHook hook = copyHook.load())
                hook(this, round);
            CopyCanvasLocked(dc, place);
        }
        if (FrameHook hook = frameHook.load())
            hook(this, round);
        ++round;
        const LONGLONG end = due + frequency * result.delayMs / 1000;
        WaitUntil(end);
        const LONGLONG now = Now();
        due = now - end > mostBehind ? now : end;
    }
}

}  // namespace velmora

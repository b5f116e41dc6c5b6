#pragma once
// The animation player of one picture box: a worker thread that plays the GIF's
// rounds onto the canvas and copies the canvas into the box, and the stop protocol.
//
// Threads: the user-interface thread creates, starts, paints and stops the player;
// the worker runs the rounds. They share the canvas (under canvasLock_) and the
// state and display mode (atomics). The worker holds a reference to the player, so
// the player outlives its worker whatever the box does.
//
// The box's window must outlive the worker, which draws through one GetDC of it
// for its whole run: stop the player before the window goes (the picture box does
// so in WM_DESTROY); debug builds assert on a stop that finds its worker running
// and the window gone. A worker that finds the window gone (or its handle taken by
// a window of another thread, or its device context no longer the window's) ends
// at its next frame without drawing; one that gets no device context of the window
// ends at once, and the box goes on showing the canvas with its first image.

#include <windows.h>

#include <atomic>
#include <memory>

#include "runtime/win_handles_win.h"
#include "ui/picture/canvas_lock.h"
#include "ui/picture/gif_animation.h"
#include "ui/picture/placement.h"
#include "ui/picture/stretched_canvas_cache_win.h"

namespace velmora {

enum class PlayerState { kLoaded, kRunning, kStopRequested, kStopped };

class GifPlayer : public std::enable_shared_from_this<GifPlayer> {
  public:
    // Takes an opened animation (not a single image) for the box's window. Null,
    // with `animation` left to the caller, when the player's events cannot be made.
    // May throw std::bad_alloc.
    static std::shared_ptr<GifPlayer> Create(std::unique_ptr<GifAnimation>&& animation, HWND box,
                                             int displayMode);
    ~GifPlayer();

    int width() const { return width_; }
    int height() const { return height_; }
    PlayerState state() const { return state_.load(); }

    // Loaded -> running: a worker thread (its handle closed at once) that starts
    // from the start of the stream on a white canvas. Only from kLoaded. When no
    // thread can be made the player is stopped with its first image on the canvas.
    void Start();

    // The stop protocol: stop requested, then wait until the worker says stopped
    // (at most the current round: a waiting worker wakes at once). A player that
    // never ran just becomes stopped.
    void Stop();

    // Fills the box's client area with `background`, then copies the canvas over it
    // at the display mode's place, both under the canvas lock: no copy that the
    // worker made for an older size or display mode can land between the two.
    void Paint(HDC dc, HBRUSH background);

    void SetDisplayMode(int mode) { displayMode_.store(mode); }
    // The dpi of the box's display: the picture's natural size follows it.
    void SetDpi(int dpi) { dpi_.store(dpi); }

    // Number of workers of all players that have not yet said stopped.
    static int RunningWorkers();
    // Number of player objects alive (a worker may hold the last reference for a
    // moment after it said stopped).
    static int LivePlayers();

    // A number of its own for each player ever made (addresses get reused).
    unsigned serial() const { return serial_; }

    // Called by the worker after each round, which copied the canvas onto the
    // window (tests observe frames with it). Null for none.
    using FrameHook = void (*)(const GifPlayer* player, unsigned round);
    static void SetFrameHook(FrameHook hook);
    // Called by the worker inside the canvas lock, after it has placed the round's
    // copy and just before it copies the canvas onto the window (tests hold a copy
    // back with it). Null for none.
    using CopyHook = void (*)(const GifPlayer* player, unsigned round);
    static void SetCopyHook(CopyHook hook);

    // Answers, for the worker, whether its GetDC of the box may succeed (tests
    // make it fail with false). Null for always.
    using WindowDcHook = bool (*)(const GifPlayer* player);
    static void SetWindowDcHook(WindowDcHook hook);

  private:
    GifPlayer(std::unique_ptr<GifAnimation> animation, HWND box, int displayMode,
              UniqueKernelHandle stopRequested, UniqueKernelHandle stopped);
    static DWORD WINAPI WorkerEntry(void* param);
    void Run();
    bool WindowIsOurs(HDC dc) const;
    // Waits until the performance counter reaches `end` or a stop is requested.
    void WaitUntil(LONGLONG end) const;
    // canvasLock_ held for both.
    Placement PlaceCanvasLocked() const;
    void CopyCanvasLocked(HDC dc, const Placement& place);

    std::unique_ptr<GifAnimation> animation_;
    const HWND box_;
    const DWORD boxThread_;  // the thread that made the box's window
    const unsigned serial_;
    const int width_;
    const int height_;
    std::atomic<int> displayMode_;
    std::atomic<int> dpi_{96};
    std::atomic<PlayerState> state_{PlayerState::kLoaded};
    CanvasLock canvasLock_;             // a waiting paint goes before the next round
    StretchedCanvasCache stretched_;    // under canvasLock_
    UniqueKernelHandle stopRequested_;  // manual-reset event, set by Stop
    UniqueKernelHandle stopped_;        // manual-reset event, set when the worker has ended
};

}  // namespace velmora

#pragma once
// The animation player of one picture box: a worker thread that plays the GIF's
// rounds onto the canvas and copies the canvas into the box, and the stop protocol.
//
// Threads: the user-interface thread creates, starts, paints and stops the player;
// the worker runs the rounds. They share the canvas (under canvasLock_) and the
// state and display mode (atomics). The worker holds a reference to the player, so
// the player outlives its worker whatever the box does.

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "runtime/win_handles.h"
#include "ui/picture/gif_animation.h"

namespace velmora {

enum class PlayerState { kLoaded, kRunning, kStopRequested, kStopped };

class GifPlayer : public std::enable_shared_from_this<GifPlayer> {
  public:
    // Takes an opened animation (not a single image) for the box's window.
    static std::shared_ptr<GifPlayer> Create(std::unique_ptr<GifAnimation> animation, HWND box,
                                             int displayMode);
    ~GifPlayer();

    int width() const { return width_; }
    int height() const { return height_; }
    PlayerState state() const { return state_.load(); }

    // Loaded -> running: read position to the start of the stream, white canvas,
    // and a worker thread (its handle closed at once). Only from kLoaded.
    void Start();

    // The stop protocol: stop requested, then wait until the worker says stopped.
    // A player that never ran just becomes stopped.
    void Stop();

    // Copies the canvas into dc at the display mode's place (under the canvas lock).
    void PaintCanvas(HDC dc);

    void SetDisplayMode(int mode) { displayMode_.store(mode); }

    // Number of workers of all players that have not yet said stopped.
    static int RunningWorkers();
    // Number of player objects alive (a worker may hold the last reference for a
    // moment after it said stopped).
    static int LivePlayers();

    // A number of its own for each player ever made (addresses get reused).
    unsigned serial() const { return serial_; }

    // Called by the worker after each round's copy to the window (tests observe
    // frames with it); null for none.
    using FrameHook = void (*)(const GifPlayer* player, unsigned round, bool drawn);
    static void SetFrameHook(FrameHook hook);

  private:
    GifPlayer(std::unique_ptr<GifAnimation> animation, HWND box, int displayMode);
    static DWORD WINAPI WorkerEntry(void* param);
    void Run();
    void CopyCanvasLocked(HDC dc, int stretchMode);  // canvasLock_ held

    std::unique_ptr<GifAnimation> animation_;
    const HWND box_;
    const unsigned serial_;
    const int width_;
    const int height_;
    std::atomic<int> displayMode_;
    std::atomic<PlayerState> state_{PlayerState::kLoaded};
    std::mutex canvasLock_;
    UniqueKernelHandle stopped_;  // manual-reset event, set when the worker has ended
};

}  // namespace velmora

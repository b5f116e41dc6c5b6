#pragma once
// The lock of a playing picture's canvas, shared by the animation worker's rounds
// and the box's paints. A plain mutex is not fair: a worker running behind takes
// it back the moment it lets it go, and a paint could wait round after round. Here
// a paint that waits goes first: no round takes the lock while one waits.

#include <condition_variable>
#include <mutex>

namespace velmora {

class CanvasLock {
  public:
    // Block until the canvas is the caller's; Unlock gives it back.
    void LockForPaint();
    void LockForRound();
    void Unlock();

    // Paints waiting for the canvas.
    int paintsWaiting() const;

    // Scoped holds.
    class ForPaint {
      public:
        explicit ForPaint(CanvasLock& lock) : lock_(lock) { lock_.LockForPaint(); }
        ~ForPaint() { lock_.Unlock(); }
        ForPaint(const ForPaint&) = delete;
        ForPaint& operator=(const ForPaint&) = delete;

      private:
        CanvasLock& lock_;
    };
    class ForRound {
      public:
        explicit ForRound(CanvasLock& lock) : lock_(lock) { lock_.LockForRound(); }
        ~ForRound() { lock_.Unlock(); }
        ForRound(const ForRound&) = delete;
        ForRound& operator=(const ForRound&) = delete;

      private:
        CanvasLock& lock_;
    };

  private:
    mutable std::mutex state_;
    std::condition_variable changed_;
    bool held_ = false;
    int paintsWaiting_ = 0;
};

}  // namespace velmora

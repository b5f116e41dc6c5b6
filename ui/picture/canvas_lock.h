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

    // Scoped holds: ForPaint and ForRound.
    template <void (CanvasLock::*Lock)()>
    class Hold {
      public:
        explicit Hold(CanvasLock& lock) : lock_(lock) { (lock_.*Lock)(); }
        ~Hold() { lock_.Unlock(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        CanvasLock& lock_;
    };
    using ForPaint = Hold<&CanvasLock::LockForPaint>;
    using ForRound = Hold<&CanvasLock::LockForRound>;

  private:
    mutable std::mutex state_;
    std::condition_variable changed_;
    bool held_ = false;
    int paintsWaiting_ = 0;
};

}  // namespace velmora

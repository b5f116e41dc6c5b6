#include "ui/picture/canvas_lock.h"

namespace velmora {

void CanvasLock::LockForPaint() {
    std::unique_lock<std::mutex> state(state_);
    ++paintsWaiting_;
    changed_.wait(state, [this] { return !held_; });
    --paintsWaiting_;
    held_ = true;
}

void CanvasLock::LockForRound() {
    std::unique_lock<std::mutex> state(state_);
    changed_.wait(state, [this] { return !held_ && paintsWaiting_ == 0; });
    held_ = true;
}

void CanvasLock::Unlock() {
    {
        std::lock_guard<std::mutex> state(state_);
        held_ = false;
    }
    changed_.notify_all();
}

int CanvasLock::paintsWaiting() const {
    std::lock_guard<std::mutex> state(state_);
    return paintsWaiting_;
}

}  // namespace velmora

#include "tests/windows/soak/step_queue.h"

#include <utility>

namespace velmora::soak {

void StepQueue::Until(const char* name, Check check, uint32_t timeoutMs) {
    steps_.push_back({name, std::move(check), timeoutMs});
}

void StepQueue::Do(const char* name, std::function<void()> action) {
    Until(name, [action = std::move(action)] {
        action();
        return true;
    });
}

void StepQueue::Wait(uint32_t ms) {
    During("wait", ms, [](uint32_t) {});
}

void StepQueue::During(const char* name, uint32_t ms, std::function<void(uint32_t)> each) {
    // Timed from the turn the step became the front.
    Until(
        name,
        [this, ms, each = std::move(each)] {
            const uint32_t elapsed = now_ - started_;
            each(elapsed);
            return elapsed >= ms;
        },
        ms + kStepMs);
}

bool StepQueue::Advance(uint32_t now) {
    now_ = now;
    if (!stalled_.empty())
        return false;
    // Steps that are done at once follow each other in the same turn, up to a bound
    // that keeps a turn short.
    for (int done = 0; !steps_.empty() && done < 64; ++done) {
        if (!frontStarted_) {
            started_ = now;
            frontStarted_ = true;
        }
        Step& front = steps_.front();
        if (!front.check()) {
            if (now - started_ > front.timeoutMs) {
                stalled_ = front.name;
                return false;
            }
            return true;
        }
        steps_.pop_front();
        frontStarted_ = false;
    }
    return true;
}

}  // namespace velmora::soak

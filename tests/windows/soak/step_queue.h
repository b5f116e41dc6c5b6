#pragma once
// The driver's plan: steps run in order from a timer on the user-interface thread,
// never blocking it. A step is a check run at every turn until it answers true; a
// step that does not within its time stalls the plan.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace velmora::soak {

class StepQueue {
  public:
    using Check = std::function<bool()>;
    static constexpr uint32_t kStepMs = 10000;

    void Until(const char* name, Check check, uint32_t timeoutMs = kStepMs);
    void Do(const char* name, std::function<void()> action);
    void Wait(uint32_t ms);
    // A check that runs for `ms`, called at every turn with the time since it began.
    void During(const char* name, uint32_t ms, std::function<void(uint32_t elapsed)> each);

    // Runs what is ready at `now` (milliseconds); false once a step has stalled.
    bool Advance(uint32_t now);
    bool empty() const { return steps_.empty(); }
    // The step that stalled; empty while none has.
    const std::string& stalled() const { return stalled_; }

  private:
    struct Step {
        const char* name;
        Check check;
        uint32_t timeoutMs;
    };
    std::deque<Step> steps_;
    uint32_t now_ = 0;
    uint32_t started_ = 0;  // when the front step became the front
    bool frontStarted_ = false;
    std::string stalled_;
};

}  // namespace velmora::soak

#include "runtime/event_suppression.h"

#include <atomic>

namespace velmora {

namespace {
// Atomic: the error service raises it from whichever thread reports.
std::atomic<int> suppression{0};
}  // namespace

void SuppressEvents() {
    suppression.fetch_add(1);
}

void ResumeEvents() {
    int current = suppression.load();
    while (current > 0 && !suppression.compare_exchange_weak(current, current - 1)) {
    }
}

bool EventsSuppressed() {
    return suppression.load() > 0;
}

}  // namespace velmora

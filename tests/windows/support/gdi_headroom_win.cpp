#include "support/gdi_headroom_win.h"

namespace velmora::test {

GdiHeadroom::GdiHeadroom(size_t room) {
    while (held_.size() < 200000) {
        HBRUSH b = CreateSolidBrush(0);
        if (!b)
            break;
        held_.push_back(b);
    }
    for (size_t i = 0; i < room && !held_.empty(); ++i) {
        DeleteObject(held_.back());
        held_.pop_back();
    }
}

GdiHeadroom::~GdiHeadroom() {
    for (HBRUSH b : held_)
        DeleteObject(b);
}

size_t GdiHeadroom::CountFree(size_t most) const {
    // The probe's list keeps its room between counts, so a count leaves the heap as
    // it found it (the soak counts heap blocks too).
    probe_.reserve(most);
    while (probe_.size() < most) {
        HBRUSH b = CreateSolidBrush(0);
        if (!b)
            break;
        probe_.push_back(b);
    }
    const size_t free = probe_.size();
    for (HBRUSH b : probe_)
        DeleteObject(b);
    probe_.clear();
    return free;
}

}  // namespace velmora::test

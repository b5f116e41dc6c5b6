// Covers: the Tab order search: forward and backward, wrapping round at both ends,
// from no focused entry, from an entry that is not eligible itself, a single
// eligible entry that comes back to itself, and none eligible.
#include <gtest/gtest.h>

#include "ui/controls/window/window_focus_order.h"

namespace velmora {
namespace {

TEST(WindowFocusOrder, WalksEligibleEntriesWithWrapRound) {
    struct Case {
        std::vector<bool> eligible;
        int current;
        bool forward;
        int next;
    };
    const std::vector<bool> mixed = {true, false, false, true, false, true};
    const Case cases[] = {
        {mixed, 0, true, 3},
        {mixed, 3, true, 5},
        {mixed, 5, true, 0},
        {mixed, 0, false, 5},
        {mixed, 5, false, 3},
        {mixed, 3, false, 0},
        {mixed, -1, true, 0},
        {mixed, -1, false, 5},
        {mixed, 1, true, 3},
        {mixed, 1, false, 0},
        {mixed, 4, true, 5},
        {mixed, 17, true, 0},
        {{false, true, false}, 1, true, 1},
        {{false, true, false}, 1, false, 1},
        {{false, true, false}, -1, false, 1},
        {{false, false}, 0, true, -1},
        {{false, false}, -1, false, -1},
        {{}, -1, true, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextFocusIndex(c.eligible, c.current, c.forward), c.next)
            << "from " << c.current << (c.forward ? " forward" : " backward");
    }
}

}  // namespace
}  // namespace velmora

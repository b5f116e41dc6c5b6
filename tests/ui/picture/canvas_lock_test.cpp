// Covers: the canvas lock of a playing picture. A paint that waits goes before
// the next round, also when the worker, running behind, comes back for the lock
// the moment it let it go; holds exclude each other.
#include "ui/picture/canvas_lock.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace velmora {
namespace {

TEST(CanvasLock, AWaitingPaintGoesBeforeTheNextRound) {
    CanvasLock lock;
    std::string order;  // written under the lock only
    for (int cycle = 0; cycle < 20; ++cycle) {
        lock.LockForRound();
        std::thread paint([&] {
            CanvasLock::ForPaint hold(lock);
            order += 'p';
        });
        while (lock.paintsWaiting() == 0)
            std::this_thread::yield();
        lock.Unlock();
        {
            CanvasLock::ForRound hold(lock);  // straight back, as a worker behind
            order += 'r';
        }
        paint.join();
    }
    std::string expected;
    for (int cycle = 0; cycle < 20; ++cycle)
        expected += "pr";
    EXPECT_EQ(order, expected);
    EXPECT_EQ(lock.paintsWaiting(), 0);
}

}  // namespace
}  // namespace velmora

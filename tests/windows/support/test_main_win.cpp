// The Windows test executable: GoogleTest, or one scenario when asked for it.
#include <gtest/gtest.h>

#include "support/scenario_win.h"
#include "ui/loader/window_loader_win.h"

int main(int argc, char** argv) {
    if (const char* scenario = velmora::test::ScenarioArgument(argc, argv)) {
        return velmora::test::RunNamedScenario(scenario);
    }
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Windows a test left open go now, with no handler running: the test's own
    // statics (its log) may already be gone when the loader's are destroyed.
    velmora::SuppressEvents();
    velmora::ReleaseDescriptions();
    return result;
}

// The Windows test executable: GoogleTest, or one scenario when asked for it.
#include <gtest/gtest.h>

#include "support/scenario.h"

int main(int argc, char** argv) {
    if (const char* scenario = velmora::test::ScenarioArgument(argc, argv)) {
        return velmora::test::RunNamedScenario(scenario);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

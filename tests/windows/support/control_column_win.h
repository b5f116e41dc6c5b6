#pragma once
// A window of the test window type holding controls of one real type, one under
// another, each made from its own property data: for tests of a control type.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/message_sequence_win.h"
#include "support/test_program_win.h"

namespace velmora::test {

// Starts the test runtime with window `windowId` (own unit `windowUnit`, 600 x 560
// at the screen's top left) holding one control per block of `ownData`: units
// firstUnit, firstUnit + 1, ... of `typeCode`, `width` x `height`, at left 10 and
// 10 pixels apart from top 10. Loads the window and lets it paint.
inline void StartControlColumn(uint32_t windowId, uint32_t windowUnit, uint32_t firstUnit,
                               uint32_t typeCode, const std::vector<std::string>& ownData,
                               int width, int height) {
    std::vector<UnitRecord> units{WindowUnit(windowUnit, 0, 0, 600, 560)};
    for (size_t i = 0; i < ownData.size(); ++i) {
        UnitRecord u = ChildUnit(firstUnit + uint32_t(i), typeCode, 10, 10 + int(i) * (height + 10),
                                 width, height);
        u.ownData = ownData[i];
        units.push_back(u);
    }
    DescriptionSet set;
    set.windows.push_back(Window(windowId, units));
    StartTestRuntime(set);
    ASSERT_TRUE(LoadWindow(windowId, 0, false));
    PumpMessages();
}

}  // namespace velmora::test

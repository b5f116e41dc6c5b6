#pragma once
// Descriptions with a real `window` as the window's own unit, for the window
// tests.

#include <windows.h>

#include "support/test_program_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/window/window_properties.h"

namespace velmora::test {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kOther = 0x52010021, kOtherUnit = 0x06010022;

// A plain window: stored position, fixed frame, titled.
inline WindowProperties PlainWindow() {
    WindowProperties p;
    p.startPosition = 0;
    p.title = "窗口";
    return p;
}

inline UnitRecord RealWindowUnit(uint32_t unitId, const WindowProperties& p,
                                 std::vector<EventBinding> bindings = {}, int left = 50,
                                 int top = 60, int width = 298, int height = 196) {
    UnitRecord u = WindowUnit(unitId, left, top, width, height);
    u.typeCode = kWindowTypeCode;
    u.ownData = kWindowLayout.Encode(p);
    u.bindings = std::move(bindings);
    return u;
}

// One window of the real type with these controls (in creation order).
inline DescriptionSet OneWindow(const WindowProperties& p, std::vector<EventBinding> bindings = {},
                                std::vector<UnitRecord> controls = {}) {
    std::vector<UnitRecord> units = {RealWindowUnit(kMainUnit, p, std::move(bindings))};
    units.insert(units.end(), controls.begin(), controls.end());
    DescriptionSet set;
    set.windows.push_back(Window(kMain, units));
    return set;
}

inline HWND MainHwnd() {
    return WindowHandle(kMain);
}

// Writes a property of a window's own unit.
inline void Write(int index, TypedValue value, uint32_t windowId = kMain) {
    WriteProperty(windowId, 0, index, kWholeProperty, value);
}

// Starts a runtime with one window of these properties and loads it.
inline HWND LoadMain(const WindowProperties& p) {
    StartTestRuntime(OneWindow(p));
    LoadStartupWindow(kMain);
    return MainHwnd();
}

}  // namespace velmora::test

#pragma once
// Helpers for writing a window's stored description as readable source: the
// window's own unit and its controls listed in the order in which they are added
// to the window; the stored record order is the reverse (latest first).

#include <cstdint>
#include <string>
#include <vector>

#include "ui/loader/description_set.h"

namespace velmora {

// Written in the window word of every description.
constexpr uint32_t kDescriptionWindowWord = 0x00EC9B20;

// The flags of a control that is shown and that Tab reaches.
constexpr uint32_t kVisibleTab = kUnitVisible | kUnitTabStop;

struct Geometry {
    int32_t left, top, width, height;
};

// A unit with the default mouse pointer, empty tag and comment, the window as
// its parent, and at most one binding (event 0 -> handler) unless more are added.
UnitRecord MakeUnit(uint32_t unitId, const char* name, uint32_t typeCode, Geometry g,
                    uint32_t flags, std::string ownData, std::vector<EventBinding> bindings = {});

// The own data of a push button and of a label showing `caption`.
std::string PushButton(const char* caption);
std::string Label(const char* caption);

// The description: record 0 the window's own unit, then the controls latest first.
WindowDescription MakeWindowDescription(uint32_t windowId, uint32_t reservedWord, uint32_t moduleId,
                                        UnitRecord ownUnit,
                                        const std::vector<UnitRecord>& controlsInCreationOrder);

}  // namespace velmora

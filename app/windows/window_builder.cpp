#include "app/windows/window_builder.h"

#include <utility>

#include "ui/controls/button_properties.h"
#include "ui/controls/label_properties.h"

namespace velmora {

UnitRecord MakeUnit(uint32_t unitId, const char* name, uint32_t typeCode, Geometry g,
                    uint32_t flags, std::string ownData, std::vector<EventBinding> bindings) {
    UnitRecord u;
    u.unitId = unitId;
    u.typeCode = typeCode;
    u.name = name;
    u.left = g.left;
    u.top = g.top;
    u.width = g.width;
    u.height = g.height;
    u.parent = 0;
    u.pointerData = std::string(4, '\0');  // pointer number 0: the default pointer
    u.flags = flags;
    u.bindings = std::move(bindings);
    u.ownData = std::move(ownData);
    return u;
}

std::string PushButton(const char* caption) {
    ButtonProperties p;
    p.caption = caption;
    return kButtonLayout.Encode(p, 1);
}

std::string Label(const char* caption) {
    LabelProperties p;
    p.caption = caption;
    return kLabelLayout.Encode(p, 2);
}

WindowDescription MakeWindowDescription(uint32_t windowId, uint32_t reservedWord, uint32_t moduleId,
                                        UnitRecord ownUnit,
                                        const std::vector<UnitRecord>& controlsInCreationOrder) {
    WindowDescription w;
    w.windowId = windowId;
    w.reservedWord = reservedWord;
    w.windowWord = kDescriptionWindowWord;
    w.moduleId = moduleId;
    w.units.push_back(std::move(ownUnit));
    w.units.insert(w.units.end(), controlsInCreationOrder.rbegin(), controlsInCreationOrder.rend());
    return w;
}

}  // namespace velmora

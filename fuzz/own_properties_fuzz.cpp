// Fuzzes the own property decoders of the eight control types. The first byte
// picks the type; the rest is the block. A block that decodes must encode to a
// block that decodes to the same values and encodes to the same bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/timer_properties.h"
#include "ui/controls/window/window_properties.h"

namespace {

using velmora::OwnDataError;

template <class P>
void Check(const uint8_t* data, size_t size, const velmora::OwnLayout<P>& layout) {
    P p;
    if (layout.Decode(data, size, p) != OwnDataError::kNone) {
        if (!(p == P{}))
            std::abort();  // a rejected block leaves the defaults
        return;
    }
    const std::string once = layout.Encode(p);
    P again;
    if (layout.Decode(reinterpret_cast<const uint8_t*>(once.data()), once.size(), again) !=
        OwnDataError::kNone)
        std::abort();
    if (!(again == p))
        std::abort();
    if (layout.Encode(again) != once)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    if (size < 1)
        return 0;
    const uint8_t which = data[0] % 8;
    ++data;
    --size;
    switch (which) {
        case 0:
            Check(data, size, kWindowLayout);
            break;
        case 1:
            Check(data, size, kEditBoxLayout);
            break;
        case 2:
            Check(data, size, kPicBoxLayout);
            break;
        case 3:
            Check(data, size, kLabelLayout);
            break;
        case 4:
            Check(data, size, kButtonLayout);
            break;
        case 5:
            Check(data, size, kTimerLayout);
            break;
        case 6:
            Check(data, size, kHyperLinkerLayout);
            break;
        default:
            Check(data, size, kQTipLayout);
            break;
    }
    // The generic listing walks the same tables.
    std::vector<OwnPropertyValue> values;
    ListOwnProperties(kControlTypes[which].typeCode, data, size, values);
    for (const OwnPropertyValue& v : values) {
        if (!v.info || !kControlTypes[which].ownProperties->Find(v.info->index))
            std::abort();
    }
    return 0;
}

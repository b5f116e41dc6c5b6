// Fuzzes the own property decoders of the eight control types. The first byte
// picks the type; the rest is the block. A block that decodes must encode to a
// block that decodes to the same values and encodes to the same bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/controls/button_properties.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/timer_properties.h"
#include "ui/controls/window/window_properties.h"

namespace {

using velmora::OwnDataError;

template <class P, class Decode, class Encode>
void Check(const uint8_t* data, size_t size, Decode decode, Encode encode) {
    P p;
    if (decode(data, size, p) != OwnDataError::kNone) {
        if (!(p == P{}))
            std::abort();  // a rejected block leaves the defaults
        return;
    }
    const std::string once = encode(p);
    P again;
    if (decode(reinterpret_cast<const uint8_t*>(once.data()), once.size(), again) !=
        OwnDataError::kNone)
        std::abort();
    if (!(again == p))
        std::abort();
    if (encode(again) != once)
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
            Check<WindowProperties>(
                data, size, DecodeWindowProperties,
                [](const WindowProperties& p) { return EncodeWindowProperties(p); });
            break;
        case 1:
            Check<EditBoxProperties>(
                data, size, DecodeEditBoxProperties,
                [](const EditBoxProperties& p) { return EncodeEditBoxProperties(p); });
            break;
        case 2:
            Check<PicBoxProperties>(
                data, size, DecodePicBoxProperties,
                [](const PicBoxProperties& p) { return EncodePicBoxProperties(p); });
            break;
        case 3:
            Check<LabelProperties>(data, size, DecodeLabelProperties, [](const LabelProperties& p) {
                return EncodeLabelProperties(p);
            });
            break;
        case 4:
            Check<ButtonProperties>(
                data, size, DecodeButtonProperties,
                [](const ButtonProperties& p) { return EncodeButtonProperties(p); });
            break;
        case 5:
            Check<TimerProperties>(data, size, DecodeTimerProperties, [](const TimerProperties& p) {
                return EncodeTimerProperties(p);
            });
            break;
        case 6:
            Check<HyperLinkerProperties>(
                data, size,
                [](const uint8_t* d, size_t n, HyperLinkerProperties& p) {
                    return DecodeHyperLinkerProperties(d, n, p);
                },
                [](const HyperLinkerProperties& p) { return EncodeHyperLinkerProperties(p); });
            break;
        default:
            Check<QTipProperties>(
                data, size,
                [](const uint8_t* d, size_t n, QTipProperties& p) {
                    return DecodeQTipProperties(d, n, p);
                },
                EncodeQTipProperties);
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

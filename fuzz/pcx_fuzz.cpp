// libFuzzer target: PCX decoding. A decoded picture must have exactly width x height
// RGB triples.
#include <cstddef>
#include <cstdint>

#include "ui/picture/pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velmora::RgbImage image;
    if (velmora::DecodePcx(data, size, image) == velmora::PcxResult::kOk) {
        if (image.rgb.size() != size_t(image.width) * image.height * 3)
            __builtin_trap();
    } else if (!image.rgb.empty()) {
        __builtin_trap();
    }
    return 0;
}

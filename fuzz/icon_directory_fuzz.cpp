// libFuzzer target: icon and cursor directories. The chosen image must lie within
// the input and after the directory.
#include <cstddef>
#include <cstdint>

#include "ui/picture/icon_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velmora::IconChoice c;
    if (velmora::ChooseIconImage(data, size, c) != velmora::IconResult::kOk)
        return 0;
    const uint16_t count = static_cast<uint16_t>(data[4] | (data[5] << 8));
    if (c.index >= count)
        __builtin_trap();
    if (c.offset < 6 + size_t{count} * 16 || c.size == 0 || c.offset + c.size > size) {
        __builtin_trap();
    }
    return 0;
}

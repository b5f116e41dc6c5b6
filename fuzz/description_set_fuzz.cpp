// Fuzzes ParseDescriptionSet: any bytes are either rejected or parsed; a parsed set
// written out parses again, and writing that gives the same bytes once more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/loader/description_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using velmora::DescriptionError;
    velmora::DescriptionSet set;
    if (velmora::ParseDescriptionSet(data, size, set) != DescriptionError::kNone)
        return 0;
    const std::string written = velmora::WriteDescriptionSet(set);
    velmora::DescriptionSet again;
    if (velmora::ParseDescriptionSet(reinterpret_cast<const uint8_t*>(written.data()),
                                     written.size(), again) != DescriptionError::kNone) {
        std::abort();  // what the writer produced, the parser must take
    }
    if (velmora::WriteDescriptionSet(again) != written)
        std::abort();
    return 0;
}

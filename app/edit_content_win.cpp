#include "app/edit_content_win.h"

#include "runtime/conversions.h"
#include "runtime/text_block.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

int32_t ReadContentAsInteger(uint32_t windowId, uint32_t unitId) {
    const TypedValue content = ReadProperty(windowId, unitId, kEditBoxContent, kWholeProperty);
    char* text = const_cast<char*>(TextOf(content));
    const double number = ToNumber(text);
    FreeBlock(text);
    return LowInteger(TruncateToInteger(number));
}

}  // namespace velmora

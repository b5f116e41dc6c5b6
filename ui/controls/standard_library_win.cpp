// Library 1: the standard controls, the edit box, the hyperlink box and the
// conversions.
#include "runtime/conversions.h"
#include "ui/controls/standard_types_win.h"
#include "ui/loader/control_library_win.h"

namespace velmora {

namespace {
int NotifyStandard(int code, RuntimeNotifyEntry) {
    return code == kLibraryInitialise || code == kLibraryProgramEnding ? 0 : -1;
}
}  // namespace

const ControlLibrary& StandardLibrary() {
    // Type numbers: the low half of each type code.
    static const ControlLibrary library{
        "standard controls",
        {
            {0x0001, &kWindowControlType},
            {0x0005, &kEditBoxControlType},
            {0x0006, &kPicBoxControlType},
            {0x000A, &kLabelControlType},
            {0x000B, &kButtonControlType},
            {0x001D, &kHyperLinkerControlType},
            {0x0020, &kTimerControlType},
        },
        {static_cast<ServiceCommand>(ToNumber), static_cast<ServiceCommand>(ToText)},
        NotifyStandard};
    return library;
}

}  // namespace velmora

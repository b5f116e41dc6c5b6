// Library 2: the balloon tip box and its command AddTip.
#include "ui/controls/extended_types_win.h"
#include "ui/controls/balloon_tip/q_tip_commands.h"
#include "ui/loader/control_library_win.h"

namespace velmora {

namespace {
int NotifyExtended(int code, RuntimeNotifyEntry) {
    return code == kLibraryInitialise || code == kLibraryProgramEnding ? 0 : -1;
}
}  // namespace

const ControlLibrary& ExtendedLibrary() {
    // Type 1 is the balloon tip box (type code 0x00020001); command 0 is AddTip.
    static const ControlLibrary library{
        "balloon tips", {{0x0001, &kQTipControlType}}, {AddTip}, NotifyExtended};
    return library;
}

}  // namespace velmora

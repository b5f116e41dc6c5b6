// Library 2: the balloon tip box and its command AddTip.
#include "ui/controls/balloon_tip/q_tip_commands.h"
#include "ui/controls/control_types.h"
#include "ui/controls/extended_types_win.h"
#include "ui/loader/control_library_win.h"

namespace velmora {

const ControlLibrary& ExtendedLibrary() {
    // Command 0 is AddTip.
    static const ControlLibrary library{"balloon tips",
                                        {{TypeNumberOf(kQTipTypeCode), &kQTipControlType}},
                                        {AddTip},
                                        NotifyStartAndEnd};
    return library;
}

}  // namespace velmora

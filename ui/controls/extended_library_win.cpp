// Library 2: the balloon tip box.
#include "ui/loader/control_library.h"

namespace velmora {

namespace {
int NotifyExtended(int code, RuntimeNotifyEntry) {
    return code == kLibraryInitialise || code == kLibraryProgramEnding ? 0 : -1;
}
}  // namespace

const ControlLibrary& ExtendedLibrary() {
    static const ControlLibrary library{"balloon tips", {}, {}, NotifyExtended};
    return library;
}

}  // namespace velmora

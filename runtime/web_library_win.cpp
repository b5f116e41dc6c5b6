// Library 3: opening web addresses.
#include "runtime/library.h"
#include "runtime/web_address_win.h"

namespace velmora {

namespace {
// The runtime's entry, handed over at initialisation; the library keeps it for the
// whole run.
RuntimeNotifyEntry runtimeEntry = nullptr;

int NotifyWeb(int code, RuntimeNotifyEntry entry) {
    if (code != kLibraryInitialise)
        return -1;
    runtimeEntry = entry;
    return 0;
}
}  // namespace

const ControlLibrary& WebLibrary() {
    static const ControlLibrary library{"web", {}, {OpenWebAddress}, NotifyWeb};
    return library;
}

}  // namespace velmora

#include "runtime/runtime_state_win.h"

namespace velmora {

RuntimeState& Runtime() {
    static RuntimeState state;
    return state;
}

void RegisterExitRoutine(void (*routine)()) {
    Runtime().exitRoutine = routine;
}

}  // namespace velmora

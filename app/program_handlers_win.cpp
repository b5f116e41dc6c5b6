#include "app/program_handlers.h"

namespace velmora {

std::vector<HandlerEntry> ProgramHandlers() {
    return {};
}

}  // namespace velmora

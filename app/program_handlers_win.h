#pragma once
// The program's handlers, by the references stored in its window descriptions.

#include <vector>

#include "ui/loader/window_loader_win.h"

namespace velmora {

std::vector<HandlerEntry> ProgramHandlers();

}  // namespace velmora

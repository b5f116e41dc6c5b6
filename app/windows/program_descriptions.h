#pragma once
// The program's description set: the main window, then the frequency test window.

#include <string>

#include "ui/loader/description_set.h"

namespace velmora {

// `pictureGif` is the main window's animated picture (see app/art).
DescriptionSet ProgramDescriptions(const std::string& pictureGif);

}  // namespace velmora

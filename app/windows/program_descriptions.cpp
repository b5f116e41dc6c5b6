#include "app/windows/program_descriptions.h"

#include "app/windows/main_window.h"
#include "app/windows/test_window.h"

namespace velmora {

DescriptionSet ProgramDescriptions(const std::string& pictureGif) {
    DescriptionSet set;
    set.windows.push_back(main_window::Description(pictureGif));
    set.windows.push_back(test_window::Description());
    return set;
}

}  // namespace velmora

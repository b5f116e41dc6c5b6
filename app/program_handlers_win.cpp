#include "app/program_handlers.h"

#include "app/handler_references.h"
#include "app/main_window_handlers.h"

namespace velmora {

std::vector<HandlerEntry> ProgramHandlers() {
    return {
        {kMainWindowCreatedRef, AsHandler<MainWindowCreated>},
        {kPlayButtonClickedRef, AsHandler<PlayButtonClicked>},
        {kToneTimerTickRef, AsHandler<ToneTimerTick>},
        {kSettingsButtonClickedRef, AsHandler<SettingsButtonClicked>},
    };
}

}  // namespace velmora

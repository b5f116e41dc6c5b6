#include "app/program_handlers_win.h"

#include "app/handler_references.h"
#include "app/main_window_handlers.h"
#include "app/test_window_handlers_win.h"

namespace velmora {

std::vector<HandlerEntry> ProgramHandlers() {
    return {
        {kMainWindowCreatedRef, AsHandler<MainWindowCreated>},
        {kPlayButtonClickedRef, AsHandler<PlayButtonClicked>},
        {kToneTimerTickRef, AsHandler<ToneTimerTick>},
        {kSettingsButtonClickedRef, AsHandler<SettingsButtonClicked>},
        {kTestWindowCreatedRef, AsHandler<TestWindowCreated>},
        {kSweepButtonClickedRef, AsHandler<SweepButtonClicked>},
        {kStopSweepButtonClickedRef, AsHandler<StopSweepButtonClicked>},
        {kSweepTimerTickRef, AsHandler<SweepTimerTick>},
        {kTestPlayButtonClickedRef, AsHandler<TestPlayButtonClicked>},
    };
}

}  // namespace velmora

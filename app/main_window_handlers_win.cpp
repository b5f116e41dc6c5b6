// The main window's four handlers. All their state lives in the controls: whether
// the tone runs is read back from the play button's caption.
#include "app/main_window_handlers.h"

#include "app/edit_content_win.h"
#include "app/forum_address.h"
#include "app/windows/main_window.h"
#include "app/windows/test_window.h"
#include "runtime/conversions.h"
#include "runtime/external_call_win.h"
#include "runtime/external_table_win.h"
#include "runtime/text_block.h"
#include "runtime/web_address_win.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/timer_properties.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

namespace {

using namespace main_window;

void Write(uint32_t unitId, int index, TypedValue value) {
    WriteProperty(kWindowId, unitId, index, kWholeProperty, value);
}

}  // namespace

void MainWindowCreated() {
    const TypedValue address = MakeText(kForumAddress);
    TypedValue result;
    OpenWebAddress(&result, 1, &address);
}

void PlayButtonClicked() {
    const TypedValue caption = ReadProperty(kWindowId, kPlayButton, kButtonCaption, kWholeProperty);
    char* text = const_cast<char*>(TextOf(caption));
    const bool running = CompareText(text, "停止") == 0;
    FreeBlock(text);
    if (running) {
        Write(kPlayButton, kButtonCaption, MakeText("播放"));
        Write(kToneTimer, kTimerInterval, MakeInteger(0));
        Write(kPicture, kPicBoxAnimate, MakeLogical(false));
        return;
    }
    Write(kPlayButton, kButtonCaption, MakeText("停止"));
    Write(kPicture, kPicBoxAnimate, MakeLogical(true));
    Write(kToneTimer, kTimerInterval, MakeInteger(ReadContentAsInteger(kWindowId, kIntervalBox)));
}

void ToneTimerTick() {
    ProcessPendingEvents();
    // A close that was waiting in the queue has just ended the window: nothing is
    // left to read the frequency from, and the program is ending normally.
    if (!IsWindowLoaded(kWindowId))
        return;
    const int32_t frequency = ReadContentAsInteger(kWindowId, kFrequencyBox);
    // The stack is checked after the call: a mismatch is runtime error 6.
    CallExternal(kBeepDeclaration, frequency, 1);
}

void SettingsButtonClicked() {
    LoadWindow(test_window::kWindowId, 0, true);
}

}  // namespace velmora

#pragma once
// The main window's handlers (Windows only): bound to its created event, the play
// button, the tone timer and the settings button.

namespace velmora {

void MainWindowCreated();
void PlayButtonClicked();
void ToneTimerTick();
void SettingsButtonClicked();

}  // namespace velmora

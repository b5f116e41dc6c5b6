#pragma once
// Every private window message of the runtime, in one place. They live in the
// WM_APP range (0x8000 and up) so that no system control interprets them, except
// 0x036A, which sits below WM_USER because the loop only ever sees it posted to the
// thread and drops it.

namespace velmora {

// Posted only to wake the message loop for idle work; dropped without dispatch.
constexpr unsigned kMsgWakeForIdle = 0x036A;
// Asks a window for the control it belongs to (wParam 0, lParam 0; a control's own
// window answers its Control*, any other window 0). Sent by Control::FromWindow,
// which the pre-translation walk, the keyboard handling, the notifications a parent
// passes on and the window list all go through.
constexpr unsigned kMsgQueryControl = 0x8002;
// Sent to the window when all its controls exist (load step 8).
constexpr unsigned kMsgAllControlsPresent = 0x8004;
// Sent to every unit when its description has been applied (load step 8, re-creation).
constexpr unsigned kMsgDescriptionApplied = 0x806F;
// Sent to every unit when its window has been shown (load step 13, re-creation).
constexpr unsigned kMsgWindowShown = 0x8076;

}  // namespace velmora

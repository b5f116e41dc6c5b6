#pragma once
// Event indices. 0 and up number a type's own events in the order of its event
// list; negative numbers are the events common to all controls.

namespace velmora {

// Common to every control.
constexpr int kEventFocusReceived = -7;
constexpr int kEventFocusLost = -8;

// `window`.
constexpr int kEventCreated = 0;
constexpr int kEventMayClose = 1;
constexpr int kEventBeingDestroyed = 2;
constexpr int kEventMoved = 3;
constexpr int kEventResized = 4;
constexpr int kEventActivated = 5;
constexpr int kEventDeactivated = 6;
constexpr int kEventIdle = 7;  // one integer argument: ms since the idle period began
constexpr int kEventFirstActivated = 8;
constexpr int kEventTrayNotification = 9;  // one integer argument
constexpr int kEventShown = 10;
constexpr int kEventHidden = 11;

// `EditBox`.
constexpr int kEventContentChanged = 0;
constexpr int kEventSpinPressed = 1;  // one integer argument: 1 up, -1 down

// `Button`.
constexpr int kEventClicked = 0;

// `Timer`.
constexpr int kEventTick = 0;

}  // namespace velmora

#pragma once
// A small test program for the loader: control types registered by the tests (a
// top-level window, a plain child, a never-shown child, a unit that is not a
// windowed unit, a type whose Create fails), logging handlers, and a log of what
// reached the controls and the handlers, compared against expected sequences.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/loader/description_set.h"
#include "ui/loader/window_loader_win.h"

namespace velmora::test {

enum : uint32_t {
    kTestWindowType = 0x00FF0001,
    kTestChildType = 0x00FF0002,
    kTestHiddenType = 0x00FF0003,        // never shown
    kTestNotWindowedType = 0x00FF0004,   // not a windowed unit
    kTestFailingType = 0x00FF0005,       // Create fails
    kTestConsumerType = 0x00FF0006,      // a child that consumes kMsgConsumedByChild
    kTestHolderType = 0x00FF0007,        // a child that may hold child windows
    kTestFocusGrabberType = 0x00FF0008,  // takes the focus when its window is shown
                                         // (logged "focus taken UNIT")
    kTestWriteRaisesType = 0x00FF0009,   // an own property write raises kWriteEvent
    kTestRecreateFailsType = 0x00FF000A, // Create fails on re-creation
};

// Test messages in the pre-translation walk: every control logs "pre UNIT MSG" when
// offered one and "got UNIT MSG" when it is dispatched to it. The consumer child
// consumes the first, every test window the second.
enum : UINT {
    kMsgTestPlain = WM_APP + 0x100,
    kMsgConsumedByChild = WM_APP + 0x101,
    kMsgConsumedByWindow = WM_APP + 0x102,
};

// Every test control raises its event 9 when its description has been applied, so
// tests can see whether handlers run at that moment. The test window raises event
// 2 (being destroyed) on WM_DESTROY, as the window type does.
constexpr int kAppliedEvent = 9;
// Raised by a write-raising control in the middle of an own property write: the
// new value is stored after the event.
constexpr int kWriteEvent = 10;

// Handler references 1..8 log "handler N" with the event source and record, in the
// message sequence, the event the source's description binds them to; the result a
// handler returns can be set (a logical) with SetHandlerResult.
constexpr uint32_t kHandler1 = 1;
void SetHandlerResult(uint32_t handlerRef, bool value);
void ClearHandlerResults();
// Runs `action` inside handler N (after logging), e.g. to load another window.
void SetHandlerAction(uint32_t handlerRef, void (*action)());

// The arguments the last handler was called with.
std::vector<TypedValue>& LastHandlerArgs();

// The log of events and notifications, in order.
std::vector<std::string>& Log();
void Record(const std::string& line);
std::string Hex(uint32_t v);

// Compares the log with the expected lines and prints both side by side on a
// mismatch.
::testing::AssertionResult LogEquals(const std::vector<std::string>& expected);

// Builders for descriptions.
UnitRecord WindowUnit(uint32_t unitId, int left, int top, int width, int height,
                      bool visible = true);
UnitRecord ChildUnit(uint32_t unitId, uint32_t typeCode, int left, int top, int width, int height,
                     bool visible = true);
WindowDescription Window(uint32_t windowId, std::vector<UnitRecord> unitsInCreationOrder);

// Initialises the runtime with these descriptions (as stored bytes), the logging
// handlers and the test control types.
void StartTestRuntime(const DescriptionSet& set);

// The live child window of a unit, or null.
HWND UnitHwnd(uint32_t windowId, uint32_t unitId);

}  // namespace velmora::test

#pragma once
// The program-wide list of balloon tip boxes and the thread's message hook that
// lets each of them see the messages the thread takes from its queue.

#include <windows.h>

namespace velmora {

class MessageWatcher {
  public:
    virtual ~MessageWatcher() = default;
    // A message just taken from the queue (PeekMessage with PM_REMOVE or
    // GetMessage), before it is dispatched.
    virtual void Examine(const MSG& msg) = 0;
};

// Enters a watcher in the list; the first one installs the WH_GETMESSAGE hook of
// the current thread. False (and not entered) when the hook cannot be installed.
bool AttachWatcher(MessageWatcher* watcher);
// Takes a watcher out; the last one removes the hook.
void DetachWatcher(MessageWatcher* watcher);

// Whether the hook is installed (for tests).
bool WatcherHookInstalled();

}  // namespace velmora

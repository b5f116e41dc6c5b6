#include "ui/controls/balloon_tip/balloon_hook_win.h"

#include <algorithm>
#include <vector>

#include "runtime/error_service.h"
#include "runtime/never_destroyed.h"
#include "runtime/out_of_memory.h"

namespace velmora {

namespace {

// The boxes, in the order they attached, and the hook while there is one. Used only
// from the user-interface thread. Never destroyed: boxes held by other statics may
// detach after them at exit; a box's destructor may be the first to ask.
struct Watchers {
    std::vector<MessageWatcher*> list;
    HHOOK hook = nullptr;
};
Watchers& State() {
    static NeverDestroyed<Watchers> state;
    return state.get();
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM lParam) {
    // The message loop looks at the queue with PM_NOREMOVE before it takes a
    // message; only the taking counts, or every message would be seen twice.
    // Once the error box is up the tips watch nothing: a watcher that could not get
    // memory would raise the error again from inside the box's own GetMessage, and
    // again from the GetMessage of the loop that waits for the box, before any
    // message was dispatched, the box's OK included.
    if (code == HC_ACTION && removal == PM_REMOVE && !RuntimeErrorReported()) {
        const MSG msg = *reinterpret_cast<const MSG*>(lParam);
        WithOutOfMemoryError([&] {
            // A watcher may detach (its window closed by a handler) while others look.
            const std::vector<MessageWatcher*> now = State().list;
            for (MessageWatcher* w : now) {
                const auto& list = State().list;
                if (std::find(list.begin(), list.end(), w) != list.end())
                    w->Examine(msg);
            }
        });
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

bool AttachWatcher(MessageWatcher* watcher) {
    Watchers& s = State();
    if (std::find(s.list.begin(), s.list.end(), watcher) != s.list.end())
        return true;
    if (!s.hook) {
        s.hook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
        if (!s.hook)
            return false;
    }
    s.list.push_back(watcher);
    return true;
}

void DetachWatcher(MessageWatcher* watcher) {
    Watchers& s = State();
    s.list.erase(std::remove(s.list.begin(), s.list.end(), watcher), s.list.end());
    if (s.list.empty() && s.hook) {
        UnhookWindowsHookEx(s.hook);
        s.hook = nullptr;
    }
}

bool WatcherHookInstalled() {
    return State().hook != nullptr;
}

}  // namespace velmora

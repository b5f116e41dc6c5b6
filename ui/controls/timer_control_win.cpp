// The `Timer`: a hidden child window that only receives its timer messages.
#include <windows.h>

#include "ui/controls/control_types.h"
#include "ui/controls/own_access.h"
#include "ui/controls/standard_types_win.h"
#include "ui/controls/table_control_win.h"
#include "ui/controls/timer_properties.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

namespace {

constexpr UINT_PTR kTimerId = 1000;
constexpr wchar_t kTimerClass[] = L"VelmoraTimer";

class TimerControl : public TableControl<TimerProperties> {
  public:
    TimerControl(const CreateParams& p, TimerProperties props)
        : TableControl(p, kTimerLayout, props) {}

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        auto timer = Decoded<TimerControl>(p, kTimerLayout);
        if (!timer || !timer->CreateChildWindow(p, {kTimerClass, CS_DBLCLKS, HollowBrush()}, L"",
                                                p.extraStyles & ~WS_VISIBLE))
            return nullptr;
        timer->Restart();
        return timer;
    }

  protected:
    // The same value does nothing at all (a running timer keeps its phase); any
    // other stops the timer and starts it anew, a full interval from now.
    WriteOutcome AfterWrite(uint8_t) override {
        if (props_.interval != started_)
            Restart();
        return WriteOutcome::kStored;
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_TIMER:
                // Every timer message ticks, whatever its identifier.
                RaiseEvent(windowId(), unitId(), kEventTick);
                return 0;
            case WM_DESTROY:
                KillTimer(hwnd(), kTimerId);
                break;
            default:
                break;
        }
        return DefaultProcessing(msg, wParam, lParam);
    }

  private:
    void Restart() {
        KillTimer(hwnd(), kTimerId);
        started_ = props_.interval;
        if (started_ > 0)
            SetTimer(hwnd(), kTimerId, static_cast<UINT>(started_), nullptr);
    }

    int32_t started_ = 0;  // the interval the timer was last started with
};

}  // namespace

const ControlType kTimerControlType{"Timer", kTypeWindowedUnit | kTypeNeverShown,
                                    OwnKindsByNumber(kTimerPropertyTable), TimerControl::Create};

}  // namespace velmora

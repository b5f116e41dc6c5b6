// The `Timer`: a hidden child window that only receives its timer messages.
#include <windows.h>

#include "ui/controls/control_types.h"
#include "ui/controls/own_access.h"
#include "ui/controls/standard_types_win.h"
#include "ui/controls/timer_properties.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

namespace {

constexpr UINT_PTR kTimerId = 1000;
constexpr wchar_t kTimerClass[] = L"VelmoraTimer";

class TimerControl : public Control {
  public:
    TimerControl(const CreateParams& p, const TimerProperties& props)
        : Control(p.windowId, p.unitId), props_(props) {}

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        TimerProperties props;
        if (DecodeTimerProperties(p.ownData, p.ownSize, props) != OwnDataError::kNone)
            return nullptr;
        if (!RegisterControlClass(kTimerClass, CS_DBLCLKS,
                                  static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))))
            return nullptr;
        auto timer = std::make_unique<TimerControl>(p, props);
        if (!timer->CreateOwnWindow(
                0, kTimerClass, L"", WS_CHILD | WS_CLIPSIBLINGS | (p.extraStyles & ~WS_VISIBLE),
                p.left, p.top, p.width, p.height, p.parent, ControlIdMenu(p.controlId)))
            return nullptr;
        timer->Restart();
        return timer;
    }

    bool ReadOwnProperty(int number, RawValue& out) override {
        return ReadOwnField(kTimerLayout, props_, number, out);
    }

    // The same value does nothing at all (a running timer keeps its phase); any
    // other stops the timer and starts it anew, a full interval from now.
    WriteOutcome WriteOwnProperty(int number, const RawValue& value) override {
        const int32_t before = props_.interval;
        if (StoreOwnField(kTimerLayout, props_, number, value) && props_.interval != before)
            Restart();
        return WriteOutcome::kStored;
    }

    std::string SaveOwnProperties() const override { return EncodeTimerProperties(props_); }

  protected:
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
        if (props_.interval > 0)
            SetTimer(hwnd(), kTimerId, static_cast<UINT>(props_.interval), nullptr);
    }

    TimerProperties props_;
};

}  // namespace

const ControlType kTimerControlType{"Timer", kTypeWindowedUnit | kTypeNeverShown,
                                    OwnKindsByNumber(kTimerPropertyTable), TimerControl::Create};

}  // namespace velmora

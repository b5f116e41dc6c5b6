#pragma once
// The `window` (type code 0x00010001): the top-level window of a loaded window.
// Its creation and appearance (window_appearance_win.cpp), its messages and events
// (window_control_win.cpp), its keyboard handling before dispatch
// (window_keyboard_win.cpp) and its own properties (window_own_properties_win.cpp).

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/win_handles_win.h"
#include "ui/controls/table_control_win.h"
#include "ui/controls/window/window_properties.h"
#include "ui/controls/window/window_styles.h"
#include "ui/loader/control_win.h"
#include "ui/picture/still_picture_win.h"

namespace velmora {

// Sent when the window has gone to a screen of another scale (not in older headers).
constexpr UINT kWmDpiChanged = 0x02E0;

class WindowControl : public TableControl<WindowProperties> {
  public:
    WindowControl(const CreateParams& p, WindowProperties props);
    ~WindowControl() override;

    static std::unique_ptr<Control> Create(const CreateParams& p);

    // A window that has gone stores nothing; it is never re-created.
    WriteOutcome WriteOwnProperty(int number, const RawValue& value) override {
        return hwnd() ? TableControl::WriteOwnProperty(number, value) : WriteOutcome::kStored;
    }
    int InitialShowCommand() const override;
    bool PreTranslate(MSG& msg) override;

    bool alwaysOnTop() const { return props_.alwaysOnTop == 1; }

  protected:
    WriteOutcome AfterWrite(uint8_t step) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

  private:
    // Creation and appearance.
    bool CreateTopLevel(const CreateParams& p);
    WindowLook Look() const;
    void ApplyCaptionStyles();
    void ApplyFrameStyles();
    void ApplyIcons();
    void ApplyShape();
    void ApplyTopmost();
    void ApplySystemMenu();
    void ApplyStartPosition();
    void LoadBackPicture();
    void Paint();

    // Messages.
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnClose();
    bool MayClose();  // raises may close; false when the handler refused
    void OnDestroy();
    void OnScaleChanged(const RECT& suggested);
    void Raise(int eventIndex);

    // Keyboard and mouse before dispatch.
    bool HandleKey(const MSG& msg);
    bool MoveFocus(bool forward);
    bool PressEnter(Control* focused);
    bool OpenHelp();
    bool PressMnemonic(char key);
    bool StartFreeMove(const MSG& msg);
    Control* FocusedControl() const;
    std::vector<Control*> ControlsInStoredOrder() const;

    StillPicture backPicture_;
    UniqueIcon bigIcon_;  // made from Icon; null while the default icons are used
    UniqueIcon smallIcon_;
    std::vector<std::wstring> openedHelp_;  // help files F1 opened, closed on destroy
    int initialShow_ = SW_SHOW;
    int regionWidth_ = 0;  // the window size the region was made for
    int regionHeight_ = 0;
    HFONT font_ = nullptr;      // set by WM_SETFONT: DEFAULT_GUI_FONT from creation on
    HWND lastFocus_ = nullptr;  // the focus when the window was last deactivated
    bool ready_ = false;        // creation is over: messages raise events from now on
    bool shown_ = false;
    bool activatedBefore_ = false;
};

}  // namespace velmora

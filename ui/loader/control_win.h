#pragma once
// The model that control types plug into: a registered ControlType creates live
// Control objects; the loader drives them through the operations below.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/loader/control_value.h"
#include "ui/loader/display_scale_win.h"
#include "ui/loader/property_kind.h"

namespace velmora {

// Type flags.
enum : uint32_t {
    kTypeNeverShown = 1u << 0,         // stays hidden whatever its visible flag says
    kTypeWindowedUnit = 1u << 1,       // owns a window; only such units raise events
    kTypeContainer = 1u << 2,          // has child units
    kTypeNeverRecreated = 1u << 3,     // the loader never re-creates it (the window itself)
    kTypeHoldsChildWindows = 1u << 4,  // may hold child windows (window, PicBox): a
                                       // re-created control takes them over
    kTypeTakesFocus = 1u << 5,         // Tab and Shift+Tab may move the focus to it
    kTypeHasCaption = 1u << 6,         // its window text is a caption (Alt mnemonics)
};

struct ControlType;

// What a control type's Create receives from the loader.
// One of the program's window classes, registered on first use: with the arrow
// unless `cursor` is given, and Control::WindowProc unless `procedure` is.
struct ControlClass {
    const wchar_t* name;
    UINT style = 0;
    HBRUSH background = nullptr;
    HCURSOR cursor = nullptr;
    WNDPROC procedure = nullptr;
};

// The class style of controls that repaint whole when resized and take double clicks.
constexpr UINT kRepaintedClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;

// The background brush of classes whose windows paint all of themselves.
inline HBRUSH HollowBrush() {
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

struct CreateParams {
    HWND parent = nullptr;  // none for a window
    HWND owner = nullptr;   // a window loaded with an owner
    const uint8_t* ownData = nullptr;
    size_t ownSize = 0;
    DWORD extraStyles = 0;  // WS_DISABLED, WS_TABSTOP from the unit's flags
    int controlId = 0;
    int left = 0, top = 0, width = 0, height = 0;  // device pixels
    uint32_t windowId = 0;
    uint32_t unitId = 0;
    bool modal = false;                 // the window is being loaded as a modal dialog
    uint32_t typeCode = 0;              // the unit's type code
    const ControlType* type = nullptr;  // the type registered under it
};

// A live control: one Windows window and the type's state.
class Control {
  public:
    Control(uint32_t windowId, uint32_t unitId);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The scale of the screen the control's window is on.
    DisplayScale scale() const { return ScaleOfWindow(hwnd_); }
    uint32_t windowId() const { return windowId_; }
    uint32_t unitId() const { return unitId_; }

    // The type this control was created as (set by the loader right after Create).
    uint32_t typeCode() const { return typeCode_; }
    const ControlType* type() const { return type_; }
    bool HasTypeFlag(uint32_t flag) const;
    void SetIdentity(uint32_t typeCode, const ControlType* type) {
        typeCode_ = typeCode;
        type_ = type;
    }

    // Own property `number` (global index - 8); false when the type has no such
    // property.
    virtual bool ReadOwnProperty(int number, RawValue& out);
    // Answers kRecreate when the change takes effect only by re-creating the control.
    virtual WriteOutcome WriteOwnProperty(int number, const RawValue& value);
    // The current own property data in the stored format, for re-creation.
    virtual std::string SaveOwnProperties() const;

    // Keyboard queries of the window's key handling.
    virtual bool WantsKey(int keyCode) const;
    virtual bool IsDefaultButton() const;
    // The show command for the window's first showing (SW_SHOW unless the type
    // created it minimised or maximised).
    virtual int InitialShowCommand() const { return SW_SHOW; }

    // Offered a message before it is dispatched; true consumes it.
    virtual bool PreTranslate(MSG& msg);
    // Offers a message to the control's PreTranslate. The object stays valid until
    // that returns, also when a handler it raised closed the window.
    static bool OfferPreTranslate(Control* control, MSG& msg);

    // A notification that Windows sent to this control's parent (WM_COMMAND,
    // WM_NOTIFY, WM_CTLCOLOR*, scroll messages), handed back to the control that
    // caused it. True when handled, with the answer in `result`.
    virtual bool HandleNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The Control object of a window: the control that registered it as a secondary
    // window, or the answer of the window to kMsgQueryControl when that names a live
    // control whose own window it is. Null for anything else (a window of another
    // library answering the same message number is never taken for ours).
    static Control* FromWindow(HWND hwnd);
    // Whether the object is a live control (created and not yet deleted or retired).
    static bool IsLive(const Control* control);

    // Gives up a control. Its window, if it still has one, is destroyed at once; the
    // object itself is deleted at once when none of its code is running, else as soon
    // as the outermost of its running message handlers returns.
    static void Retire(std::unique_ptr<Control> control);

  protected:
    // Creates the control's window of a class registered with Control::WindowProc
    // as its procedure; binds this object to it on WM_NCCREATE.
    HWND CreateOwnWindow(DWORD exStyle, const wchar_t* className, const std::wstring& text,
                         DWORD style, int x, int y, int w, int h, HWND parent, HMENU menuOrId);
    // Registers the class on first use and creates the control's child window at the
    // unit's stored place and with its id: WS_CHILD | WS_CLIPSIBLINGS | `styles`.
    HWND CreateChildWindow(const CreateParams& p, const ControlClass& cls, const std::wstring& text,
                           DWORD styles);
    // Takes over a window of a system class ("BUTTON", "EDIT") by subclassing it.
    void Subclass(HWND hwnd);

    // Windows that belong to this control without being its own (the edit box's
    // up-down arrows, the balloon's pop-up): notifications they send their parent,
    // and FromWindow, reach this control. Registrations end with the window or with
    // the control, whichever goes first.
    void AttachSecondaryWindow(HWND hwnd);
    void DetachSecondaryWindow(HWND hwnd);

    // The control's message handler; the default passes everything on.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The processing the message would have had without this object.
    LRESULT DefaultProcessing(UINT msg, WPARAM wParam, LPARAM lParam);

    // Called when the window has gone (WM_NCDESTROY), after hwnd() became null.
    virtual void OnWindowGone() {}

  public:
    // The window went to a screen of another scale and has been placed anew: the
    // control remakes what it made at the old scale (fonts, sizes).
    virtual void ScaleChanged() {}

    // The window procedure of classes whose windows are Control objects.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Registers a class once (idempotent); answers whether the class exists.
    static bool RegisterControlClass(const ControlClass& cls);

  private:
    friend class BusyScope;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void ReleaseWindow();

    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    uint32_t windowId_;
    uint32_t unitId_;
    uint32_t typeCode_ = 0;
    const ControlType* type_ = nullptr;
    int busy_ = 0;          // message handlers of this object on the stack
    bool retired_ = false;  // delete when busy_ returns to 0
};

// Keeps a control's object alive while code of it runs (a message handler, a
// property read, write or save): a control retired meanwhile, because a handler
// closed its window, is deleted when the outermost such scope ends.
class BusyScope {
  public:
    explicit BusyScope(Control* control) : control_(control) { ++control_->busy_; }
    ~BusyScope() {
        if (--control_->busy_ == 0 && control_->retired_)
            delete control_;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    Control* control_;
};

// A child window's control identifier in the HMENU argument of CreateWindowEx.
inline HMENU ControlIdMenu(int controlId) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId));
}

struct ControlType {
    const char* name;  // the stored English name: "window", "Button", ...
    uint32_t flags;
    std::vector<PropertyKind> ownKinds;  // kind of own property 0, 1, ...
    std::unique_ptr<Control> (*create)(const CreateParams& params);
};

}  // namespace velmora

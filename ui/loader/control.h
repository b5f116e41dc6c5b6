#pragma once
// The model that control types plug into: a registered ControlType creates live
// Control objects; the loader drives them through the operations below.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/loader/control_value.h"
#include "ui/loader/property_kind.h"

namespace velmora {

// Type flags.
enum : uint32_t {
    kTypeNeverShown = 1u << 0,      // stays hidden whatever its visible flag says
    kTypeWindowedUnit = 1u << 1,    // owns a window; only such units raise events
    kTypeContainer = 1u << 2,       // has child units
    kTypeNeverRecreated = 1u << 3,  // the loader never re-creates it (the window itself)
};

// What a control type's Create receives from the loader.
struct CreateParams {
    HWND parent = nullptr;  // none for a window
    HWND owner = nullptr;   // a window loaded with an owner
    const uint8_t* ownData = nullptr;
    size_t ownSize = 0;
    DWORD extraStyles = 0;  // WS_DISABLED, WS_TABSTOP from the unit's flags
    int controlId = 0;
    int left = 0, top = 0, width = 0, height = 0;
    uint32_t windowId = 0;
    uint32_t unitId = 0;
    bool modal = false;  // the window is being loaded as a modal dialog
};

// A live control: one Windows window and the type's state.
class Control {
  public:
    Control(uint32_t windowId, uint32_t unitId) : windowId_(windowId), unitId_(unitId) {}
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hwnd() const { return hwnd_; }
    uint32_t windowId() const { return windowId_; }
    uint32_t unitId() const { return unitId_; }

    // Own property `number` (global index - 8); false when the type has no such
    // property.
    virtual bool ReadOwnProperty(int number, RawValue& out);
    // Answers 1 when the change takes effect only by re-creating the control.
    virtual int WriteOwnProperty(int number, const RawValue& value);
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

    // A notification that Windows sent to this control's parent (WM_COMMAND,
    // WM_NOTIFY, WM_CTLCOLOR*, scroll messages), handed back to the control that
    // caused it. True when handled, with the answer in `result`.
    virtual bool HandleNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The Control object of a window, found by asking it (kMsgQueryControl).
    static Control* FromWindow(HWND hwnd);

  protected:
    // Creates the control's window of a class registered with Control::WindowProc
    // as its procedure; binds this object to it on WM_NCCREATE.
    HWND CreateOwnWindow(DWORD exStyle, const wchar_t* className, const std::wstring& text,
                         DWORD style, int x, int y, int w, int h, HWND parent, HMENU menuOrId);
    // Takes over a window of a system class ("BUTTON", "EDIT") by subclassing it.
    void Subclass(HWND hwnd);

    // The control's message handler; the default passes everything on.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The processing the message would have had without this object.
    LRESULT DefaultProcessing(UINT msg, WPARAM wParam, LPARAM lParam);

    // Called when the window has gone (WM_NCDESTROY), after hwnd() became null.
    virtual void OnWindowGone() {}

  public:
    // The window procedure of classes whose windows are Control objects.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Registers such a class once (idempotent); answers the class atom or 0.
    static bool RegisterControlClass(const wchar_t* className, UINT classStyle, HBRUSH background);

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    uint32_t windowId_;
    uint32_t unitId_;
};

struct ControlType {
    const char* name;  // the stored English name: "window", "Button", ...
    uint32_t flags;
    std::vector<PropertyKind> ownKinds;  // kind of own property 0, 1, ...
    std::unique_ptr<Control> (*create)(const CreateParams& params);
};

}  // namespace velmora

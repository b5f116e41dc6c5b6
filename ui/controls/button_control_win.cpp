// The `Button`: a Windows push button whose clicks, reflected from its parent,
// become the clicked event.
#include <windows.h>

#include <algorithm>

#include "runtime/wide_text.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/own_access.h"
#include "ui/controls/standard_types_win.h"
#include "ui/controls/table_control_win.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/window_loader_win.h"
#include "ui/picture/picture_format.h"
#include "ui/picture/still_picture_win.h"

namespace velmora {

namespace {

constexpr DWORD kAlignmentBits = BS_LEFT | BS_RIGHT | BS_CENTER | BS_TOP | BS_BOTTOM | BS_VCENTER;

DWORD AlignmentStyle(const ButtonProperties& p) {
    static const DWORD horizontal[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
    static const DWORD vertical[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
    return horizontal[std::clamp<int32_t>(p.hAlign, 0, 2)] |
           vertical[std::clamp<int32_t>(p.vAlign, 0, 2)];
}

DWORD KindStyle(const ButtonProperties& p) {
    return p.kind == kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

class ButtonControl : public TableControl<ButtonProperties> {
  public:
    ButtonControl(const CreateParams& p, ButtonProperties props)
        : TableControl(p, kButtonLayout, std::move(props)) {}

    // A button still standing takes back its font and picture before they are freed.
    ~ButtonControl() override {
        if (!hwnd())
            return;
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
        SendMessageW(hwnd(), BM_SETIMAGE, IMAGE_ICON, 0);
        SendMessageW(hwnd(), BM_SETIMAGE, IMAGE_BITMAP, 0);
    }

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        auto button = Decoded<ButtonControl>(p, kButtonLayout);
        return button && button->Build(p) ? std::move(button) : nullptr;
    }

    bool IsDefaultButton() const override {
        return hwnd() && (GetWindowLongW(hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }

    void ScaleChanged() override {
        SetControlFont(hwnd(), font_, props_.font);
        ShowPicture();
    }

    // The WM_COMMAND the button sent its parent: every one is a click.
    bool HandleNotification(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg != WM_COMMAND)
            return false;
        RaiseEvent(windowId(), unitId(), kEventClicked);
        result = 0;
        return true;
    }

  protected:
    WriteOutcome AfterWrite(uint8_t step) override {
        switch (static_cast<ButtonWrite>(step)) {
            case ButtonWrite::kRecreate:
                return WriteOutcome::kRecreate;
            case ButtonWrite::kKind:
                SendMessageW(hwnd(), BM_SETSTYLE, KindStyle(props_), TRUE);
                break;
            case ButtonWrite::kCaption:
                SetWindowTextGbk(hwnd(), props_.caption);
                return WriteOutcome::kStored;
            case ButtonWrite::kAlignment:
                ApplyAlignment();
                break;
            case ButtonWrite::kFont:
                SetControlFont(hwnd(), font_, props_.font);
                break;
        }
        InvalidateRect(hwnd(), nullptr, TRUE);
        return WriteOutcome::kStored;
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_SETFOCUS && msg != WM_KILLFOCUS)
            return DefaultProcessing(msg, wParam, lParam);
        const LRESULT result = DefaultProcessing(msg, wParam, lParam);
        RaiseEvent(windowId(), unitId(),
                   msg == WM_SETFOCUS ? kEventFocusReceived : kEventFocusLost);
        return result;
    }

  private:
    bool Build(const CreateParams& p) {
        ClampOwnFields(layout_, props_);  // stored values out of range read as a write takes them
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (p.extraStyles & ~WS_VISIBLE) | BS_MULTILINE |
                      AlignmentStyle(props_) | KindStyle(props_);
        if (!props_.picture.empty()) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(props_.picture.data());
            DecodeStillPicture(bytes, props_.picture.size(), picture_);
            if (picture_.icon)
                style |= BS_ICON;
            else if (picture_.bitmap)
                style |= BS_BITMAP;
            // A picture that gives nothing is dropped: the caption shows.
        }
        HWND h = CreateWindowExW(0, L"BUTTON", WideFromGbk(props_.caption).c_str(), style, p.left,
                                 p.top, p.width, p.height, p.parent, ControlIdMenu(p.controlId),
                                 GetModuleHandleW(nullptr), nullptr);
        if (!h)
            return false;
        Subclass(h);
        ShowPicture();
        SetControlFont(h, font_, props_.font);
        return true;
    }

    // The picture at its natural size times the scale: itself at 96 dpi, else a
    // copy of the display's size (the one shown before goes once it is replaced).
    void ShowPicture() {
        if (picture_.empty())
            return;
        const DisplayScale s = scale();
        const int w = s.ToDevice(picture_.width), h = s.ToDevice(picture_.height);
        if (picture_.icon) {
            UniqueIcon copy;
            if (!s.Is96())
                copy.reset(static_cast<HICON>(CopyImage(picture_.icon.get(), IMAGE_ICON, w, h, 0)));
            HICON shown = copy ? copy.get() : picture_.icon.get();
            SendMessageW(hwnd(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(shown));
            scaledIcon_ = std::move(copy);
        } else {
            UniqueGdi<HBITMAP> copy;
            if (!s.Is96())
                copy = StretchedBitmapCopy(picture_.bitmap.get(), picture_.width, picture_.height,
                                           w, h);
            HBITMAP shown = copy ? copy.get() : picture_.bitmap.get();
            SendMessageW(hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
            scaledBitmap_ = std::move(copy);
        }
    }

    void ApplyAlignment() {
        LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
        style = static_cast<LONG>((static_cast<DWORD>(style) & ~kAlignmentBits) |
                                  AlignmentStyle(props_));
        SetWindowLongW(hwnd(), GWL_STYLE, style);
    }

    StillPicture picture_;   // the image the button shows lives as long as the button
    UniqueIcon scaledIcon_;  // the picture at the display's size, when not at 96 dpi
    UniqueGdi<HBITMAP> scaledBitmap_;
    UniqueGdi<HFONT> font_;
};

}  // namespace

const ControlType kButtonControlType{"Button",
                                     kTypeWindowedUnit | kTypeTakesFocus | kTypeHasCaption,
                                     OwnKindsByNumber(kButtonPropertyTable), ButtonControl::Create};

}  // namespace velmora

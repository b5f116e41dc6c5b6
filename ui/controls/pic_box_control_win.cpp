// The `PicBox`: a window of its own class that shows a picture, still or
// animated, over its background colour.
#include <windows.h>

#include <algorithm>

#include "runtime/win_handles_win.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/off_screen_paint_win.h"
#include "ui/controls/own_access.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/standard_types_win.h"
#include "ui/controls/table_control_win.h"
#include "ui/picture/picture_display_win.h"

namespace velmora {

namespace {

// Never CS_OWNDC, CS_CLASSDC or CS_PARENTDC: the GIF worker draws through a device
// context of its own beside the box's painting.
constexpr wchar_t kPicBoxClass[] = L"VelmoraPicBox";

int32_t Choice(int32_t value, int32_t last) {
    return std::clamp(value, 0, last);
}

class PicBoxControl : public TableControl<PicBoxProperties> {
  public:
    PicBoxControl(const CreateParams& p, PicBoxProperties props)
        : TableControl(p, kPicBoxLayout, std::move(props)) {}

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        auto box = Decoded<PicBoxControl>(p, kPicBoxLayout);
        // Child windows it may hold are left out of its painting, and out of the
        // frames the animation worker draws onto it.
        if (!box || !box->CreateChildWindow(p, {kPicBoxClass, kRepaintedClassStyle, HollowBrush()},
                                            L"", WS_CLIPCHILDREN | p.extraStyles))
            return nullptr;
        box->brush_.reset(CreateSolidBrush(PaintColour(box->props_.backColor)));
        box->display_ = std::make_unique<PictureDisplay>(
            box->hwnd(), Choice(box->props_.displayMode, kPicBoxLastDisplayMode),
            box->brush_.get());
        box->display_->SetDpi(box->scale().dpi);
        box->LoadPicture();
        ApplyBorderStyles(box->hwnd(), box->props_.border);
        return box;
    }

    void ScaleChanged() override { display_->SetDpi(scale().dpi); }

  protected:
    // None of the writes needs a new window.
    WriteOutcome AfterWrite(uint8_t step) override {
        const PicBoxProperties& p = props_;
        switch (static_cast<PicBoxWrite>(step)) {
            case PicBoxWrite::kStoreOnly:
                break;
            case PicBoxWrite::kBorder:
                ApplyBorderStyles(hwnd(), p.border);
                InvalidateRect(hwnd(), nullptr, FALSE);
                break;
            case PicBoxWrite::kBackColor: {
                UniqueGdi<HBRUSH> brush(CreateSolidBrush(PaintColour(p.backColor)));
                display_->SetBackground(brush.get());
                brush_ = std::move(brush);
                InvalidateRect(hwnd(), nullptr, FALSE);
                break;
            }
            case PicBoxWrite::kPicture:
                LoadPicture();
                break;
            case PicBoxWrite::kDisplayMode:
                // Every write repaints at once: the display itself repaints only for
                // a mode that changed, the box for the same mode.
                if (p.displayMode == display_->displayMode()) {
                    InvalidateRect(hwnd(), nullptr, FALSE);
                    UpdateWindow(hwnd());
                }
                display_->SetDisplayMode(p.displayMode);
                break;
            case PicBoxWrite::kAnimate:
                // Only a GIF is shown differently by Animate: it is loaded anew the
                // way the new value says, so 1 starts it from its first frame even
                // while it plays, and 0 shows its first image still.
                if (RecognizePicture(PictureData(), p.picture.size()) == PictureKind::kGif)
                    LoadPicture();
                break;
        }
        return WriteOutcome::kStored;
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_ERASEBKGND:
                return 1;  // the paint covers everything
            case WM_PAINT:
                Paint();
                return 0;
            case WM_DESTROY:
                // The worker draws onto this window: it ends before the window goes.
                if (display_)
                    display_->StopAnimation();
                break;
            default:
                break;
        }
        return DefaultProcessing(msg, wParam, lParam);
    }

  private:
    const uint8_t* PictureData() const {
        return reinterpret_cast<const uint8_t*>(props_.picture.data());
    }

    // Stops a playing animation first (the display does).
    void LoadPicture() {
        display_->LoadPicture(PictureData(), props_.picture.size(), props_.animate == 1);
    }

    // A still picture is painted off screen; an animation straight onto the window,
    // as its player and worker expect.
    void Paint() {
        if (!display_ || display_->animated()) {
            PaintScope paint(hwnd());
            if (display_)
                display_->PaintPicture(paint.dc());
            return;
        }
        PaintOffScreen(hwnd(), [this](HDC dc, POINT origin) {
            SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
            display_->PaintPicture(dc);
            SetViewportOrgEx(dc, 0, 0, nullptr);
        });
    }

    UniqueGdi<HBRUSH> brush_;                  // BackColor; the display paints with it
    std::unique_ptr<PictureDisplay> display_;  // goes first: it stops the player
};

}  // namespace

const ControlType kPicBoxControlType{"PicBox", kTypeWindowedUnit | kTypeHoldsChildWindows,
                                     OwnKindsByNumber(kPicBoxPropertyTable), PicBoxControl::Create};

}  // namespace velmora

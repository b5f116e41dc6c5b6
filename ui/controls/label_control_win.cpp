// The `Label`: a window of its own class that draws its caption over a background
// colour, picture or gradient, optionally inside a gradient border.
#include <windows.h>

#include "runtime/wide_text.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/label_painting_win.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/own_access.h"
#include "ui/controls/standard_types_win.h"
#include "ui/controls/table_control_win.h"

namespace velmora {

namespace {

constexpr wchar_t kLabelClass[] = L"VelmoraLabel";

class LabelControl : public TableControl<LabelProperties> {
  public:
    LabelControl(const CreateParams& p, LabelProperties props)
        : TableControl(p, kLabelLayout, std::move(props)) {}

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        auto label = Decoded<LabelControl>(p, kLabelLayout);
        if (!label)
            return nullptr;
        label->caption_ = WideFromGbk(label->props_.caption);
        if (!label->CreateChildWindow(p, {kLabelClass, kRepaintedClassStyle, HollowBrush()},
                                      label->caption_, p.extraStyles))
            return nullptr;
        label->font_ = MakeControlFont(label->props_.font, label->scale());
        label->DecodeBackPicture();
        ApplyBorderStyles(label->hwnd(), label->props_.border);
        return label;
    }

    void ScaleChanged() override {
        font_ = MakeControlFont(props_.font, scale());
        InvalidateRect(hwnd(), nullptr, FALSE);
    }

  protected:
    // Every write repaints; none needs a new window.
    WriteOutcome AfterWrite(uint8_t step) override {
        switch (static_cast<LabelWrite>(step)) {
            case LabelWrite::kRepaint:
                break;
            case LabelWrite::kCaption:
                caption_ = WideFromGbk(props_.caption);
                SetWindowTextW(hwnd(), caption_.c_str());
                break;
            case LabelWrite::kBorder:
                ApplyBorderStyles(hwnd(), props_.border);
                break;
            case LabelWrite::kFont:
                font_ = MakeControlFont(props_.font, scale());
                break;
            case LabelWrite::kBackPicture:
                DecodeBackPicture();
                break;
        }
        InvalidateRect(hwnd(), nullptr, FALSE);
        return WriteOutcome::kStored;
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_ERASEBKGND:
                return 1;  // the paint covers everything
            case WM_PAINT: {
                const LabelLook look{&props_, FontOrDefault(font_), &backPicture_, &caption_,
                                     scale()};
                PaintLabelWindow(hwnd(), look);
                return 0;
            }
            default:
                return DefaultProcessing(msg, wParam, lParam);
        }
    }

  private:
    void DecodeBackPicture() {
        backPicture_ = StillPicture();
        DecodeStillPicture(reinterpret_cast<const uint8_t*>(props_.backPicture.data()),
                           props_.backPicture.size(), backPicture_);
    }

    std::wstring caption_;  // the Caption as Windows shows it
    UniqueGdi<HFONT> font_;
    StillPicture backPicture_;
};

}  // namespace

const ControlType kLabelControlType{"Label", kTypeWindowedUnit | kTypeHasCaption,
                                    OwnKindsByNumber(kLabelPropertyTable), LabelControl::Create};

}  // namespace velmora

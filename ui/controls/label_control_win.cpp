// The `Label`: a window of its own class that draws its caption over a background
// colour, picture or gradient, optionally inside a gradient border.
#include <windows.h>

#include <algorithm>

#include "runtime/wide_text.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/label_painting_win.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/standard_types_win.h"

namespace velmora {

namespace {

constexpr wchar_t kLabelClass[] = L"VelmoraLabel";
constexpr int32_t kSmallestGradBorderWidth = 5;  // widths of 4 or less store this

// Own property numbers (global index - 8).
enum LabelProperty : int {
    kCaption = 0,
    kEffect,
    kBorder,
    kGradBorderWidth,
    kGradBorderColor1,
    kGradBorderColor2,
    kGradBorderColor3,
    kFont,
    kTextColor,
    kBackColor,
    kBackPicture,
    kPictureMode,
    kGradBackMode,
    kGradBackColor1,
    kGradBackColor2,
    kGradBackColor3,
    kHAlign,
    kWordWrap,
    kVAlign,
    kDataSource,
    kDataField,
};

int32_t Choice(const RawValue& value, int32_t last) {
    return std::clamp(static_cast<int32_t>(value.number), 0, last);
}

class LabelControl : public Control {
  public:
    LabelControl(const CreateParams& p, LabelProperties props)
        : Control(p.windowId, p.unitId), props_(std::move(props)) {}

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        LabelProperties props;
        if (DecodeLabelProperties(p.ownData, p.ownSize, props) != OwnDataError::kNone)
            return nullptr;
        if (!RegisterControlClass(kLabelClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                  static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))))
            return nullptr;
        auto label = std::make_unique<LabelControl>(p, std::move(props));
        label->caption_ = WideFromGbk(label->props_.caption);
        if (!label->CreateOwnWindow(0, kLabelClass, label->caption_,
                                    WS_CHILD | WS_CLIPSIBLINGS | p.extraStyles, p.left, p.top,
                                    p.width, p.height, p.parent, ControlIdMenu(p.controlId)))
            return nullptr;
        label->font_ = MakeControlFont(label->props_.font);
        label->DecodeBackPicture();
        ApplyBorderStyles(label->hwnd(), label->props_.border);
        return label;
    }

    bool ReadOwnProperty(int number, RawValue& out) override {
        const LabelProperties& p = props_;
        switch (number) {
            case kCaption:
                out.bytes = p.caption;
                return true;
            case kFont:
                out.bytes = p.font;
                return true;
            case kBackPicture:
                out.bytes = p.backPicture;
                return true;
            case kDataSource:
                out.bytes = p.dataSource;
                return true;
            case kDataField:
                out.bytes = p.dataField;
                return true;
            default:
                break;
        }
        if (const int32_t* i = IntegerField(number)) {
            out.number = static_cast<uint32_t>(*i);
            return true;
        }
        if (const uint32_t* c = ColourField(number)) {
            out.number = *c;
            return true;
        }
        return false;
    }

    // Every write stores the value and repaints; none needs a new window.
    int WriteOwnProperty(int number, const RawValue& value) override {
        LabelProperties& p = props_;
        const auto v = static_cast<int32_t>(value.number);
        switch (number) {
            case kCaption:
                p.caption = value.bytes;
                caption_ = WideFromGbk(p.caption);
                SetWindowTextW(hwnd(), caption_.c_str());
                break;
            case kEffect:
                p.effect = Choice(value, 3);
                break;
            case kBorder:
                p.border = Choice(value, 6);
                ApplyBorderStyles(hwnd(), p.border);
                break;
            case kGradBorderWidth:
                p.gradBorderWidth = std::max(v, kSmallestGradBorderWidth);
                break;
            case kFont:
                p.font = value.bytes;
                font_ = MakeControlFont(p.font);
                break;
            case kBackPicture:
                p.backPicture = value.bytes;
                DecodeBackPicture();
                break;
            case kPictureMode:
                p.pictureMode = Choice(value, 2);
                break;
            case kGradBackMode:
                p.gradBackMode = Choice(value, 8);
                break;
            case kHAlign:
                p.hAlign = Choice(value, 2);
                break;
            case kVAlign:
                p.vAlign = Choice(value, 2);
                break;
            case kWordWrap:
                p.wordWrap = v;
                break;
            case kDataSource:
                p.dataSource = value.bytes;
                break;
            case kDataField:
                p.dataField = value.bytes;
                break;
            default:
                if (uint32_t* c = ColourField(number)) {
                    *c = static_cast<uint32_t>(value.number);
                    break;
                }
                return 0;
        }
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    }

    std::string SaveOwnProperties() const override { return EncodeLabelProperties(props_); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_ERASEBKGND:
                return 1;  // the paint covers everything
            case WM_PAINT: {
                const LabelLook look{&props_, FontOrDefault(font_), &backPicture_, &caption_};
                PaintLabelWindow(hwnd(), look);
                return 0;
            }
            default:
                return DefaultProcessing(msg, wParam, lParam);
        }
    }

  private:
    int32_t* IntegerField(int number) {
        switch (number) {
            case kEffect:
                return &props_.effect;
            case kBorder:
                return &props_.border;
            case kGradBorderWidth:
                return &props_.gradBorderWidth;
            case kPictureMode:
                return &props_.pictureMode;
            case kGradBackMode:
                return &props_.gradBackMode;
            case kHAlign:
                return &props_.hAlign;
            case kWordWrap:
                return &props_.wordWrap;
            case kVAlign:
                return &props_.vAlign;
            default:
                return nullptr;
        }
    }

    uint32_t* ColourField(int number) {
        switch (number) {
            case kGradBorderColor1:
                return &props_.gradBorderColor1;
            case kGradBorderColor2:
                return &props_.gradBorderColor2;
            case kGradBorderColor3:
                return &props_.gradBorderColor3;
            case kTextColor:
                return &props_.textColor;
            case kBackColor:
                return &props_.backColor;
            case kGradBackColor1:
                return &props_.gradBackColor1;
            case kGradBackColor2:
                return &props_.gradBackColor2;
            case kGradBackColor3:
                return &props_.gradBackColor3;
            default:
                return nullptr;
        }
    }

    void DecodeBackPicture() {
        backPicture_ = StillPicture();
        DecodeStillPicture(reinterpret_cast<const uint8_t*>(props_.backPicture.data()),
                           props_.backPicture.size(), backPicture_);
    }

    LabelProperties props_;
    std::wstring caption_;  // the Caption as Windows shows it
    UniqueGdi<HFONT> font_;
    StillPicture backPicture_;
};

}  // namespace

const ControlType kLabelControlType{"Label", kTypeWindowedUnit | kTypeHasCaption,
                                    OwnKindsByNumber(kLabelPropertyTable), LabelControl::Create};

}  // namespace velmora

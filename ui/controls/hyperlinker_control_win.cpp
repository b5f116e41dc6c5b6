// The `HyperLinker`: one line of text in link colours that opens its web or mail
// address when pressed, with a pointing hand over it and a hover colour.
#include <windows.h>

#include <algorithm>

#include "runtime/wide_text.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/hyperlinker_shell_win.h"
#include "ui/controls/link_opening.h"
#include "ui/controls/standard_types_win.h"
#include "ui/loader/resource_ids.h"

namespace velmora {

namespace {

constexpr wchar_t kClassName[] = L"VelmoraHyperLinker";
// One line, centred both ways, an ampersand drawn as it is (0x925).
constexpr UINT kTextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;

// Own property numbers (global index - 8).
enum LinkProperty : int {
    kCaption = 0,
    kLinkKind,
    kMailAddress,
    kWebAddress,
    kNormalColor,
    kVisitedColor,
    kHoverColor,
    kBackColor,
    kBorder,
    kFont,
};

// The program's pointing hand (32 x 32, hot spot 6, 1); the system's where the
// executable has none.
HCURSOR HandCursor() {
    if (HCURSOR own = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kHandCursorResource)))
        return own;
    return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
}

class HyperLinkerControl : public Control {
  public:
    HyperLinkerControl(const CreateParams& p, HyperLinkerProperties props)
        : Control(p.windowId, p.unitId), props_(std::move(props)) {}

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        HyperLinkerProperties props;
        const HyperLinkerProperties newBox = NewHyperLinkerProperties(GetSysColor(COLOR_HIGHLIGHT));
        if (DecodeHyperLinkerProperties(p.ownData, p.ownSize, props, newBox) != OwnDataError::kNone)
            return nullptr;
        if (!RegisterControlClass(kClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                  static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)), HandCursor()))
            return nullptr;
        auto link = std::make_unique<HyperLinkerControl>(p, std::move(props));
        if (!link->CreateOwnWindow(0, kClassName, WideFromGbk(link->props_.caption),
                                   WS_CHILD | WS_CLIPSIBLINGS | (p.extraStyles & ~WS_VISIBLE),
                                   p.left, p.top, p.width, p.height, p.parent,
                                   ControlIdMenu(p.controlId)))
            return nullptr;
        ApplyBorderStyles(link->hwnd(), link->props_.border);
        return link;
    }

    bool ReadOwnProperty(int number, RawValue& out) override {
        switch (number) {
            case kCaption:
                out.bytes = props_.caption;
                return true;
            case kLinkKind:
                out.number = static_cast<uint32_t>(props_.linkKind);
                return true;
            case kMailAddress:
                out.bytes = props_.mailAddress;
                return true;
            case kWebAddress:
                out.bytes = props_.webAddress;
                return true;
            case kNormalColor:
                out.number = props_.normalColor;
                return true;
            case kVisitedColor:
                out.number = props_.visitedColor;
                return true;
            case kHoverColor:
                out.number = props_.hoverColor;
                return true;
            case kBackColor:
                out.number = props_.backColor;
                return true;
            case kBorder:
                out.number = static_cast<uint32_t>(props_.border);
                return true;
            case kFont:
                out.bytes = props_.font;
                return true;
            default:
                return false;
        }
    }

    int WriteOwnProperty(int number, const RawValue& value) override {
        const auto v = static_cast<uint32_t>(value.number);
        switch (number) {
            case kCaption:
                props_.caption = value.bytes;
                SetWindowTextGbk(hwnd(), props_.caption);
                break;
            case kLinkKind:
                props_.linkKind = std::clamp(static_cast<int32_t>(v), 0, 1);
                break;
            case kMailAddress:
            case kWebAddress:
                (number == kMailAddress ? props_.mailAddress : props_.webAddress) = value.bytes;
                // The address shows only while there is no caption.
                if (!props_.caption.empty())
                    return 0;
                break;
            case kNormalColor:
                props_.normalColor = v;
                break;
            case kVisitedColor:
                props_.visitedColor = v;
                break;
            case kHoverColor:
                props_.hoverColor = v;
                break;
            case kBackColor:
                props_.backColor = v;
                break;
            case kBorder:
                props_.border = std::clamp(static_cast<int32_t>(v), 0, 5);
                ApplyBorderStyles(hwnd(), props_.border);
                return 0;
            case kFont:
                props_.font = value.bytes;
                break;
            default:
                return 0;
        }
        Repaint();
        return 0;
    }

    std::string SaveOwnProperties() const override { return EncodeHyperLinkerProperties(props_); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_LBUTTONDOWN:
                Open();
                return 0;
            case WM_LBUTTONDBLCLK:
                return 0;  // the second press of a double click opens nothing
            case WM_MOUSEMOVE:
                TrackHover(lParam);
                return 0;
            case WM_PAINT:
                Paint();
                return 0;
            default:
                return DefaultProcessing(msg, wParam, lParam);
        }
    }

  private:
    void Repaint() { InvalidateRect(hwnd(), nullptr, FALSE); }

    void Open() {
        const std::optional<std::string> address =
            LinkAddress(props_.linkKind, props_.mailAddress, props_.webAddress);
        visited_ = address && OpenLink(*address);
        // After a failure the cleared mark shows at the next repaint.
        if (visited_ && hwnd())
            Repaint();
    }

    void TrackHover(LPARAM lParam) {
        if (!hover_) {
            hover_ = true;
            Repaint();
            SetCapture(hwnd());
            return;
        }
        RECT client;
        GetClientRect(hwnd(), &client);
        const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (!PtInRect(&client, pt)) {
            hover_ = false;
            ReleaseCapture();
            Repaint();
        } else if (GetCapture() != hwnd()) {
            SetCapture(hwnd());
        }
    }

    void Paint() {
        PaintScope paint(hwnd());
        HDC dc = paint.dc();
        RECT clip;
        if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip))
            return;
        UniqueGdi<HBRUSH> brush(CreateSolidBrush(PaintColour(props_.backColor)));
        {
            DcSelect select(dc, brush.get());
            PatBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top,
                   PATCOPY);
        }
        std::string text = WindowTextGbk(hwnd());
        if (text.empty())
            text = props_.linkKind != 0 ? props_.webAddress : props_.mailAddress;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, hover_     ? props_.hoverColor
                         : visited_ ? props_.visitedColor
                                    : props_.normalColor);
        // The font lives for this paint only.
        UniqueGdi<HFONT> font = MakeControlFont(props_.font);
        DcSelect selectFont(dc, FontOrDefault(font));
        RECT client;
        GetClientRect(hwnd(), &client);
        const std::wstring wide = WideFromGbk(text);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &client, kTextFlags);
    }

    HyperLinkerProperties props_;
    bool hover_ = false;
    bool visited_ = false;
};

}  // namespace

const ControlType kHyperLinkerControlType{"HyperLinker", kTypeWindowedUnit,
                                          OwnKindsByNumber(kHyperLinkerPropertyTable),
                                          HyperLinkerControl::Create};

}  // namespace velmora

// The `HyperLinker`: one line of text in link colours that opens its web or mail
// address when pressed, with a pointing hand over it and a hover colour.
#include <windows.h>

#include "runtime/wide_text.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/hyperlinker_shell_win.h"
#include "ui/controls/link_opening.h"
#include "ui/controls/own_access.h"
#include "ui/controls/standard_types_win.h"
#include "ui/controls/table_control_win.h"
#include "ui/loader/resource_ids.h"

namespace velmora {

namespace {

constexpr wchar_t kClassName[] = L"VelmoraHyperLinker";
// One line, centred both ways, an ampersand drawn as it is (0x925).
constexpr UINT kTextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;

// The program's pointing hand (32 x 32, hot spot 6, 1); the system's where the
// executable has none.
HCURSOR HandCursor() {
    if (HCURSOR own = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kHandCursorResource)))
        return own;
    return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
}

class HyperLinkerControl : public TableControl<HyperLinkerProperties> {
  public:
    HyperLinkerControl(const CreateParams& p, HyperLinkerProperties props)
        : TableControl(p, kHyperLinkerLayout, std::move(props)) {}

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        auto link = Decoded<HyperLinkerControl>(
            p, kHyperLinkerLayout, NewHyperLinkerProperties(GetSysColor(COLOR_HIGHLIGHT)));
        if (!link || !link->CreateChildWindow(
                         p, {kClassName, kRepaintedClassStyle, HollowBrush(), HandCursor()},
                         WideFromGbk(link->props_.caption), p.extraStyles & ~WS_VISIBLE))
            return nullptr;
        ApplyBorderStyles(link->hwnd(), link->props_.border);
        return link;
    }

  protected:
    WriteOutcome AfterWrite(uint8_t step) override {
        switch (static_cast<HyperLinkerWrite>(step)) {
            case HyperLinkerWrite::kRepaint:
                break;
            case HyperLinkerWrite::kCaption:
                SetWindowTextGbk(hwnd(), props_.caption);
                break;
            case HyperLinkerWrite::kAddress:
                if (!props_.caption.empty())
                    return WriteOutcome::kStored;
                break;
            case HyperLinkerWrite::kBorder:
                ApplyBorderStyles(hwnd(), props_.border);
                return WriteOutcome::kStored;
        }
        Repaint();
        return WriteOutcome::kStored;
    }

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
        UniqueGdi<HFONT> font = MakeControlFont(props_.font, scale());
        DcSelect selectFont(dc, FontOrDefault(font));
        RECT client;
        GetClientRect(hwnd(), &client);
        const std::wstring wide = WideFromGbk(text);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &client, kTextFlags);
    }

    bool hover_ = false;
    bool visited_ = false;
};

}  // namespace

const ControlType kHyperLinkerControlType{"HyperLinker", kTypeWindowedUnit,
                                          OwnKindsByNumber(kHyperLinkerPropertyTable),
                                          HyperLinkerControl::Create};

}  // namespace velmora

#include "ui/controls/balloon_tip/balloon_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "runtime/out_of_memory.h"
#include "ui/controls/balloon_tip/balloon_pixels.h"
#include "ui/loader/control_win.h"
#include "ui/markup/background_effects.h"
#include "ui/picture/dib_canvas_win.h"

namespace velmora {

namespace {

constexpr wchar_t kBalloonClass[] = L"VelmoraBalloon";
// The balloon's own window procedure, put on its window as a subclass.
constexpr UINT_PTR kSubclassId = 1;

// The windows of this thread repaint what lies under a balloon that was hidden a
// moment ago, at once: until they do, the screen still shows the balloon there, and
// a balloon shown again straight away would take its own old picture as backdrop.
BOOL CALLBACK RepaintPart(HWND window, LPARAM area) {
    RECT part;
    if (IsWindowVisible(window) && GetWindowRect(window, &part) &&
        IntersectRect(&part, &part, reinterpret_cast<const RECT*>(area))) {
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&part), 2);
        RedrawWindow(window, &part, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    return TRUE;
}

POINT ToPoint(BalloonPoint p) {
    return {p.x, p.y};
}

}  // namespace

Balloon::Balloon(TipSource& tips)
    : tips_(tips), behaviour_(*this), sheet_(StyleSheet::Effective("")) {}

Balloon::~Balloon() {
    if (HWND h = hwnd_.get()) {
        for (int id : {kInitialDelayTimer, kVisibleTimeTimer, kFadeInTimer, kFadeOutTimer})
            KillTimer(h, id);
        RemoveWindowSubclass(h, Procedure, kSubclassId);
    }
    hwnd_.reset();
}

bool Balloon::Create() {
    if (!Control::RegisterControlClass(
            {kBalloonClass, CS_SAVEBITS, nullptr, nullptr, DefWindowProcW}))
        return false;
    HWND h = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kBalloonClass, L"", WS_POPUP, 0, 0,
                             0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!h)
        return false;
    hwnd_.reset(h);
    // The class has the default procedure; the balloon's own handling is a subclass.
    SetWindowSubclass(h, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void Balloon::SetColours(COLORREF begin, COLORREF middle, COLORREF end) {
    colours_[0] = begin;
    colours_[1] = middle;
    colours_[2] = end;
}

void Balloon::SetEffect(int effect, int granularity) {
    effect_ = std::clamp(effect, 0, kBackgroundEffectCount);
    granularity_ = granularity & 0xFF;
}

void Balloon::SetBorder(const BalloonBorder& border) {
    borderBrush_.reset(CreateSolidBrush(border.colour));
    if (!borderBrush_ || border.width <= 0 || border.height <= 0) {
        border_.reset();
        return;
    }
    border_ = border;
    border_->width = std::min(border.width, kMaxBalloonSize);
    border_->height = std::min(border.height, kMaxBalloonSize);
}

void Balloon::SetShadow(const BalloonShadow& shadow) {
    shadow_ = shadow;
    shadow_.darkness = std::clamp(shadow.darkness, 0, 100);
}

void Balloon::SetStyleSheet(const std::string& sheet) {
    sheet_ = StyleSheet::Effective(sheet);
}

void Balloon::Examine(const MSG& msg) {
    switch (msg.message) {
        case WM_MOUSEMOVE:
            UpdateHover(msg.pt);
            behaviour_.OnMouseMove({msg.pt.x, msg.pt.y});
            return;
        case WM_LBUTTONDOWN:
            if (BalloonVisible() && WindowFromPoint(msg.pt) == hwnd() && LinkPressed(msg.pt))
                return;  // the link's handling may have closed the box
            behaviour_.OnPress();
            return;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK:
            behaviour_.OnPress();
            return;
        default:
            return;
    }
}

// Answers true when a link was pressed and its handling has run; the caller then
// touches nothing more (the box may be gone).
bool Balloon::LinkPressed(POINT screen) {
    const int link = LinkAt(screen);
    if (link < 0 || link >= static_cast<int>(layout_.links.size()))
        return false;
    behaviour_.OnPress();
    const MarkupLink target = layout_.links[link];
    tips_.LinkPressed(target);
    return true;
}

int Balloon::LinkAt(POINT screen) const {
    return layout_.LinkAt(screen.x - geometry_.window.left - geometry_.content.left,
                          screen.y - geometry_.window.top - geometry_.content.top);
}

// The link under the pointer takes the a:hover style: when the pointer moves onto or
// off a link of the shown tip, the tip is laid out and drawn again.
void Balloon::UpdateHover(POINT screen) {
    const bool over = shownTip_ && BalloonVisible() && WindowFromPoint(screen) == hwnd();
    const int link = over ? LinkAt(screen) : -1;
    if (link == hoverLink_)
        return;
    hoverLink_ = link;
    const std::string* text = shownTip_ ? tips_.TipText(*shownTip_) : nullptr;
    if (!text || !BalloonVisible() || background_.pixels.empty())
        return;
    layout_ = LayOutMarkup(*text, sheet_, gdi_, hoverLink_);
    RenderBalloon();
    Redraw(transparency_);
}

void Balloon::StartTimer(int id, int milliseconds) {
    if (hwnd())
        SetTimer(hwnd(), static_cast<UINT_PTR>(id), static_cast<UINT>(std::max(1, milliseconds)),
                 nullptr);
}

void Balloon::StopTimer(int id) {
    if (hwnd())
        KillTimer(hwnd(), static_cast<UINT_PTR>(id));
}

bool Balloon::BalloonVisible() {
    return hwnd() && IsWindowVisible(hwnd());
}

bool Balloon::OverBalloon(BalloonPoint p) {
    return hwnd() && WindowFromPoint(ToPoint(p)) == hwnd();
}

std::optional<TipKey> Balloon::TipAt(BalloonPoint p) {
    return tips_.TipAt(ToPoint(p));
}

BalloonPoint Balloon::CursorPosition() {
    POINT pt = {};
    GetCursorPos(&pt);
    return {pt.x, pt.y};
}

uint32_t Balloon::Now() {
    return GetTickCount();
}

void Balloon::Show(const TipKey& tip, BalloonPoint p, int transparency) {
    HideWindow();
    shownTip_.reset();
    const std::string* text = tips_.TipText(tip);
    if (!hwnd() || !text || text->empty())
        return;
    shownTip_ = tip;
    transparency_ = std::clamp(transparency, 0, 100);
    if (!Prepare(*text, p))
        return;
    const MarkupRect& w = geometry_.window;
    SetWindowPos(hwnd(), HWND_TOPMOST, w.left, w.top, w.width(), w.height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
}

void Balloon::MoveTo(BalloonPoint p) {
    if (shownTip_)
        Show(*shownTip_, p, transparency_);
}

void Balloon::Redraw(int transparency) {
    transparency_ = std::clamp(transparency, 0, 100);
    if (!BalloonVisible())
        return;
    WindowDc dc(hwnd());
    Draw(dc.get());
}

void Balloon::HideWindow() {
    if (!BalloonVisible())
        return;
    RECT area;
    GetWindowRect(hwnd(), &area);
    ShowWindow(hwnd(), SW_HIDE);
    EnumThreadWindows(GetCurrentThreadId(), RepaintPart, reinterpret_cast<LPARAM>(&area));
}

bool Balloon::Prepare(const std::string& text, BalloonPoint p) {
    hoverLink_ = -1;
    layout_ = LayOutMarkup(text, sheet_, gdi_);
    const MarkupRect screen = {
        GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    geometry_ = PlaceBalloon(layout_.width, layout_.height, sizes_, code_, p, screen,
                             shadow_.offsetX, shadow_.offsetY);
    const BalloonGeometry& g = geometry_;
    const int w = g.window.width(), h = g.window.height();
    if (w <= 0 || h <= 0)
        return false;

    // The shape: the rounded body, and the pointer reaching one pixel into it.
    shape_.reset(CreateRoundRectRgn(g.body.left, g.body.top, g.body.right + 1, g.body.bottom + 1,
                                    sizes_.cornerWidth, sizes_.cornerHeight));
    if (!shape_)
        return false;
    if (g.hasPointer) {
        POINT tri[3] = {ToPoint(g.triangle[0]), ToPoint(g.triangle[1]), ToPoint(g.triangle[2])};
        const int edge = PointerEdge(g.code);
        for (int i = 0; i < 2; ++i) {
            if (edge == kPointerOnBottom)
                tri[i].y -= 1;
            if (edge == kPointerOnRight)
                tri[i].x -= 1;
        }
        UniqueGdi<HRGN> pointer(CreatePolygonRgn(tri, 3, WINDING));
        if (pointer)
            CombineRgn(shape_.get(), shape_.get(), pointer.get(), RGN_OR);
    }
    {
        DibCanvas mask(w, h);
        if (!mask.ok())
            return false;
        FillRgn(mask.dc(), shape_.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const std::vector<uint32_t> pixels = mask.Pixels();
        shapeMask_ = PixelMask(w, h);
        for (size_t i = 0; i < pixels.size(); ++i)
            shapeMask_.values[i] = pixels[i] ? 255 : 0;
    }

    // The window's region: the shape and its shadow.
    UniqueGdi<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(region.get(), shape_.get(), nullptr, RGN_COPY);
    const bool shadow = shadow_.offsetX != 0 || shadow_.offsetY != 0;
    shadowMask_.reset();
    if (shadow) {
        UniqueGdi<HRGN> moved(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(moved.get(), shape_.get(), nullptr, RGN_COPY);
        OffsetRgn(moved.get(), g.shadowOffset.x, g.shadowOffset.y);
        CombineRgn(region.get(), region.get(), moved.get(), RGN_OR);
        shadowMask_ = ShadowMask(shapeMask_, g.shadowOffset.x, g.shadowOffset.y, shadow_.depthX,
                                 shadow_.depthY, shadow_.gradient);
    }
    SetWindowRgn(hwnd(), region.release(), FALSE);

    background_ = PixelBuffer(w, h, PixelFromColorRef(colours_[0]));
    PaintBackgroundEffect(background_, g.body.left, g.body.top, g.body.width(), g.body.height(),
                          effect_, PixelFromColorRef(colours_[0]), PixelFromColorRef(colours_[1]),
                          PixelFromColorRef(colours_[2]), granularity_);
    FillPointerBand(background_, g);
    RenderBalloon();

    // The screen beneath, taken while the balloon is hidden, so that it never
    // captures itself; it serves as the backdrop until the balloon is placed again.
    DibCanvas under(w, h);
    if (under.ok()) {
        const WindowDc screenDc(nullptr);
        BitBlt(under.dc(), 0, 0, w, h, screenDc.get(), g.window.left, g.window.top, SRCCOPY);
    }
    backdrop_ = PixelBuffer(w, h);
    backdrop_.pixels = under.Pixels();
    return true;
}

void Balloon::RenderBalloon() {
    const int w = background_.width, h = background_.height;
    DibCanvas canvas(w, h);
    if (!canvas.ok()) {
        balloon_ = background_;
        return;
    }
    canvas.Load(background_.pixels);
    {
        // The text may not spill out of the body.
        UniqueGdi<HRGN> clip(CreateRectRgn(geometry_.body.left, geometry_.body.top,
                                           geometry_.body.right, geometry_.body.bottom));
        SelectClipRgn(canvas.dc(), clip.get());
        gdi_.Paint(canvas.dc(), layout_, geometry_.content.left, geometry_.content.top,
                   GetSysColor(COLOR_INFOTEXT));
        SelectClipRgn(canvas.dc(), nullptr);
    }
    if (border_ && borderBrush_)
        FrameRgn(canvas.dc(), shape_.get(), borderBrush_.get(), border_->width, border_->height);
    balloon_ = PixelBuffer(w, h);
    balloon_.pixels = canvas.Pixels();
}

void Balloon::Draw(HDC dc) {
    if (balloon_.pixels.empty() || backdrop_.pixels.size() != balloon_.pixels.size())
        return;
    PixelBuffer out = backdrop_;
    ComposeBalloon(out, balloon_, shapeMask_, shadowMask_ ? &*shadowMask_ : nullptr,
                   ShadowGrey(shadow_.darkness, transparency_), transparency_);
    const BITMAPINFO bi = TopDownPixelsInfo(out.width, out.height);
    SetDIBitsToDevice(dc, 0, 0, out.width, out.height, 0, 0, 0, out.height, out.pixels.data(), &bi,
                      DIB_RGB_COLORS);
}

LRESULT CALLBACK Balloon::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    return WithOutOfMemoryError([&]() -> LRESULT {
        Balloon* self = reinterpret_cast<Balloon*>(data);
        switch (msg) {
            case WM_PAINT: {
                PaintScope paint(hwnd);
                self->Draw(paint.dc());
                return 0;
            }
            case WM_ERASEBKGND:
                return 1;
            case WM_MOUSEACTIVATE:
                return MA_NOACTIVATE;
            case WM_TIMER:
                if (wParam >= kInitialDelayTimer && wParam <= kFadeOutTimer) {
                    self->behaviour_.OnTimer(static_cast<int>(wParam));
                    return 0;
                }
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(hwnd, Procedure, kSubclassId);
                break;
            default:
                break;
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    });
}

}  // namespace velmora

// The `window`'s messages: events, painting, activation, closing and destruction.
#include "ui/controls/window/window_control_win.h"

#include "ui/picture/still_picture_win.h"

#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/standard_types_win.h"
#include "ui/loader/event_indices.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

namespace {

// A handler result of false refuses; no result, or any other, lets the window close.
bool Refused(const EventOutcome& o) {
    return o.resultPresent && o.result.tag == kTagLogical && o.result.low == 0;
}

}  // namespace

WindowControl::WindowControl(const CreateParams& p, WindowProperties props)
    : TableControl(p, kWindowLayout, std::move(props)) {}

WindowControl::~WindowControl() = default;

std::unique_ptr<Control> WindowControl::Create(const CreateParams& p) {
    auto window = Decoded<WindowControl>(p, kWindowLayout);
    if (!window)
        return nullptr;
    // Stored choices out of range are taken as a write would take them.
    ClampOwnFields(kWindowLayout, window->props_);
    if (!window->CreateTopLevel(p))
        return nullptr;
    // Creation moved and sized the window: the loader raises moved and resized
    // itself, after created.
    window->ready_ = true;
    return window;
}

// The window went to a screen of another scale: it takes the place the system
// suggests, and every control keeps its stored place and size in 96-dpi pixels.
void WindowControl::OnScaleChanged(const RECT& suggested) {
    const std::vector<const UnitRecord*> units = ControlsInCreationOrder(windowId());
    std::vector<PixelRect> stored;
    for (const UnitRecord* unit : units)
        stored.push_back({unit->left, unit->top, unit->width, unit->height});
    const ScaleChangeLayout layout = LayoutForScaleChange(
        suggested.left, suggested.top, suggested.right, suggested.bottom, stored, scale());
    const PixelRect& w = layout.window;
    SetWindowPos(hwnd(), nullptr, w.left, w.top, w.width, w.height, SWP_NOZORDER | SWP_NOACTIVATE);
    for (size_t i = 0; i < units.size(); ++i) {
        Control* c = FindLiveControl(windowId(), units[i]->unitId);
        if (!c || !c->hwnd())
            continue;
        const PixelRect& r = layout.children[i];
        MoveWindow(c->hwnd(), r.left, r.top, r.width, r.height, TRUE);
        c->ScaleChanged();
    }
    ApplyIcons();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

int WindowControl::InitialShowCommand() const {
    return shown_ ? SW_SHOW : initialShow_;
}

void WindowControl::Raise(int eventIndex) {
    if (ready_)
        RaiseEvent(windowId(), unitId(), eventIndex);
}

LRESULT WindowControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT paints the whole client area
        case kWmDpiChanged:
            OnScaleChanged(*reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETFONT:
            // The default procedure keeps no font; the window answers for its own.
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam))
                InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam)
                shown_ = true;
            Raise(wParam ? kEventShown : kEventHidden);
            if (!hwnd())
                return 0;
            break;
        case WM_ACTIVATE:
            return OnActivate(wParam, lParam);
        case WM_NCACTIVATE:
            if (props_.keepTitleActive == 1)
                return DefaultProcessing(msg, TRUE, lParam);
            break;
        case WM_MOVE: {
            LRESULT result = DefaultProcessing(msg, wParam, lParam);
            Raise(kEventMoved);
            return result;
        }
        case WM_SIZE: {
            LRESULT result = DefaultProcessing(msg, wParam, lParam);
            if (wParam != SIZE_MINIMIZED && props_.shape != 0) {
                RECT r;
                GetWindowRect(hwnd(), &r);
                if (r.right - r.left != regionWidth_ || r.bottom - r.top != regionHeight_)
                    ApplyShape();
            }
            // Stretched and centred pictures depend on the client size.
            if (!backPicture_.empty() && props_.pictureMode != 0)
                InvalidateRect(hwnd(), nullptr, FALSE);
            Raise(kEventResized);
            return result;
        }
        case WM_DISPLAYCHANGE:
            // Only top-level windows are told; picture boxes stretch by the new depth.
            RefreshPictureStretchMode();
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            break;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            return MayClose() ? TRUE : FALSE;
        case WM_DESTROY:
            OnDestroy();
            break;
        default:
            break;
    }
    return DefaultProcessing(msg, wParam, lParam);
}

// BackPicture is laid out by PictureMode as picture_layout.h says: 0 natural size
// at the top left, 1 tiled, 2 stretched over the client area, 3 centred.
void WindowControl::Paint() {
    PaintScope paint(hwnd());
    UniqueGdi<HBRUSH> back(CreateSolidBrush(PaintColour(props_.backColor)));
    FillRect(paint.dc(), &paint.area(), back.get());
    if (backPicture_.empty())
        return;
    RECT client;
    GetClientRect(hwnd(), &client);
    DrawBackgroundPicture(paint.dc(), backPicture_, props_.pictureMode, client, scale());
}

// Activation gives the focus back to the control that had it when the window was
// last left, as dialogs do; without one the window itself takes it.
LRESULT WindowControl::OnActivate(WPARAM wParam, LPARAM lParam) {
    const bool active = LOWORD(wParam) != WA_INACTIVE;
    const bool minimised = HIWORD(wParam) != 0;
    HWND self = hwnd();
    LRESULT result = 0;
    if (!active) {
        HWND focus = GetFocus();
        lastFocus_ = focus && IsChild(self, focus) ? focus : nullptr;
        result = DefaultProcessing(WM_ACTIVATE, wParam, lParam);
    } else if (!minimised && lastFocus_ && IsWindow(lastFocus_) && IsChild(self, lastFocus_) &&
               IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
    } else {
        result = DefaultProcessing(WM_ACTIVATE, wParam, lParam);
    }
    if (!ready_ || !hwnd())
        return result;
    if (!active) {
        Raise(kEventDeactivated);
        return result;
    }
    if (!activatedBefore_) {
        activatedBefore_ = true;
        Raise(kEventFirstActivated);
        if (!hwnd())
            return result;
    }
    Raise(kEventActivated);
    return result;
}

bool WindowControl::MayClose() {
    if (!ready_)
        return true;
    return !Refused(RaiseEvent(windowId(), unitId(), kEventMayClose, 0, nullptr, true));
}

void WindowControl::OnClose() {
    const bool go = MayClose();
    // The handler may have closed the window itself.
    if (!hwnd() || !go)
        return;
    RestoreDisabledWindows(windowId());
    DestroyWindow(hwnd());
}

void WindowControl::OnDestroy() {
    Raise(kEventBeingDestroyed);
    HWND h = hwnd();
    if (!h)
        return;
    for (const std::wstring& file : openedHelp_)
        WinHelpW(h, file.c_str(), HELP_QUIT, 0);
    openedHelp_.clear();
    if (HMENU menu = GetMenu(h)) {
        SetMenu(h, nullptr);
        DestroyMenu(menu);
    }
}

void WindowControl::OnWindowGone() {
    OnWindowDestroyed(windowId());
}

const ControlType kWindowControlType{
    "window", kTypeWindowedUnit | kTypeNeverRecreated | kTypeHoldsChildWindows,
    OwnKindsByNumber(kWindowPropertyTable), WindowControl::Create};

}  // namespace velmora

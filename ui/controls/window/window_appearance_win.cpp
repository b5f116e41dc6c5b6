// Creating a window and applying what its properties say about its looks: class,
// styles, position, owner, icons, outline, topmost state and system menu.
#include <windows.h>

#include <algorithm>

#include "runtime/out_of_memory.h"
#include "runtime/runtime_state_win.h"
#include "runtime/wide_text.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/window/window_control_win.h"
#include "ui/controls/window/window_shapes.h"
#include "ui/loader/display_scale_win.h"
#include "ui/loader/resource_ids.h"

namespace velmora {

namespace {

constexpr char kDefaultClassName[] = "WTWindow";
constexpr UINT kClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;

// How a window of a class is bound to its WindowControl.
enum class ClassRoute {
    kOwn,      // the class's procedure is Control::WindowProc: bound at WM_NCCREATE
    kForeign,  // a class of that name exists with another procedure
    kNone,     // the class could not be registered
};

// The class is registered on first use. A class of that name that is already
// registered is used unchanged: its styles, cursor, brush and icon stay as they are.
// When its procedure is not ours (a system class, or one that some library
// registered), the window is subclassed right after creation, so that it is still
// this window type that handles it; only the messages of creation itself reach the
// class's own procedure alone.
ClassRoute PrepareClass(const std::wstring& name) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &wc))
        return wc.lpfnWndProc == Control::WindowProc ? ClassRoute::kOwn : ClassRoute::kForeign;
    if (!Control::RegisterControlClass({name.c_str(), kClassStyle, HollowBrush()}))
        return ClassRoute::kNone;
    return ClassRoute::kOwn;
}

// The program's icon in its big and small sizes, loaded once and shared by every
// window; shutdown destroys them.
void EnsureDefaultIcons() {
    RuntimeState& r = Runtime();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!r.defaultIconBig)
        r.defaultIconBig = static_cast<HICON>(
            LoadImageA(instance, kDefaultIconResource, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                       GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    if (!r.defaultIconSmall)
        r.defaultIconSmall = static_cast<HICON>(
            LoadImageA(instance, kDefaultIconResource, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

// The program's icon at the size of two metrics for a screen of that scale.
HICON DefaultIconAt(int widthMetric, int heightMetric, DisplayScale scale) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleW(nullptr), kDefaultIconResource,
                                         IMAGE_ICON, SystemMetricAt(widthMetric, scale),
                                         SystemMetricAt(heightMetric, scale), LR_DEFAULTCOLOR));
}

HICON SizedCopy(HICON icon, int widthMetric, int heightMetric, DisplayScale scale) {
    return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, SystemMetricAt(widthMetric, scale),
                                        SystemMetricAt(heightMetric, scale), 0));
}

UniqueGdi<HRGN> RegionOf(const ShapePart& part) {
    switch (part.kind) {
        case ShapePart::Kind::kEllipse:
            return UniqueGdi<HRGN>(CreateEllipticRgn(part.left, part.top, part.right, part.bottom));
        case ShapePart::Kind::kRoundRect:
            return UniqueGdi<HRGN>(CreateRoundRectRgn(part.left, part.top, part.right, part.bottom,
                                                      part.cornerWidth, part.cornerHeight));
        case ShapePart::Kind::kPolygon: {
            std::vector<POINT> points;
            for (const ShapePoint& p : part.points)
                points.push_back({p.x, p.y});
            return UniqueGdi<HRGN>(
                CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
        }
    }
    return UniqueGdi<HRGN>();
}

// The union of the parts; null when a part could not be made.
UniqueGdi<HRGN> RegionOf(const std::vector<ShapePart>& parts) {
    UniqueGdi<HRGN> whole;
    for (const ShapePart& part : parts) {
        UniqueGdi<HRGN> piece = RegionOf(part);
        if (!piece)
            return UniqueGdi<HRGN>();
        if (!whole) {
            whole = std::move(piece);
        } else if (CombineRgn(whole.get(), whole.get(), piece.get(), RGN_OR) == ERROR) {
            return UniqueGdi<HRGN>();
        }
    }
    return whole;
}

void SetTopmost(HWND hwnd, bool topmost) {
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
    return WithOutOfMemoryError([&] {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
    });
}

}  // namespace

WindowLook WindowControl::Look() const {
    WindowLook look;
    look.border = props_.border;
    look.hasTitle = !props_.title.empty();
    look.controlBox = props_.controlBox == 1;
    look.maxButton = props_.maxButton == 1;
    look.minButton = props_.minButton == 1;
    return look;
}

bool WindowControl::CreateTopLevel(const CreateParams& p) {
    const std::wstring className =
        WideFromGbk(props_.className.empty() ? kDefaultClassName : props_.className);
    const ClassRoute route = PrepareClass(className);
    if (route == ClassRoute::kNone)
        return false;

    int x = p.left, y = p.top;
    if (props_.startPosition == 1) {
        x = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), p.width);
        y = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), p.height);
    }
    // Windows that must not have a taskbar button of their own belong to the
    // runtime's hidden tool window.
    HWND owner = p.owner;
    if (!owner && (p.modal || props_.showInTaskbar != 1))
        owner = Runtime().hiddenWindow;
    const WindowStyleBits styles =
        CreationStyles(Look(), props_.startPosition, p.owner != nullptr, p.extraStyles);
    if (styles.style & WS_MINIMIZE) {
        initialShow_ = SW_SHOWMINIMIZED;
    } else if (styles.style & WS_MAXIMIZE) {
        initialShow_ = SW_SHOWMAXIMIZED;
    }
    const std::wstring title = WideFromGbk(props_.title);
    if (route == ClassRoute::kOwn) {
        CreateOwnWindow(styles.exStyle, className.c_str(), title, styles.style, x, y, p.width,
                        p.height, owner, nullptr);
    } else if (HWND h = CreateWindowExW(styles.exStyle, className.c_str(), title.c_str(),
                                        styles.style, x, y, p.width, p.height, owner, nullptr,
                                        GetModuleHandleW(nullptr), nullptr)) {
        Subclass(h);
    }
    HWND h = hwnd();
    if (!h)
        return false;

    // Windows may have sized it otherwise (minimum tracking size). A minimised or
    // maximised window keeps the stored rectangle as its normal placement.
    RECT r;
    GetWindowRect(h, &r);
    if (!IsIconic(h) && !IsZoomed(h) &&
        (r.right - r.left != p.width || r.bottom - r.top != p.height))
        MoveWindow(h, x, y, p.width, p.height, TRUE);
    // Windows gives every overlapped window a caption; the window's own say goes.
    ApplyCaptionStyles();
    ApplyIcons();
    ApplyShape();
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (props_.alwaysOnTop == 1)
        SetTopmost(h, true);
    if (props_.movable != 1)
        ApplySystemMenu();
    LoadBackPicture();
    return true;
}

void WindowControl::ApplyCaptionStyles() {
    HWND h = hwnd();
    const auto style = static_cast<uint32_t>(GetWindowLongW(h, GWL_STYLE));
    const uint32_t wanted = WithCaptionStyles(style, Look());
    if (wanted == style)
        return;  // the frame stays as it is
    SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(wanted));
    RedrawFrame(h);
}

void WindowControl::ApplyFrameStyles() {
    HWND h = hwnd();
    WindowStyleBits current{static_cast<uint32_t>(GetWindowLongW(h, GWL_STYLE)),
                            static_cast<uint32_t>(GetWindowLongW(h, GWL_EXSTYLE))};
    const WindowStyleBits wanted = WithFrameStyles(current, Look());
    SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(wanted.style));
    SetWindowLongW(h, GWL_EXSTYLE, static_cast<LONG>(wanted.exStyle));
    RedrawFrame(h);
}

// Icons made from Icon belong to the window; data that holds no icon (or cursor)
// image leaves the window with the program's default icons: the shared ones on a
// screen of the system's scale, its own at the sizes of another screen's.
void WindowControl::ApplyIcons() {
    UniqueIcon big, small;
    const DisplayScale s = scale();
    if (!props_.icon.empty()) {
        StillPicture picture;
        DecodeStillPicture(reinterpret_cast<const uint8_t*>(props_.icon.data()), props_.icon.size(),
                           picture);
        if (picture.icon) {
            big.reset(SizedCopy(picture.icon.get(), SM_CXICON, SM_CYICON, s));
            small.reset(SizedCopy(picture.icon.get(), SM_CXSMICON, SM_CYSMICON, s));
        }
    }
    if ((!big || !small) && s.dpi != SystemScale().dpi) {
        big.reset(DefaultIconAt(SM_CXICON, SM_CYICON, s));
        small.reset(DefaultIconAt(SM_CXSMICON, SM_CYSMICON, s));
    }
    if (!big || !small) {
        big.reset();
        small.reset();
        EnsureDefaultIcons();
    }
    HWND h = hwnd();
    const RuntimeState& r = Runtime();
    SendMessageW(h, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(big ? big.get() : r.defaultIconBig));
    SendMessageW(h, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(small ? small.get() : r.defaultIconSmall));
    // The replaced icons go only now that the window no longer shows them.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

// The region follows the window's size; a window region belongs to Windows once set.
void WindowControl::ApplyShape() {
    HWND h = hwnd();
    RECT r;
    GetWindowRect(h, &r);
    regionWidth_ = r.right - r.left;
    regionHeight_ = r.bottom - r.top;
    const std::vector<ShapePart> parts =
        WindowShapeParts(props_.shape, regionWidth_, regionHeight_);
    if (parts.empty()) {
        RECT box;
        if (GetWindowRgnBox(h, &box) != ERROR)  // only a region set before goes
            SetWindowRgn(h, nullptr, TRUE);
        return;
    }
    UniqueGdi<HRGN> region = RegionOf(parts);
    if (region && SetWindowRgn(h, region.get(), TRUE))
        region.release();
}

// A window that stops being topmost may take its owned windows with it: every other
// window that wants to be on top is put there again, the lowest first, so that they
// keep their order among themselves.
void WindowControl::ApplyTopmost() {
    HWND h = hwnd();
    SetTopmost(h, props_.alwaysOnTop == 1);
    if (props_.alwaysOnTop == 1)
        return;
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (*it == h)
            continue;
        auto* other = dynamic_cast<WindowControl*>(Control::FromWindow(*it));
        if (other && other->alwaysOnTop())
            SetTopmost(*it, true);
    }
}

void WindowControl::ApplySystemMenu() {
    HWND h = hwnd();
    GetSystemMenu(h, TRUE);  // back to the standard menu
    if (props_.movable == 1)
        return;
    if (HMENU menu = GetSystemMenu(h, FALSE))
        DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
}

// A write of StartPosition acts at once only on a visible window.
void WindowControl::ApplyStartPosition() {
    HWND h = hwnd();
    if (!IsWindowVisible(h))
        return;
    switch (props_.startPosition) {
        case 0:
            ShowWindow(h, SW_SHOWNORMAL);
            break;
        case 1: {
            if (IsIconic(h) || IsZoomed(h))
                ShowWindow(h, SW_RESTORE);
            RECT r;
            GetWindowRect(h, &r);
            const int x = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), r.right - r.left);
            const int y = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), r.bottom - r.top);
            if (x != r.left || y != r.top)
                SetWindowPos(h, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case 2:
            ShowWindow(h, SW_MINIMIZE);
            break;
        case 3:
            ShowWindow(h, SW_MAXIMIZE);
            break;
        default:
            break;
    }
}

void WindowControl::LoadBackPicture() {
    backPicture_ = StillPicture();
    DecodeStillPicture(reinterpret_cast<const uint8_t*>(props_.backPicture.data()),
                       props_.backPicture.size(), backPicture_);
}

}  // namespace velmora

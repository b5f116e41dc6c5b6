#include "ui/controls/edit_box_spin_win.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/controls/control_drawing_win.h"
#include "ui/loader/display_scale_win.h"

namespace velmora {

namespace {

bool StaticEdge(int32_t border) {
    return border == 0 || border == 1 || border == 3;
}

}  // namespace

EditBoxSpin::~EditBoxSpin() {
    Destroy();
}

bool EditBoxSpin::Create(HWND box, int32_t border, int32_t spinMin, int32_t spinMax) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    box_ = box;
    const RECT r = PlacedRect(box);
    hwnd_ =
        CreateWindowExW(StaticEdge(border) ? WS_EX_STATICEDGE : 0, UPDOWN_CLASSW, nullptr,
                        WS_CHILD | WS_CLIPSIBLINGS, r.right, r.top,
                        ScaleOfWindow(box).ToDevice(kSpinWidth), r.bottom - r.top, GetParent(box),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(box) + 4)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_)
        return false;
    SetRange(spinMin, spinMax);
    FollowBox();
    return true;
}

void EditBoxSpin::Destroy() {
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void EditBoxSpin::SetRange(int32_t spinMin, int32_t spinMax) {
    if (!hwnd_)
        return;
    const auto lower = static_cast<uint16_t>(std::min(spinMin, spinMax));
    const auto upper = static_cast<uint16_t>(std::max(spinMin, spinMax));
    SendMessageW(hwnd_, UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
    Recentre();
}

void EditBoxSpin::Recentre() {
    if (!hwnd_)
        return;
    int32_t lowest = 0, highest = 0;
    GetRange(lowest, highest);
    SendMessageW(hwnd_, UDM_SETPOS32, 0, (lowest + highest) / 2);
}

void EditBoxSpin::GetRange(int32_t& lowest, int32_t& highest) const {
    const auto range = static_cast<DWORD>(SendMessageW(hwnd_, UDM_GETRANGE, 0, 0));
    lowest = static_cast<int16_t>(HIWORD(range));
    highest = static_cast<int16_t>(LOWORD(range));
}

void EditBoxSpin::SetEdge(int32_t border) {
    if (!hwnd_)
        return;
    LONG ex = GetWindowLongW(hwnd_, GWL_EXSTYLE);
    ex = StaticEdge(border) ? (ex | WS_EX_STATICEDGE) : (ex & ~WS_EX_STATICEDGE);
    SetWindowLongW(hwnd_, GWL_EXSTYLE, ex);
    RedrawFrame(hwnd_);
}

void EditBoxSpin::FollowBox() {
    if (box_)
        FollowBox((GetWindowLongW(box_, GWL_STYLE) & WS_VISIBLE) != 0);
}

void EditBoxSpin::FollowBox(bool visible) {
    if (!hwnd_ || !IsWindow(box_))
        return;
    const RECT r = PlacedRect(box_);
    const int width = ScaleOfWindow(box_).ToDevice(kSpinWidth);
    // The arrows move only when they are not where the box wants them: a new frame
    // or a style of the box alone leaves them as they are.
    const RECT now = PlacedRect(hwnd_);
    const bool inPlace = now.left == r.right && now.top == r.top && now.right - now.left == width &&
                         now.bottom - now.top == r.bottom - r.top &&
                         GetWindow(hwnd_, GW_HWNDPREV) == box_ &&
                         ((GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0) == visible;
    if (!inPlace)
        SetWindowPos(hwnd_, box_, r.right, r.top, width, r.bottom - r.top,
                     SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    const bool enabled = IsWindowEnabled(box_) != FALSE;
    if ((IsWindowEnabled(hwnd_) != FALSE) != enabled)
        EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

}  // namespace velmora

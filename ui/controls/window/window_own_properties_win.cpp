// The `window`'s own properties: reads, writes with their clamps and effects, and
// the stored form. The window is never re-created, so no write asks for it.
#include <windows.h>

#include "runtime/wide_text.h"
#include "ui/controls/own_access.h"
#include "ui/controls/window/window_control_win.h"

namespace velmora {

void WindowControl::ClampChoices(WindowProperties& p) {
    ClampOwnFields(kWindowLayout, p);
}

bool WindowControl::ReadOwnProperty(int number, RawValue& out) {
    return ReadOwnField(kWindowLayout, props_, number, out);
}

WriteOutcome WindowControl::WriteOwnProperty(int number, const RawValue& value) {
    if (!hwnd())
        return WriteOutcome::kStored;
    const OwnField<WindowProperties>* field = StoreOwnField(kWindowLayout, props_, number, value);
    if (!field)
        return WriteOutcome::kStored;
    HWND h = hwnd();
    switch (static_cast<WindowWrite>(field->step)) {
        case WindowWrite::kRepaint:
            InvalidateRect(h, nullptr, FALSE);
            break;
        case WindowWrite::kStoreOnly:
            break;
        case WindowWrite::kTitle:
            SetWindowTextGbk(h, props_.title);
            ApplyCaptionStyles();
            break;
        case WindowWrite::kCaptionStyles:
            ApplyCaptionStyles();
            break;
        case WindowWrite::kFrameStyles:
            ApplyFrameStyles();
            break;
        case WindowWrite::kBackPicture:
            LoadBackPicture();
            InvalidateRect(h, nullptr, FALSE);
            break;
        case WindowWrite::kStartPosition:
            ApplyStartPosition();
            break;
        case WindowWrite::kSystemMenu:
            ApplySystemMenu();
            break;
        case WindowWrite::kIcon:
            ApplyIcons();
            break;
        case WindowWrite::kShape:
            ApplyShape();
            break;
        case WindowWrite::kTopmost:
            ApplyTopmost();
            break;
    }
    return WriteOutcome::kStored;
}

std::string WindowControl::SaveOwnProperties() const {
    return EncodeWindowProperties(props_);
}

}  // namespace velmora

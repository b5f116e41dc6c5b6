// What the `window` does once one of its own properties is written. The window is
// never re-created, so no write asks for it.
#include <windows.h>

#include "runtime/wide_text.h"
#include "ui/controls/own_access.h"
#include "ui/controls/window/window_control_win.h"

namespace velmora {

WriteOutcome WindowControl::AfterWrite(uint8_t step) {
    HWND h = hwnd();
    switch (static_cast<WindowWrite>(step)) {
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

}  // namespace velmora

// The `window`'s own properties: reads, writes with their clamps and effects, and
// the stored form. The window is never re-created, so no write asks for it.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "runtime/wide_text.h"
#include "ui/controls/window_control_win.h"
#include "ui/controls/window_shapes.h"

namespace velmora {

namespace {

using P = WindowProperties;

// What a write does after storing the value.
enum class Effect {
    kRepaint,
    kStoreOnly,      // consulted when needed
    kTitle,          // window text, then the caption styles
    kCaptionStyles,  // ControlBox, MaxButton, MinButton
    kFrameStyles,    // Border
    kBackPicture,
    kStartPosition,
    kSystemMenu,
    kIcon,
    kShape,
    kTopmost,
};

struct OwnRow {
    int number;  // global index - 8
    int32_t P::*i32;
    uint32_t P::*u32;
    std::string P::*bytes;
    bool clamped;  // a choice: written values are clamped to low..high
    int32_t low, high;
    Effect effect;
};

constexpr OwnRow Int(int number, int32_t P::*member, Effect effect) {
    return {number, member, nullptr, nullptr, false, 0, 0, effect};
}
constexpr OwnRow Choice(int number, int32_t P::*member, Effect effect, int32_t low, int32_t high) {
    return {number, member, nullptr, nullptr, true, low, high, effect};
}
constexpr OwnRow Colour(int number, uint32_t P::*member, Effect effect) {
    return {number, nullptr, member, nullptr, false, 0, 0, effect};
}
constexpr OwnRow Bytes(int number, std::string P::*member, Effect effect) {
    return {number, nullptr, nullptr, member, false, 0, 0, effect};
}

constexpr OwnRow kRows[] = {
    Bytes(0, &P::title, Effect::kTitle),
    Choice(1, &P::border, Effect::kFrameStyles, 0, 6),
    Colour(2, &P::backColor, Effect::kRepaint),
    Bytes(3, &P::backPicture, Effect::kBackPicture),
    Choice(4, &P::pictureMode, Effect::kRepaint, 0, 3),
    Bytes(5, &P::music, Effect::kRepaint),
    Choice(6, &P::musicPlayCount, Effect::kRepaint, 0, 2),
    Int(7, &P::controlBox, Effect::kCaptionStyles),
    Int(8, &P::maxButton, Effect::kCaptionStyles),
    Int(9, &P::minButton, Effect::kCaptionStyles),
    Choice(10, &P::startPosition, Effect::kStartPosition, 0, 3),
    Int(11, &P::movable, Effect::kSystemMenu),
    Bytes(12, &P::icon, Effect::kIcon),
    Int(13, &P::enterMovesFocus, Effect::kStoreOnly),
    Int(14, &P::escCloses, Effect::kStoreOnly),
    Int(15, &P::f1Help, Effect::kStoreOnly),
    Bytes(16, &P::helpFile, Effect::kStoreOnly),
    Int(17, &P::helpContext, Effect::kStoreOnly),
    Int(18, &P::showInTaskbar, Effect::kStoreOnly),
    Int(19, &P::freeMove, Effect::kStoreOnly),
    Choice(20, &P::shape, Effect::kShape, 0, kLastWindowShape),
    Int(21, &P::alwaysOnTop, Effect::kTopmost),
    Int(22, &P::keepTitleActive, Effect::kStoreOnly),
    Bytes(23, &P::className, Effect::kStoreOnly),
};

const OwnRow* FindRow(int number) {
    const auto it = std::find_if(std::begin(kRows), std::end(kRows),
                                 [number](const OwnRow& r) { return r.number == number; });
    return it == std::end(kRows) ? nullptr : it;
}

}  // namespace

void WindowControl::ClampChoices(WindowProperties& p) {
    for (const OwnRow& row : kRows) {
        if (row.clamped)
            p.*row.i32 = std::clamp(p.*row.i32, row.low, row.high);
    }
}

bool WindowControl::ReadOwnProperty(int number, RawValue& out) {
    const OwnRow* row = FindRow(number);
    if (!row)
        return false;
    if (row->bytes) {
        out.bytes = props_.*row->bytes;
    } else if (row->u32) {
        out.number = props_.*row->u32;
    } else {
        out.number = static_cast<uint32_t>(props_.*row->i32);
    }
    return true;
}

int WindowControl::WriteOwnProperty(int number, const RawValue& value) {
    const OwnRow* row = FindRow(number);
    if (!row || !hwnd())
        return 0;
    if (row->bytes) {
        props_.*row->bytes = value.bytes;
    } else if (row->u32) {
        props_.*row->u32 = static_cast<uint32_t>(value.number);
    } else {
        auto v = static_cast<int32_t>(value.number);
        if (row->clamped)
            v = std::clamp(v, row->low, row->high);
        props_.*row->i32 = v;
    }
    HWND h = hwnd();
    switch (row->effect) {
        case Effect::kRepaint:
            InvalidateRect(h, nullptr, FALSE);
            break;
        case Effect::kStoreOnly:
            break;
        case Effect::kTitle:
            SetWindowTextGbk(h, props_.title);
            ApplyCaptionStyles();
            break;
        case Effect::kCaptionStyles:
            ApplyCaptionStyles();
            break;
        case Effect::kFrameStyles:
            ApplyFrameStyles();
            break;
        case Effect::kBackPicture:
            LoadBackPicture();
            InvalidateRect(h, nullptr, FALSE);
            break;
        case Effect::kStartPosition:
            ApplyStartPosition();
            break;
        case Effect::kSystemMenu:
            ApplySystemMenu();
            break;
        case Effect::kIcon:
            ApplyIcons();
            break;
        case Effect::kShape:
            ApplyShape();
            break;
        case Effect::kTopmost:
            ApplyTopmost();
            break;
    }
    return 0;
}

std::string WindowControl::SaveOwnProperties() const {
    return EncodeWindowProperties(props_);
}

}  // namespace velmora

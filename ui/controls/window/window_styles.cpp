#include "ui/controls/window/window_styles.h"

namespace velmora {

namespace {
constexpr uint32_t kCaptionMask = kWsCaption | kWsSysMenu | kWsMinimizeBox | kWsMaximizeBox;
}  // namespace

WindowStyleBits FrameStyles(const WindowLook& look) {
    WindowStyleBits bits;
    if (look.border != kBorderNone) {
        if (look.hasTitle || look.controlBox)
            bits.style |= kWsCaption;
        if (look.controlBox)
            bits.style |= kWsSysMenu;
        bits.style |= kWsDlgFrame;
    }
    switch (look.border) {
        case kBorderSizable:
            bits.style |= kWsThickFrame;
            break;
        case kBorderSizableTool:
            bits.style |= kWsThickFrame;
            bits.exStyle |= kWsExToolWindow;
            break;
        case kBorderFixedTool:
            bits.exStyle |= kWsExToolWindow;
            break;
        case kBorderSizableSunken:
            bits.style |= kWsThickFrame;
            bits.exStyle |= kWsExClientEdge;
            break;
        case kBorderFixedSunken:
            bits.exStyle |= kWsExClientEdge;
            break;
        default:
            break;
    }
    if (look.maxButton)
        bits.style |= kWsMaximizeBox;
    if (look.minButton)
        bits.style |= kWsMinimizeBox;
    return bits;
}

WindowStyleBits FrameStyleMask() {
    return {kCaptionMask | kWsThickFrame, kWsExToolWindow | kWsExClientEdge};
}

WindowStyleBits CreationStyles(const WindowLook& look, int32_t startPosition, bool popup,
                               uint32_t extraStyles) {
    WindowStyleBits bits = FrameStyles(look);
    bits.style |= kWsClipChildren | extraStyles;
    if (popup)
        bits.style |= kWsPopup;
    if (startPosition == 2)
        bits.style |= kWsMinimize;
    if (startPosition == 3 && (bits.style & kWsThickFrame))
        bits.style |= kWsMaximize;
    return bits;
}

uint32_t WithCaptionStyles(uint32_t style, const WindowLook& look) {
    return (style & ~kCaptionMask) | (FrameStyles(look).style & kCaptionMask);
}

WindowStyleBits WithFrameStyles(WindowStyleBits current, const WindowLook& look) {
    const WindowStyleBits mask = FrameStyleMask();
    const WindowStyleBits frame = FrameStyles(look);
    return {(current.style & ~mask.style) | frame.style,
            (current.exStyle & ~mask.exStyle) | frame.exStyle};
}

int32_t CentredOrigin(int32_t screen, int32_t size) {
    // In 64 bits: a stored size may be any 32-bit value.
    return static_cast<int32_t>((static_cast<int64_t>(screen) - size) / 2);
}

}  // namespace velmora

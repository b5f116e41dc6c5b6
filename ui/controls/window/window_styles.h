#pragma once
// The Windows styles of a `window` from its own properties, and where a centred
// window goes. Portable: the style values are spelled out.

#include <cstdint>

namespace velmora {

// The style bits used here (the Windows values).
constexpr uint32_t kWsPopup = 0x80000000;
constexpr uint32_t kWsMinimize = 0x20000000;
constexpr uint32_t kWsClipChildren = 0x02000000;
constexpr uint32_t kWsMaximize = 0x01000000;
constexpr uint32_t kWsCaption = 0x00C00000;  // WS_BORDER | WS_DLGFRAME
constexpr uint32_t kWsDlgFrame = 0x00400000;
constexpr uint32_t kWsSysMenu = 0x00080000;
constexpr uint32_t kWsThickFrame = 0x00040000;
constexpr uint32_t kWsMinimizeBox = 0x00020000;
constexpr uint32_t kWsMaximizeBox = 0x00010000;
constexpr uint32_t kWsExToolWindow = 0x00000080;
constexpr uint32_t kWsExClientEdge = 0x00000200;

// A window's Border: no frame (and no caption), or a sizable or fixed frame, plain,
// as a tool window or with a sunken client edge.
enum WindowBorder : int32_t {
    kBorderNone = 0,
    kBorderSizable = 1,
    kBorderFixed = 2,
    kBorderSizableTool = 3,
    kBorderFixedTool = 4,
    kBorderSizableSunken = 5,
    kBorderFixedSunken = 6,
};

// What the frame of a window depends on.
struct WindowLook {
    int32_t border = kBorderFixed;  // a WindowBorder
    bool hasTitle = false;
    bool controlBox = true;
    bool maxButton = false;
    bool minButton = false;
};

struct WindowStyleBits {
    uint32_t style = 0;
    uint32_t exStyle = 0;
};

// The frame: caption, system menu, dialog and sizing frames, minimise and maximise
// boxes, the tool-window and client-edge extended styles. Border 0 has no frame and
// no caption; 1 sizable; 2 fixed; 3 sizable tool window; 4 fixed tool window; 5
// sizable with a sunken client edge; 6 fixed with a sunken client edge.
WindowStyleBits FrameStyles(const WindowLook& look);
// Every bit FrameStyles may set.
WindowStyleBits FrameStyleMask();

// The styles a window is created with: the frame, WS_CLIPCHILDREN, the loader's
// extra styles, WS_POPUP for a window with an owner, WS_MINIMIZE for StartPosition
// 2 and WS_MAXIMIZE for StartPosition 3 when the frame is sizable.
WindowStyleBits CreationStyles(const WindowLook& look, int32_t startPosition, bool popup,
                               uint32_t extraStyles);

// The caption bits (WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX) of
// `style` set as the look says; no other bit is touched.
uint32_t WithCaptionStyles(uint32_t style, const WindowLook& look);
// Every frame bit of `current` set as the look says; no other bit is touched.
WindowStyleBits WithFrameStyles(WindowStyleBits current, const WindowLook& look);

// The left (or top) of a window of `size` centred on a screen of `screen` pixels:
// (screen - size) / 2, truncated toward zero.
int32_t CentredOrigin(int32_t screen, int32_t size);

}  // namespace velmora

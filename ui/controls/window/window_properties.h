#pragma once
// Own properties of the `window` (type code 0x00010001). Block, highest version 6:
//   u32 version, i32 Border, i32 PictureMode, u32 BackColor, i32 MaxButton,
//   i32 MinButton, i32 ControlBox, i32 StartPosition, i32 Movable,
//   i32 MusicPlayCount, i32 EnterMovesFocus, i32 EscCloses, i32 F1Help,
//   i32 HelpContext,
//   i32 ShowInTaskbar (from version 2), i32 FreeMove, i32 Shape (from 3),
//   i32 AlwaysOnTop (from 4), i32 KeepTitleActive (from 5), text ClassName (6),
//   bytes BackPicture, bytes Icon, bytes Music, text Title, text HelpFile

#include <tuple>

#include "ui/controls/own_data.h"

namespace velmora {

// Global indexes of the window's own properties.
enum WindowProperty : int32_t {
    kWindowTitle = 8,
    kWindowBorder = 9,
    kWindowBackColor = 10,
    kWindowBackPicture = 11,
    kWindowPictureMode = 12,
    kWindowMusic = 13,
    kWindowMusicPlayCount = 14,
    kWindowControlBox = 15,
    kWindowMaxButton = 16,
    kWindowMinButton = 17,
    kWindowStartPosition = 18,
    kWindowMovable = 19,
    kWindowIcon = 20,
    kWindowEnterMovesFocus = 21,
    kWindowEscCloses = 22,
    kWindowF1Help = 23,
    kWindowHelpFile = 24,
    kWindowHelpContext = 25,
    kWindowShowInTaskbar = 26,
    kWindowFreeMove = 27,
    kWindowShape = 28,
    kWindowAlwaysOnTop = 29,
    kWindowKeepTitleActive = 30,
    kWindowClassName = 31,
};

// What the live window does once a written value is stored.
enum class WindowWrite : uint8_t {
    kStoreOnly,  // consulted when needed
    kRepaint,
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

struct WindowProperties {
    int32_t border = 2;
    int32_t pictureMode = 1;
    uint32_t backColor = kSystemDefaultColour;
    int32_t maxButton = 0;
    int32_t minButton = 0;
    int32_t controlBox = 1;
    int32_t startPosition = 1;
    int32_t movable = 1;
    int32_t musicPlayCount = 0;
    int32_t enterMovesFocus = 0;
    int32_t escCloses = 1;
    int32_t f1Help = 0;
    int32_t helpContext = 0;
    int32_t showInTaskbar = 1;
    int32_t freeMove = 0;
    int32_t shape = 0;
    int32_t alwaysOnTop = 0;
    int32_t keepTitleActive = 0;
    std::string className;
    std::string backPicture;
    std::string icon;
    std::string music;
    std::string title;
    std::string helpFile;

    auto Tie() const {
        return std::tie(border, pictureMode, backColor, maxButton, minButton, controlBox,
                        startPosition, movable, musicPlayCount, enterMovesFocus, escCloses, f1Help,
                        helpContext, showInTaskbar, freeMove, shape, alwaysOnTop, keepTitleActive,
                        className, backPicture, icon, music, title, helpFile);
    }
};
inline bool operator==(const WindowProperties& a, const WindowProperties& b) {
    return a.Tie() == b.Tie();
}

constexpr uint32_t kWindowHighestVersion = 6;
extern const PropertyTable kWindowPropertyTable;
// The block's fields, with the bounds of the choices and the step of each write.
extern const OwnLayout<WindowProperties> kWindowLayout;

}  // namespace velmora

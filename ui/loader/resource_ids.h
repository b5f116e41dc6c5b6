#pragma once
// The program's own resources, shared by app/velmora.rc.in and the code that loads
// them. Plain macros, since the resource compiler reads this file as well.
//
//   "DEFAULT_ICON"            icon of every window without an Icon of its own
//   VELMORA_HAND_CURSOR_ID    the hyperlink box's pointing hand (cursor)
// (The description set is the RCDATA resource "WINDOW_DESCRIPTIONS".)

#define VELMORA_DEFAULT_ICON_NAME "DEFAULT_ICON"
#define VELMORA_HAND_CURSOR_ID 101

#ifndef RC_INVOKED
namespace velmora {
inline constexpr char kDefaultIconResource[] = VELMORA_DEFAULT_ICON_NAME;
constexpr int kHandCursorResource = VELMORA_HAND_CURSOR_ID;
}  // namespace velmora
#endif

#pragma once
// The gallery's one window, written as readable source like the program's own:
// every control type in several settings, so that newcomers and reviewers can see
// them. velmora-tool build-gallery compiles it into the description set that
// velmora-gallery.exe embeds.

#include <cstdint>
#include <string>

#include "ui/loader/description_set.h"

namespace velmora::gallery {

constexpr uint32_t kWindowId = 0x52010101;
constexpr uint32_t kOwnUnit = 0x06010100;
constexpr uint32_t kTickTimer = 0x16010140;
constexpr uint32_t kTickCountLabel = 0x16010141;

// The stored reference of the gallery's one handler: the timer's tick.
constexpr uint32_t kTickHandlerRef = 0x00000100;

// A balloon tip box and three labels whose tips show markup: a table, colours and
// entities. The window's created event adds the tips.
constexpr uint32_t kTipBox = 0x16010150;
constexpr uint32_t kTableTipLabel = 0x16010151;
constexpr uint32_t kColourTipLabel = 0x16010152;
constexpr uint32_t kEntityTipLabel = 0x16010153;
constexpr uint32_t kAddTipsHandlerRef = 0x00000101;
inline constexpr char kTableTip[] =
    "<table border=1 cellpadding=3 bgcolor=#ffffff><tr><td colspan=2 align=center "
    "bgcolor=#ffcc66><b>Balloon tip box</b></td></tr><tr><td>Type</td><td>Q_tip "
    "(气球提示框)</td></tr><tr><td>Code</td><td>0x00020001</td></tr></table>";
inline constexpr char kColourTip[] =
    "<font color=red>red</font>, <font color=#008000>green</font> and "
    "<span style='color: blue; font-weight: bold'>bold blue</span>\n"
    "<font color=white bkgnd=navy> white on navy </font> <i>italic</i> <u>underlined</u>";
inline constexpr char kEntityTip[] =
    "<h3>Entities</h3>&lt;b&gt; is written &amp;lt;b&amp;gt;\n"
    "&copy; 2026 Velmora&reg; &trade;&emsp;&quot;quoted&quot;";

// The pictures it shows; the JPEG comes from a file (we have no JPEG writer).
struct Pictures {
    std::string bmp, ico, pcx, jpeg, gif;
};
Pictures MakePictures(const std::string& jpeg);

DescriptionSet Descriptions(const Pictures& pictures);

}  // namespace velmora::gallery

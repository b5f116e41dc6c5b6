#pragma once
// Own properties of the balloon tip box `Q_tip` (type code 0x00020001). Block:
//   u32 version (written 1; any value is accepted on reading)
//   3 * u32 reserved (0)
//   u32 ReservedColor, BackColorBegin, BackColorMiddle, BackColorEnd
//   i32 BackEffect, EffectGranularity, Placement, Transparency
//   i32 ShowAgainOnMove, FollowMouse, KeepWhileInside
//   u32 keep-open flag: the negation of CloseOverTip
//   i32 NoAutoHide
//   3 * u32 reserved (0)
//   bytes IconList, bytes MarkupImageList
//   i32 CornerWidth, CornerHeight, MarginX, MarginY, PointerWidth, PointerHeight,
//       PointerMargin, ReservedSize7, ReservedSize8
//   i32 InitialDelay, ShowTime, FadeInStep, FadeOutStep
//   u32 BorderColor, i32 BorderWidth, BorderHeight
//   i32 ShadowGradient, ShadowDarkness, ShadowOffsetX, ShadowOffsetY,
//       ShadowDepthX, ShadowDepthY
//   bytes StyleSheet (text with its terminating zero byte)
//
// The box has property indexes 0-78; the own indexes without a row in its table
// carry no value at run time.

#include <tuple>

#include "ui/controls/own_data.h"
#include "ui/markup/default_style_sheet.h"

namespace velmora {

// Global indexes of the box's run-time properties.
enum QTipProperty : int32_t {
    kQTipReservedColor = 12,
    kQTipBackColorBegin = 13,
    kQTipBackColorMiddle = 14,
    kQTipBackColorEnd = 15,
    kQTipBackEffect = 16,
    kQTipEffectGranularity = 17,
    kQTipPlacement = 18,
    kQTipTransparency = 19,
    kQTipIconList = 22,
    kQTipMarkupImageList = 23,
    kQTipStyleSheet = 26,
    kQTipShowAgainOnMove = 42,
    kQTipFollowMouse = 43,
    kQTipKeepWhileInside = 44,
    kQTipCloseOverTip = 45,
    kQTipNoAutoHide = 46,
    kQTipCornerWidth = 50,
    kQTipCornerHeight = 51,
    kQTipMarginX = 52,
    kQTipMarginY = 53,
    kQTipPointerWidth = 54,
    kQTipPointerHeight = 55,
    kQTipPointerMargin = 56,
    kQTipReservedSize7 = 57,
    kQTipReservedSize8 = 58,
    kQTipInitialDelay = 60,
    kQTipShowTime = 61,
    kQTipFadeInStep = 62,
    kQTipFadeOutStep = 63,
    kQTipBorderColor = 66,
    kQTipBorderWidth = 67,
    kQTipBorderHeight = 68,
    kQTipShadowGradient = 70,
    kQTipShadowDarkness = 71,
    kQTipShadowOffsetX = 72,
    kQTipShadowOffsetY = 73,
    kQTipShadowDepthX = 74,
    kQTipShadowDepthY = 75,
};

// What the live box hands its balloon once a written value is stored.
enum class QTipWrite : uint8_t {
    kStoreOnly,
    kColours,
    kEffect,
    kPlacement,  // values beyond 0-11 are kept but change nothing
    kTransparency,
    kIconList,
    kMarkupImageList,
    kStyleSheet,
    kBits,
    kSizes,
    kTimes,
    kBorder,
    kShadow,
};

// COLOR_INFOBK and COLOR_INFOTEXT of the standard Windows colour schemes.
constexpr uint32_t kStandardInfoBackgroundColour = 0x00E1FFFF;
constexpr uint32_t kStandardInfoTextColour = 0x00000000;

struct QTipProperties {
    // A new box takes the system colours; see NewQTipProperties.
    uint32_t reservedColor = kStandardInfoBackgroundColour;
    uint32_t backColorBegin = kStandardInfoBackgroundColour;
    uint32_t backColorMiddle = 0x00C0C0FF;
    uint32_t backColorEnd = 0x00FFC0C0;
    int32_t backEffect = 0;
    int32_t effectGranularity = 5;
    int32_t placement = 9;
    int32_t transparency = 10;
    std::string iconList;
    std::string markupImageList;
    std::string styleSheet =
        std::string(kDefaultStyleSheet, kDefaultStyleSheetLength + 1);  // with its zero
    int32_t showAgainOnMove = 1;
    int32_t followMouse = 0;
    int32_t keepWhileInside = 0;
    int32_t closeOverTip = 1;
    int32_t noAutoHide = 0;
    int32_t cornerWidth = 16;
    int32_t cornerHeight = 16;
    int32_t marginX = 12;
    int32_t marginY = 12;
    int32_t pointerWidth = 12;
    int32_t pointerHeight = 16;
    int32_t pointerMargin = 16;
    int32_t reservedSize7 = 0;
    int32_t reservedSize8 = 0;
    int32_t initialDelay = 600;
    int32_t showTime = 3000;
    int32_t fadeInStep = 0;
    int32_t fadeOutStep = 0;
    uint32_t borderColor = kStandardInfoTextColour;
    int32_t borderWidth = 1;
    int32_t borderHeight = 1;
    int32_t shadowGradient = 1;
    int32_t shadowDarkness = 60;
    int32_t shadowOffsetX = 5;
    int32_t shadowOffsetY = 3;
    int32_t shadowDepthX = 7;
    int32_t shadowDepthY = 7;

    auto Tie() const {
        return std::tie(reservedColor, backColorBegin, backColorMiddle, backColorEnd, backEffect,
                        effectGranularity, placement, transparency, iconList, markupImageList,
                        styleSheet, showAgainOnMove, followMouse, keepWhileInside, closeOverTip,
                        noAutoHide, cornerWidth, cornerHeight, marginX, marginY, pointerWidth,
                        pointerHeight, pointerMargin, reservedSize7, reservedSize8, initialDelay,
                        showTime, fadeInStep, fadeOutStep, borderColor, borderWidth, borderHeight,
                        shadowGradient, shadowDarkness, shadowOffsetX, shadowOffsetY, shadowDepthX,
                        shadowDepthY);
    }
};
inline bool operator==(const QTipProperties& a, const QTipProperties& b) {
    return a.Tie() == b.Tie();
}

constexpr uint32_t kQTipWrittenVersion = 1;
extern const PropertyTable kQTipPropertyTable;
// The block's fields, with the bounds of the values and the step of each write.
extern const OwnLayout<QTipProperties> kQTipLayout;

// The values of a new box, given the system colours COLOR_INFOBK and
// COLOR_INFOTEXT (GetSysColor).
QTipProperties NewQTipProperties(uint32_t infoBackgroundColour, uint32_t infoTextColour);

}  // namespace velmora

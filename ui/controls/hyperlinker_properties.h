#pragma once
// Own properties of the hyperlink box `HyperLinker` (type code 0x0001001D).
// Block, highest version 1 (the field order differs from the property order):
//   u32 version, u32 LinkKind, u32 NormalColor, u32 VisitedColor, u32 HoverColor,
//   u32 BackColor, u32 Border, bytes Font, text Caption, text MailAddress,
//   text WebAddress

#include <tuple>

#include "ui/controls/own_data.h"

namespace velmora {

// Global indexes of the hyperlink box's own properties.
enum HyperLinkerProperty : int32_t {
    kHyperLinkerCaption = 8,
    kHyperLinkerLinkKind = 9,
    kHyperLinkerMailAddress = 10,
    kHyperLinkerWebAddress = 11,
    kHyperLinkerNormalColor = 12,
    kHyperLinkerVisitedColor = 13,
    kHyperLinkerHoverColor = 14,
    kHyperLinkerBackColor = 15,
    kHyperLinkerBorder = 16,
    kHyperLinkerFont = 17,
};

// What the live box does once a written value is stored.
enum class HyperLinkerWrite : uint8_t {
    kRepaint,
    kCaption,
    kAddress,  // shows only while there is no caption
    kBorder,   // the frame styles; nothing is repainted
};

// COLOR_HIGHLIGHT of the classic Windows colour scheme (red 10, green 36, blue 106).
constexpr uint32_t kClassicHighlightColour = 0x006A240A;

struct HyperLinkerProperties {
    std::string caption;
    int32_t linkKind = 0;  // 0 e-mail address, 1 web address
    std::string mailAddress;
    std::string webAddress;
    uint32_t normalColor = 0x00FF0000;
    uint32_t visitedColor = 0x00000080;
    // A new box takes the system highlight colour; see NewHyperLinkerProperties.
    uint32_t hoverColor = kClassicHighlightColour;
    uint32_t backColor = kSystemDefaultColour;
    int32_t border = 0;
    std::string font;

    auto Tie() const {
        return std::tie(caption, linkKind, mailAddress, webAddress, normalColor, visitedColor,
                        hoverColor, backColor, border, font);
    }
};
inline bool operator==(const HyperLinkerProperties& a, const HyperLinkerProperties& b) {
    return a.Tie() == b.Tie();
}

constexpr uint32_t kHyperLinkerHighestVersion = 1;
extern const PropertyTable kHyperLinkerPropertyTable;
// The block's fields, with the bounds of the choices and the step of each write.
extern const OwnLayout<HyperLinkerProperties> kHyperLinkerLayout;

// The values of a new box, given the system highlight colour (GetSysColor).
HyperLinkerProperties NewHyperLinkerProperties(uint32_t highlightColour);

}  // namespace velmora

#pragma once
// Own properties of the `EditBox` (type code 0x00010005). Block, highest version 2:
//   u32 version, i32 Border, u32 TextColor, u32 BackColor, i32 HideSelection,
//   i32 MaxLength, i32 Multiline, i32 ScrollBars, i32 Align, i32 InputMode,
//   u16 PasswordChar (one single-byte character in the low byte),
//   i32 CaseConversion, i32 SpinMode, i32 SpinMin, i32 SpinMax, i32 SelStart,
//   i32 SelLength, bytes Font, text Content,
//   and in version 2: text DataSource, text DataField

#include <limits>
#include <tuple>

#include "ui/controls/edit_input.h"
#include "ui/controls/own_data.h"

namespace velmora {

// Global indexes of the edit box's own properties.
enum EditBoxProperty : int32_t {
    kEditBoxContent = 8,
    kEditBoxBorder = 9,
    kEditBoxTextColor = 10,
    kEditBoxBackColor = 11,
    kEditBoxFont = 12,
    kEditBoxHideSelection = 13,
    kEditBoxMaxLength = 14,
    kEditBoxMultiline = 15,
    kEditBoxScrollBars = 16,
    kEditBoxAlign = 17,
    kEditBoxInputMode = 18,
    kEditBoxPasswordChar = 19,
    kEditBoxCaseConversion = 20,
    kEditBoxSpinMode = 21,
    kEditBoxSpinMin = 22,
    kEditBoxSpinMax = 23,
    kEditBoxSelStart = 24,
    kEditBoxSelLength = 25,
    kEditBoxSelText = 26,
    kEditBoxDataSource = 27,
    kEditBoxDataField = 28,
};

// How the spin arrows work.
enum SpinMode : int32_t {
    kSpinNone = 0,       // no arrows
    kSpinAutomatic = 1,  // the arrows step the number in the box
    kSpinEvent = 2,      // the arrows raise spin pressed
};

// What the live box does once a written value is stored. Content, PasswordChar
// and the selection are the box's own code.
enum class EditBoxWrite : uint8_t {
    kStoreOnly,
    kRepaint,
    kBorder,
    kBackColor,
    kFont,
    kMaxLength,
    kRecreateIfChanged,  // only a new window can change it
    kInputMode,
    kSpinRange,
};

struct EditBoxProperties {
    int32_t border = 1;
    uint32_t textColor = 0x000000;
    uint32_t backColor = 0xFFFFFF;
    int32_t hideSelection = 1;
    int32_t maxLength = 0;
    int32_t multiline = 0;
    int32_t scrollBars = 0;
    int32_t align = 0;
    int32_t inputMode = 0;
    uint16_t passwordChar = '*';
    int32_t caseConversion = 0;
    int32_t spinMode = 0;
    int32_t spinMin = 0;
    int32_t spinMax = 100;
    int32_t selStart = 0;
    int32_t selLength = 0;
    std::string font;
    std::string content;
    std::string dataSource;
    std::string dataField;

    auto Tie() const {
        return std::tie(border, textColor, backColor, hideSelection, maxLength, multiline,
                        scrollBars, align, inputMode, passwordChar, caseConversion, spinMode,
                        spinMin, spinMax, selStart, selLength, font, content, dataSource,
                        dataField);
    }
};
inline bool operator==(const EditBoxProperties& a, const EditBoxProperties& b) {
    return a.Tie() == b.Tie();
}

constexpr uint32_t kEditBoxHighestVersion = 2;
extern const PropertyTable kEditBoxPropertyTable;
// The block's fields, with the bounds of the choices and the step of each write.
extern const OwnLayout<EditBoxProperties> kEditBoxLayout;

}  // namespace velmora

#include "ui/controls/edit_box_properties.h"

#include "ui/controls/border_styles.h"

namespace velmora {

namespace {

constexpr PropertyInfo kRows[] = {
    {8, "Content", PropertyKind::kText},
    {9, "Border", PropertyKind::kChoice},
    {10, "TextColor", PropertyKind::kColour},
    {11, "BackColor", PropertyKind::kBackgroundColour},
    {12, "Font", PropertyKind::kFont},
    {13, "HideSelection", PropertyKind::kLogical},
    {14, "MaxLength", PropertyKind::kInteger},
    {15, "Multiline", PropertyKind::kLogical},
    {16, "ScrollBars", PropertyKind::kChoice},
    {17, "Align", PropertyKind::kChoice},
    {18, "InputMode", PropertyKind::kChoice},
    {19, "PasswordChar", PropertyKind::kText},
    {20, "CaseConversion", PropertyKind::kChoice},
    {21, "SpinMode", PropertyKind::kChoice},
    {22, "SpinMin", PropertyKind::kInteger},
    {23, "SpinMax", PropertyKind::kInteger},
    {24, "SelStart", PropertyKind::kInteger},
    {25, "SelLength", PropertyKind::kInteger},
    {26, "SelText", PropertyKind::kText},  // not stored: the live selection
    {27, "DataSource", PropertyKind::kDataSource},
    {28, "DataField", PropertyKind::kDataField},
};

using P = EditBoxProperties;
using W = EditBoxWrite;
constexpr int32_t kNoLimit = std::numeric_limits<int32_t>::max();
constexpr OwnField<P> kFields[] = {
    Field<P>(kEditBoxBorder, &P::border).Clamp(0, kLastBorder).Then(W::kBorder),
    Field<P>(kEditBoxTextColor, &P::textColor).Then(W::kRepaint),
    Field<P>(kEditBoxBackColor, &P::backColor).Then(W::kBackColor),
    Field<P>(kEditBoxHideSelection, &P::hideSelection).Then(W::kRecreateIfChanged),
    Field<P>(kEditBoxMaxLength, &P::maxLength).Clamp(0, kNoLimit).Then(W::kMaxLength),
    Field<P>(kEditBoxMultiline, &P::multiline).Then(W::kRecreateIfChanged),
    Field<P>(kEditBoxScrollBars, &P::scrollBars).Clamp(0, 3).Then(W::kRecreateIfChanged),
    Field<P>(kEditBoxAlign, &P::align).Clamp(0, 2).Then(W::kRecreateIfChanged),
    Field<P>(kEditBoxInputMode, &P::inputMode).Clamp(0, kLastInputMode).Then(W::kInputMode),
    Field<P>(kEditBoxPasswordChar, &P::passwordChar),
    Field<P>(kEditBoxCaseConversion, &P::caseConversion).Clamp(0, 2).Then(W::kRecreateIfChanged),
    Field<P>(kEditBoxSpinMode, &P::spinMode)
        .Clamp(kSpinNone, kSpinEvent)
        .Then(W::kRecreateIfChanged),
    Field<P>(kEditBoxSpinMin, &P::spinMin).Then(W::kSpinRange),
    Field<P>(kEditBoxSpinMax, &P::spinMax).Then(W::kSpinRange),
    Field<P>(kEditBoxSelStart, &P::selStart),
    Field<P>(kEditBoxSelLength, &P::selLength),
    Field<P>(kEditBoxFont, &P::font).Then(W::kFont),
    Field<P>(kEditBoxContent, &P::content),
    Field<P>(kEditBoxDataSource, &P::dataSource, 2),
    Field<P>(kEditBoxDataField, &P::dataField, 2),
};

}  // namespace

const PropertyTable kEditBoxPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kEditBoxLayout{kFields, std::size(kFields), kEditBoxHighestVersion, true,
                                  &kEditBoxPropertyTable};

}  // namespace velmora

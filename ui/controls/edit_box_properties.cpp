#include "ui/controls/edit_box_properties.h"

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
    I32Field<P>(kEditBoxBorder, &P::border).Clamp(0, 5).Then(W::kBorder),
    U32Field<P>(kEditBoxTextColor, &P::textColor).Then(W::kRepaint),
    U32Field<P>(kEditBoxBackColor, &P::backColor).Then(W::kBackColor),
    I32Field<P>(kEditBoxHideSelection, &P::hideSelection).Then(W::kRecreateIfChanged),
    I32Field<P>(kEditBoxMaxLength, &P::maxLength).Clamp(0, kNoLimit).Then(W::kMaxLength),
    I32Field<P>(kEditBoxMultiline, &P::multiline).Then(W::kRecreateIfChanged),
    I32Field<P>(kEditBoxScrollBars, &P::scrollBars).Clamp(0, 3).Then(W::kRecreateIfChanged),
    I32Field<P>(kEditBoxAlign, &P::align).Clamp(0, 2).Then(W::kRecreateIfChanged),
    I32Field<P>(kEditBoxInputMode, &P::inputMode).Clamp(0, kLastInputMode).Then(W::kInputMode),
    U16Field<P>(kEditBoxPasswordChar, &P::passwordChar),
    I32Field<P>(kEditBoxCaseConversion, &P::caseConversion).Clamp(0, 2).Then(W::kRecreateIfChanged),
    I32Field<P>(kEditBoxSpinMode, &P::spinMode)
        .Clamp(kSpinNone, kSpinEvent)
        .Then(W::kRecreateIfChanged),
    I32Field<P>(kEditBoxSpinMin, &P::spinMin).Then(W::kSpinRange),
    I32Field<P>(kEditBoxSpinMax, &P::spinMax).Then(W::kSpinRange),
    I32Field<P>(kEditBoxSelStart, &P::selStart),
    I32Field<P>(kEditBoxSelLength, &P::selLength),
    BytesField<P>(kEditBoxFont, &P::font).Then(W::kFont),
    BytesField<P>(kEditBoxContent, &P::content),
    BytesField<P>(kEditBoxDataSource, &P::dataSource, 2),
    BytesField<P>(kEditBoxDataField, &P::dataField, 2),
};

}  // namespace

const PropertyTable kEditBoxPropertyTable = MakePropertyTable(kRows);

const OwnLayout<P> kEditBoxLayout{kFields, std::size(kFields), kEditBoxHighestVersion, true,
                                  &kEditBoxPropertyTable};

OwnDataError DecodeEditBoxProperties(const uint8_t* data, size_t size, EditBoxProperties& out) {
    return DecodeOwnData(kEditBoxLayout, data, size, EditBoxProperties{}, out);
}

std::string EncodeEditBoxProperties(const EditBoxProperties& p, uint32_t version) {
    return EncodeOwnData(kEditBoxLayout, p, version);
}

std::vector<OwnPropertyValue> ListEditBoxProperties(const EditBoxProperties& p) {
    return ListOwnData(kEditBoxLayout, p);
}

}  // namespace velmora

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
constexpr OwnField<P> kFields[] = {
    I32Field<P>(9, &P::border),           U32Field<P>(10, &P::textColor),
    U32Field<P>(11, &P::backColor),       I32Field<P>(13, &P::hideSelection),
    I32Field<P>(14, &P::maxLength),       I32Field<P>(15, &P::multiline),
    I32Field<P>(16, &P::scrollBars),      I32Field<P>(17, &P::align),
    I32Field<P>(18, &P::inputMode),       U16Field<P>(19, &P::passwordChar),
    I32Field<P>(20, &P::caseConversion),  I32Field<P>(21, &P::spinMode),
    I32Field<P>(22, &P::spinMin),         I32Field<P>(23, &P::spinMax),
    I32Field<P>(24, &P::selStart),        I32Field<P>(25, &P::selLength),
    BytesField<P>(12, &P::font),          BytesField<P>(8, &P::content),
    BytesField<P>(27, &P::dataSource, 2), BytesField<P>(28, &P::dataField, 2),
};

}  // namespace

const PropertyTable kEditBoxPropertyTable = MakePropertyTable(kRows);

namespace {
const OwnLayout<P> kLayout{kFields, std::size(kFields), kEditBoxHighestVersion, true,
                           &kEditBoxPropertyTable};
}

OwnDataError DecodeEditBoxProperties(const uint8_t* data, size_t size, EditBoxProperties& out) {
    return DecodeOwnData(kLayout, data, size, EditBoxProperties{}, out);
}

std::string EncodeEditBoxProperties(const EditBoxProperties& p, uint32_t version) {
    return EncodeOwnData(kLayout, p, version);
}

std::vector<OwnPropertyValue> ListEditBoxProperties(const EditBoxProperties& p) {
    return ListOwnData(kLayout, p);
}

}  // namespace velmora

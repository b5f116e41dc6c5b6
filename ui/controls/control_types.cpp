#include "ui/controls/control_types.h"

#include "runtime/out_of_memory.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/button_properties.h"
#include "ui/controls/edit_box_properties.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/controls/timer_properties.h"
#include "ui/controls/window/window_properties.h"

namespace velmora {

namespace {

template <class P, const OwnLayout<P>& Layout>
OwnDataError ListWith(const uint8_t* data, size_t size, std::vector<OwnPropertyValue>& out) {
    P p;
    OwnDataError e = Layout.Decode(data, size, p);
    out = e == OwnDataError::kNone ? Layout.List(p) : std::vector<OwnPropertyValue>{};
    return e;
}

}  // namespace

const ControlTypeInfo kControlTypes[8] = {
    {kWindowTypeCode, "window", "窗口", &kWindowPropertyTable,
     ListWith<WindowProperties, kWindowLayout>},
    {kEditBoxTypeCode, "EditBox", "编辑框", &kEditBoxPropertyTable,
     ListWith<EditBoxProperties, kEditBoxLayout>},
    {kPicBoxTypeCode, "PicBox", "图片框", &kPicBoxPropertyTable,
     ListWith<PicBoxProperties, kPicBoxLayout>},
    {kLabelTypeCode, "Label", "标签", &kLabelPropertyTable,
     ListWith<LabelProperties, kLabelLayout>},
    {kButtonTypeCode, "Button", "按钮", &kButtonPropertyTable,
     ListWith<ButtonProperties, kButtonLayout>},
    {kHyperLinkerTypeCode, "HyperLinker", "超级链接框", &kHyperLinkerPropertyTable,
     ListWith<HyperLinkerProperties, kHyperLinkerLayout>},
    {kTimerTypeCode, "Timer", "时钟", &kTimerPropertyTable,
     ListWith<TimerProperties, kTimerLayout>},
    {kQTipTypeCode, "Q_tip", "气球提示框", &kQTipPropertyTable,
     ListWith<QTipProperties, kQTipLayout>},
};

const ControlTypeInfo* FindControlTypeInfo(uint32_t typeCode) {
    for (const ControlTypeInfo& t : kControlTypes) {
        if (t.typeCode == typeCode)
            return &t;
    }
    return nullptr;
}

const PropertyInfo* FindProperty(uint32_t typeCode, int32_t index) {
    const ControlTypeInfo* type = FindControlTypeInfo(typeCode);
    if (!type)
        return nullptr;
    if (index >= 0 && index < kFirstOwnPropertyIndex)
        return kCommonProperties.Find(index);
    return type->ownProperties->Find(index);
}

std::vector<PropertyKind> OwnKindsByNumber(const PropertyTable& table) {
    // The control types are defined with this list, before the program's entry: no
    // exception may leave it.
    return WithOutOfMemoryError([&] {
        std::vector<PropertyKind> kinds;
        for (const PropertyInfo& row : table) {
            const size_t number = static_cast<size_t>(row.index - kFirstOwnPropertyIndex);
            if (kinds.size() <= number)
                kinds.resize(number + 1, PropertyKind::kInteger);
            kinds[number] = row.kind;
        }
        return kinds;
    });
}

OwnDataError ListOwnProperties(uint32_t typeCode, const uint8_t* data, size_t size,
                               std::vector<OwnPropertyValue>& out) {
    out.clear();
    const ControlTypeInfo* type = FindControlTypeInfo(typeCode);
    if (!type)
        return OwnDataError::kUnknownType;
    return type->listOwnData(data, size, out);
}

const char* OwnDataErrorText(OwnDataError error) {
    switch (error) {
        case OwnDataError::kNone:
            return "no error";
        case OwnDataError::kVersionTooHigh:
            return "the format version is above the type's highest";
        case OwnDataError::kTruncated:
            return "the data ends before its last field";
        case OwnDataError::kUnknownType:
            return "no control type has this type code";
    }
    return "unknown error";
}

}  // namespace velmora

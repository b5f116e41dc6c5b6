// Library 1: the standard controls, the edit box, the hyperlink box and the
// conversions.
#include "runtime/conversions.h"
#include "ui/controls/control_types.h"
#include "ui/controls/standard_types_win.h"
#include "ui/loader/control_library_win.h"

namespace velmora {

const ControlLibrary& StandardLibrary() {
    static const ControlLibrary library{
        "standard controls",
        {
            {TypeNumberOf(kWindowTypeCode), &kWindowControlType},
            {TypeNumberOf(kEditBoxTypeCode), &kEditBoxControlType},
            {TypeNumberOf(kPicBoxTypeCode), &kPicBoxControlType},
            {TypeNumberOf(kLabelTypeCode), &kLabelControlType},
            {TypeNumberOf(kButtonTypeCode), &kButtonControlType},
            {TypeNumberOf(kHyperLinkerTypeCode), &kHyperLinkerControlType},
            {TypeNumberOf(kTimerTypeCode), &kTimerControlType},
        },
        {static_cast<ServiceCommand>(ToNumber), static_cast<ServiceCommand>(ToText)},
        NotifyStartAndEnd};
    return library;
}

}  // namespace velmora

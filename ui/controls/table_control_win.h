#pragma once
// A control whose own properties live in one record described by its type's field
// table: reads, writes and saving walk the table; a write stores the value (clamped
// or refused where the field says) and then hands the field's step to the type.

#include <memory>
#include <string>
#include <utility>

#include "ui/controls/own_access.h"
#include "ui/loader/control_win.h"

namespace velmora {

template <class P>
class TableControl : public Control {
  public:
    bool ReadOwnProperty(int number, RawValue& out) override {
        return ReadOwnField(layout_, props_, number, out);
    }
    WriteOutcome WriteOwnProperty(int number, const RawValue& value) override {
        const OwnField<P>* field = StoreOwnField(layout_, props_, number, value);
        return field ? AfterWrite(field->step) : WriteOutcome::kStored;
    }
    std::string SaveOwnProperties() const override { return layout_.Encode(props_); }

    // A control of type C for the unit: its stored block decoded (an empty block
    // gives `defaults`), or null when the block is rejected.
    template <class C>
    static std::unique_ptr<C> Decoded(const CreateParams& p, const OwnLayout<P>& layout,
                                      const P& defaults = P{}) {
        P props;
        if (layout.Decode(p.ownData, p.ownSize, props, defaults) != OwnDataError::kNone)
            return nullptr;
        return std::make_unique<C>(p, std::move(props));
    }

  protected:
    TableControl(const CreateParams& p, const OwnLayout<P>& layout, P props)
        : Control(p.windowId, p.unitId), layout_(layout), props_(std::move(props)) {}

    // What the live control does once a written value is stored: `step` is the
    // field's, a value of the type's own list of steps.
    virtual WriteOutcome AfterWrite(uint8_t step) = 0;

    const OwnLayout<P>& layout_;
    P props_;
};

}  // namespace velmora

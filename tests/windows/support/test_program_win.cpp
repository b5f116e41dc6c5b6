#include <gtest/gtest.h>

#include "support/test_program_win.h"

#include "support/message_sequence_win.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "app/runtime_startup_win.h"
#include "runtime/wide_text.h"
#include "ui/loader/private_messages.h"

namespace velmora::test {

namespace {

std::map<uint32_t, bool>& HandlerResults() {
    static std::map<uint32_t, bool> results;
    return results;
}

std::map<uint32_t, void (*)()>& HandlerActions() {
    static std::map<uint32_t, void (*)()> actions;
    return actions;
}

DescriptionSet& StartedSet() {
    static DescriptionSet set;
    return set;
}

const UnitRecord* FindUnit(const WindowDescription& w, uint32_t unitId) {
    for (const UnitRecord& u : w.units)
        if (u.unitId == unitId)
            return &u;
    return nullptr;
}

// The event handler N is bound to for the source unit (through a link of the same
// type), kAmbiguousEvent when none or several.
int EventOf(UnitReference source, uint32_t handlerRef) {
    for (const WindowDescription& w : StartedSet().windows) {
        if (w.windowId != source.windowId)
            continue;
        const UnitRecord* u = FindUnit(w, source.unitId);
        std::vector<uint32_t> seen = {source.unitId};
        while (u && u->eventLink) {
            const UnitRecord* linked = FindUnit(w, u->eventLink);
            if (!linked || linked->typeCode != u->typeCode ||
                std::find(seen.begin(), seen.end(), linked->unitId) != seen.end())
                break;
            seen.push_back(linked->unitId);
            u = linked;
        }
        int found = kAmbiguousEvent, count = 0;
        for (const EventBinding& b : u ? u->bindings : std::vector<EventBinding>{})
            if (b.handlerRef == handlerRef && ++count == 1)
                found = b.eventIndex;
        return count == 1 ? found : kAmbiguousEvent;
    }
    return kAmbiguousEvent;
}

template <uint32_t N>
TypedValue LoggingHandler(int argCount, const TypedValue* args) {
    LastHandlerArgs().assign(args, args + argCount);
    UnitReference source = CurrentEventSource();
    Record("handler " + std::to_string(N) + " " + Hex(source.unitId) + (argCount ? " args" : ""));
    RecordHandler(source.unitId, EventOf(source, N));
    auto action = HandlerActions().find(N);
    if (action != HandlerActions().end())
        action->second();
    auto it = HandlerResults().find(N);
    if (it == HandlerResults().end())
        return TypedValue{};
    return MakeLogical(it->second);
}

bool IsTestMessage(UINT msg) {
    return msg >= kMsgTestPlain && msg <= kMsgConsumedByWindow;
}

// Notifications and test messages that reach a control are logged with its unit.
bool LogNotification(uint32_t windowId, uint32_t unitId, UINT msg, bool raisesEvents = true) {
    if (IsTestMessage(msg)) {
        Record("got " + Hex(unitId) + " " + Hex(msg));
        return true;
    }
    const char* name = nullptr;
    if (msg == kMsgDescriptionApplied)
        name = "applied ";
    if (msg == kMsgAllControlsPresent)
        name = "all-present ";
    if (msg == kMsgWindowShown)
        name = "shown ";
    if (!name)
        return false;
    Record(name + Hex(unitId));
    if (msg == kMsgDescriptionApplied && raisesEvents)
        RaiseEvent(windowId, unitId, kAppliedEvent);
    return true;
}

// Logs an offered test message; consumes `consumed`.
bool LogPreTranslate(uint32_t unitId, const MSG& msg, UINT consumed) {
    if (!IsTestMessage(msg.message))
        return false;
    Record("pre " + Hex(unitId) + " " + Hex(msg.message));
    return msg.message == consumed;
}

class TestWindow : public Control {
  public:
    using Control::Control;
    static std::unique_ptr<Control> Create(const CreateParams& p) {
        Control::RegisterControlClass(
            {L"VelmoraTestWindow", CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
        auto w = std::make_unique<TestWindow>(p.windowId, p.unitId);
        HWND owner = p.owner;
        DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | p.extraStyles;
        if (owner)
            style |= WS_POPUP;
        w->CreateOwnWindow(0, L"VelmoraTestWindow", L"test", style, p.left, p.top, p.width,
                           p.height, owner, nullptr);
        return w;
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (LogNotification(windowId(), unitId(), msg))
            return 0;
        if (msg == WM_CLOSE) {
            EventOutcome o = RaiseEvent(windowId(), 0, 1, 0, nullptr, true);
            if (!hwnd())
                return 0;
            if (o.handled && o.result.tag == kTagLogical && o.result.low == 0)
                return 0;
            RestoreDisabledWindows(windowId());
            DestroyWindow(hwnd());
            return 0;
        }
        if (msg == WM_DESTROY)
            RaiseEvent(windowId(), 0, 2);
        return DefaultProcessing(msg, wParam, lParam);
    }
    void OnWindowGone() override { OnWindowDestroyed(windowId()); }

  public:
    bool PreTranslate(MSG& msg) override {
        return LogPreTranslate(unitId(), msg, kMsgConsumedByWindow);
    }
};

class TestChild : public Control {
  public:
    using Control::Control;
    static std::unique_ptr<Control> Create(const CreateParams& p) {
        auto c = std::make_unique<TestChild>(p.windowId, p.unitId);
        c->caption_.assign(reinterpret_cast<const char*>(p.ownData), p.ownSize);
        c->CreateChildWindow(p, {L"VelmoraTestChild", CS_DBLCLKS, GetSysColorBrush(COLOR_WINDOW)},
                             WideFromGbk(c->caption_), p.extraStyles);
        return c;
    }
    static std::unique_ptr<Control> Fail(const CreateParams&) { return nullptr; }

    bool ReadOwnProperty(int number, RawValue& out) override {
        if (number != 0)
            return false;
        out.bytes = caption_;
        return true;
    }
    // A caption change takes effect by re-creating the control.
    WriteOutcome WriteOwnProperty(int number, const RawValue& value) override {
        if (number != 0 || value.bytes == caption_)
            return WriteOutcome::kStored;
        if (raisesOnWrite_)
            RaiseEvent(windowId(), unitId(), kWriteEvent);
        caption_ = value.bytes;
        return WriteOutcome::kRecreate;
    }
    std::string SaveOwnProperties() const override { return caption_; }
    bool PreTranslate(MSG& msg) override { return LogPreTranslate(unitId(), msg, consumes_); }

    static std::unique_ptr<Control> CreateConsumer(const CreateParams& p) {
        std::unique_ptr<Control> c = Create(p);
        static_cast<TestChild*>(c.get())->consumes_ = kMsgConsumedByChild;
        return c;
    }
    static std::unique_ptr<Control> CreateFocusGrabber(const CreateParams& p) {
        std::unique_ptr<Control> c = Create(p);
        static_cast<TestChild*>(c.get())->grabsFocus_ = true;
        return c;
    }
    static std::unique_ptr<Control> CreateWriteRaiser(const CreateParams& p) {
        std::unique_ptr<Control> c = Create(p);
        static_cast<TestChild*>(c.get())->raisesOnWrite_ = true;
        return c;
    }
    // Created from stored data only: a re-creation (from saved data, which differs)
    // fails.
    static std::unique_ptr<Control> CreateFromStoredOnly(const CreateParams& p) {
        if (std::string(reinterpret_cast<const char*>(p.ownData), p.ownSize) !=
            "c" + Hex(p.unitId)) {
            return nullptr;
        }
        return Create(p);
    }
    static std::unique_ptr<Control> CreateNotWindowed(const CreateParams& p) {
        std::unique_ptr<Control> c = Create(p);
        static_cast<TestChild*>(c.get())->windowed_ = false;
        return c;
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kMsgWindowShown && grabsFocus_) {
            SetFocus(hwnd());
            if (GetFocus() == hwnd())
                Record("focus taken " + Hex(unitId()));
        }
        if (LogNotification(windowId(), unitId(), msg, windowed_))
            return 0;
        return DefaultProcessing(msg, wParam, lParam);
    }

  private:
    std::string caption_;
    UINT consumes_ = 0;
    bool windowed_ = true;
    bool grabsFocus_ = false;
    bool raisesOnWrite_ = false;
};

const ControlType kWindowType{"test window",
                              kTypeWindowedUnit | kTypeNeverRecreated,
                              {PropertyKind::kText},
                              TestWindow::Create};
const ControlType kChildType{
    "test child", kTypeWindowedUnit, {PropertyKind::kText}, TestChild::Create};
const ControlType kHiddenType{
    "test hidden", kTypeWindowedUnit | kTypeNeverShown, {PropertyKind::kText}, TestChild::Create};
const ControlType kNotWindowedType{"test not windowed", 0, {}, TestChild::CreateNotWindowed};
const ControlType kFailingType{"test failing", kTypeWindowedUnit, {}, TestChild::Fail};
const ControlType kHolderType{"test holder",
                              kTypeWindowedUnit | kTypeHoldsChildWindows,
                              {PropertyKind::kText},
                              TestChild::Create};
const ControlType kFocusGrabberType{
    "test focus grabber", kTypeWindowedUnit, {PropertyKind::kText}, TestChild::CreateFocusGrabber};
const ControlType kWriteRaisesType{
    "test write raises", kTypeWindowedUnit, {PropertyKind::kText}, TestChild::CreateWriteRaiser};
const ControlType kRecreateFailsType{"test re-creation fails",
                                     kTypeWindowedUnit,
                                     {PropertyKind::kText},
                                     TestChild::CreateFromStoredOnly};
const ControlType kConsumerType{
    "test consumer", kTypeWindowedUnit, {PropertyKind::kText}, TestChild::CreateConsumer};

}  // namespace

void SetHandlerResult(uint32_t handlerRef, bool value) {
    HandlerResults()[handlerRef] = value;
}
void ClearHandlerResults() {
    HandlerResults().clear();
    HandlerActions().clear();
}
void SetHandlerAction(uint32_t handlerRef, void (*action)()) {
    HandlerActions()[handlerRef] = action;
}

std::vector<TypedValue>& LastHandlerArgs() {
    static std::vector<TypedValue> args;
    return args;
}

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

void Record(const std::string& line) {
    Log().push_back(line);
}

std::string Hex(uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", v);
    return buffer;
}

::testing::AssertionResult LogEquals(const std::vector<std::string>& expected) {
    const std::vector<std::string>& actual = Log();
    if (actual == expected)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "\n  expected                      | actual\n";
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        std::string e = i < expected.size() ? expected[i] : "";
        std::string a = i < actual.size() ? actual[i] : "";
        char line[160];
        std::snprintf(line, sizeof line, "%s %-29s | %s\n", e == a ? " " : "*", e.c_str(),
                      a.c_str());
        failure << line;
    }
    return failure;
}

UnitRecord WindowUnit(uint32_t unitId, int left, int top, int width, int height, bool visible) {
    UnitRecord u;
    u.unitId = unitId;
    u.typeCode = kTestWindowType;
    u.left = left;
    u.top = top;
    u.width = width;
    u.height = height;
    u.pointerData = std::string(4, '\0');
    u.flags = visible ? kUnitVisible : 0;
    return u;
}

UnitRecord ChildUnit(uint32_t unitId, uint32_t typeCode, int left, int top, int width, int height,
                     bool visible) {
    UnitRecord u = WindowUnit(unitId, left, top, width, height, visible);
    u.typeCode = typeCode;
    u.name = "c" + Hex(unitId);
    u.ownData = u.name;
    return u;
}

WindowDescription Window(uint32_t windowId, std::vector<UnitRecord> unitsInCreationOrder) {
    WindowDescription w;
    w.windowId = windowId;
    // Stored: the window's own unit first, then the controls latest first.
    w.units.push_back(unitsInCreationOrder.front());
    for (size_t i = unitsInCreationOrder.size(); i-- > 1;)
        w.units.push_back(unitsInCreationOrder[i]);
    return w;
}

void StartTestRuntime(const DescriptionSet& set) {
    static std::string bytes;
    bytes = WriteDescriptionSet(set);
    StartedSet() = set;
    ProgramData program;
    program.descriptions = reinterpret_cast<const uint8_t*>(bytes.data());
    program.descriptionsSize = bytes.size();
    program.handlers = {
        {1, LoggingHandler<1>}, {2, LoggingHandler<2>}, {3, LoggingHandler<3>},
        {4, LoggingHandler<4>}, {5, LoggingHandler<5>}, {6, LoggingHandler<6>},
        {7, LoggingHandler<7>}, {8, LoggingHandler<8>},
    };
    InitRuntime(program);
    RegisterControlType(kTestWindowType, &kWindowType);
    RegisterControlType(kTestChildType, &kChildType);
    RegisterControlType(kTestHiddenType, &kHiddenType);
    RegisterControlType(kTestNotWindowedType, &kNotWindowedType);
    RegisterControlType(kTestFailingType, &kFailingType);
    RegisterControlType(kTestConsumerType, &kConsumerType);
    RegisterControlType(kTestHolderType, &kHolderType);
    RegisterControlType(kTestFocusGrabberType, &kFocusGrabberType);
    RegisterControlType(kTestWriteRaisesType, &kWriteRaisesType);
    RegisterControlType(kTestRecreateFailsType, &kRecreateFailsType);
    Log().clear();
    ClearSequence();
}

HWND UnitHwnd(uint32_t windowId, uint32_t unitId) {
    Control* c = FindLiveControl(windowId, unitId);
    return c ? c->hwnd() : nullptr;
}

}  // namespace velmora::test

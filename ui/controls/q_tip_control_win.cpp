// The balloon tip box `Q_tip`: a hidden child window that owns a balloon and the
// tips of its window's controls, and watches the thread's messages to show them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "runtime/web_address.h"
#include "ui/controls/balloon_hook_win.h"
#include "ui/controls/balloon_window_win.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/extended_types_win.h"
#include "ui/controls/image_list_data_win.h"
#include "ui/controls/q_tip_properties.h"
#include "ui/controls/q_tip_tips.h"
#include "ui/loader/window_loader.h"

namespace velmora {

namespace {

constexpr wchar_t kClassName[] = L"VelmoraQTip";

// Global property indexes of the box's run-time properties.
enum QTipIndex : int {
    kIndexReservedColor = 12,
    kIndexBackColorBegin,
    kIndexBackColorMiddle,
    kIndexBackColorEnd,
    kIndexBackEffect,
    kIndexEffectGranularity,
    kIndexPlacement,
    kIndexTransparency,
    kIndexIconList = 22,
    kIndexMarkupImageList,
    kIndexStyleSheet = 26,
    kIndexShowAgainOnMove = 42,
    kIndexFollowMouse,
    kIndexKeepWhileInside,
    kIndexCloseOverTip,
    kIndexNoAutoHide,
    kIndexCornerWidth = 50,
    kIndexReservedSize8 = 58,
    kIndexInitialDelay = 60,
    kIndexShowTime,
    kIndexFadeInStep,
    kIndexFadeOutStep,
    kIndexBorderColor = 66,
    kIndexBorderWidth,
    kIndexBorderHeight,
    kIndexShadowGradient = 70,
    kIndexShadowDarkness,
    kIndexShadowOffsetX,
    kIndexShadowOffsetY,
    kIndexShadowDepthX,
    kIndexShadowDepthY,
};

struct Tip {
    MarkupRect rect;
    std::string text;
    UniqueIcon icon;
};

struct TargetTips {
    HWND window;
    std::vector<Tip> tips;
};

bool SameRect(const MarkupRect& a, const MarkupRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class QTipControl : public Control, public TipSource, public MessageWatcher {
  public:
    QTipControl(const CreateParams& p, QTipProperties props)
        : Control(p.windowId, p.unitId), props_(std::move(props)) {
        iconList_ = ReadImageListData(props_.iconList);
        markupList_ = ReadImageListData(props_.markupImageList);
    }
    ~QTipControl() override { Detach(); }

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        QTipProperties props;
        const QTipProperties newBox =
            NewQTipProperties(GetSysColor(COLOR_INFOBK), GetSysColor(COLOR_INFOTEXT));
        if (DecodeQTipProperties(p.ownData, p.ownSize, props, newBox) != OwnDataError::kNone)
            return nullptr;
        if (!RegisterControlClass(kClassName, 0, nullptr))
            return nullptr;
        auto box = std::make_unique<QTipControl>(p, std::move(props));
        if (!box->CreateOwnWindow(
                0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS | (p.extraStyles & ~WS_VISIBLE),
                p.left, p.top, p.width, p.height, p.parent, ControlIdMenu(p.controlId)))
            return nullptr;
        box->Attach();
        return box;
    }

    bool ReadOwnProperty(int number, RawValue& out) override;
    int WriteOwnProperty(int number, const RawValue& value) override;
    std::string SaveOwnProperties() const override { return EncodeQTipProperties(props_); }

    bool AddTip(HWND target, const std::string& text, int32_t iconIndex, const MarkupRect& rect) {
        UniqueIcon icon;
        if (iconIndex >= 0 && iconList_ && iconIndex < ImageList_GetImageCount(iconList_.get()))
            icon.reset(ImageList_GetIcon(iconList_.get(), iconIndex, ILD_NORMAL));
        const std::string shown =
            icon ? IconTipText(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(icon.get())), text)
                 : text;
        auto entry = std::find_if(targets_.begin(), targets_.end(),
                                  [target](const TargetTips& t) { return t.window == target; });
        if (entry == targets_.end()) {
            targets_.push_back({target, {}});
            entry = targets_.end() - 1;
        }
        for (Tip& tip : entry->tips) {
            if (SameRect(tip.rect, rect)) {
                tip.text = shown;
                tip.icon = std::move(icon);
                return true;
            }
        }
        entry->tips.push_back({rect, shown, std::move(icon)});
        return true;
    }

    // TipSource.
    std::optional<TipKey> TipAt(POINT screen) override {
        HWND under = WindowFromPoint(screen);
        if (!under)
            under = GetParent(hwnd());
        if (std::optional<TipKey> tip = MatchIn(under, screen))
            return tip;
        if (HWND parent = under ? GetParent(under) : nullptr)
            return MatchIn(parent, screen);
        return std::nullopt;
    }
    const std::string* TipText(const TipKey& key) override {
        for (const TargetTips& t : targets_) {
            if (reinterpret_cast<uintptr_t>(t.window) != key.window)
                continue;
            for (const Tip& tip : t.tips) {
                if (SameRect(tip.rect, key.rect))
                    return &tip.text;
            }
        }
        return nullptr;
    }
    void LinkPressed(const MarkupLink& link) override {
        if (link.href.empty())
            return;
        const TypedValue address = MakeText(link.href.c_str());
        TypedValue result;
        OpenWebAddress(&result, 1, &address);
    }

    // MessageWatcher.
    void Examine(const MSG& msg) override {
        if (balloon_ && hwnd())
            balloon_->Examine(msg);
    }

  protected:
    void OnWindowGone() override { Detach(); }

  private:
    std::optional<TipKey> MatchIn(HWND window, POINT screen) {
        if (!window)
            return std::nullopt;
        for (const TargetTips& t : targets_) {
            if (t.window != window)
                continue;
            POINT client = screen;
            ScreenToClient(window, &client);
            const int i = MatchTip(t.tips, client.x, client.y);
            if (i < 0)
                return std::nullopt;
            return TipKey{reinterpret_cast<uintptr_t>(window), t.tips[i].rect};
        }
        return std::nullopt;
    }

    // Only a box of a window that the loader knows gets a balloon; without the
    // balloon or the hook it shows nothing.
    void Attach() {
        if (!FindLiveControl(windowId(), 0))
            return;
        auto balloon = std::make_unique<Balloon>(*this);
        if (!balloon->Create())
            return;
        balloon_ = std::move(balloon);
        if (!AttachWatcher(this)) {
            balloon_.reset();
            return;
        }
        AttachSecondaryWindow(balloon_->hwnd());
        HandAll();
    }

    void Detach() {
        DetachWatcher(this);
        balloon_.reset();
        targets_.clear();
    }

    // Every value, in the balloon's order: colours, placement, effect and
    // granularity, transparency, behaviour bits, sizes, times, the markup image
    // list, border, shadow, style sheet.
    void HandAll() {
        HandColours();
        HandPlacement();
        HandEffect();
        balloon_->SetTransparency(props_.transparency);
        HandBits();
        HandSizes();
        HandTimes();
        balloon_->SetMarkupImageList(markupList_.get());
        HandBorder();
        HandShadow();
        balloon_->SetStyleSheet(props_.styleSheet);
    }
    void HandColours() {
        if (balloon_)
            balloon_->SetColours(PaintColour(props_.backColorBegin),
                                 PaintColour(props_.backColorMiddle),
                                 PaintColour(props_.backColorEnd));
    }
    void HandPlacement() {
        if (balloon_ && PlacementCode(props_.placement) >= 0)
            balloon_->SetPlacementCode(PlacementCode(props_.placement));
    }
    void HandEffect() {
        if (balloon_)
            balloon_->SetEffect(props_.backEffect, props_.effectGranularity);
    }
    void HandBits() {
        if (!balloon_)
            return;
        uint32_t bits = 0;
        if (props_.showAgainOnMove)
            bits |= kShowAgainOnMove;
        if (props_.followMouse)
            bits |= kFollowMouse;
        if (props_.keepWhileInside)
            bits |= kKeepWhileInside;
        if (!props_.closeOverTip)
            bits |= kKeepOverTip;
        if (props_.noAutoHide)
            bits |= kNoAutoHide;
        balloon_->SetBits(bits);
    }
    void HandSizes() {
        if (balloon_)
            balloon_->SetSizes({props_.cornerWidth, props_.cornerHeight, props_.marginX,
                                props_.marginY, props_.pointerWidth, props_.pointerHeight,
                                props_.pointerMargin, props_.reservedSize7, props_.reservedSize8});
    }
    void HandTimes() {
        if (balloon_)
            balloon_->SetTimes(
                {props_.initialDelay, props_.showTime, props_.fadeInStep, props_.fadeOutStep});
    }
    void HandBorder() {
        if (balloon_)
            balloon_->SetBorder(
                {PaintColour(props_.borderColor), props_.borderWidth, props_.borderHeight});
    }
    void HandShadow() {
        if (balloon_)
            balloon_->SetShadow({props_.shadowGradient != 0, std::min(props_.shadowDarkness, 100),
                                 props_.shadowOffsetX, props_.shadowOffsetY, props_.shadowDepthX,
                                 props_.shadowDepthY});
    }

    int32_t* IntegerField(int index);
    uint32_t* ColourField(int index);

    QTipProperties props_;
    UniqueImageList iconList_;
    UniqueImageList markupList_;
    std::unique_ptr<Balloon> balloon_;
    std::vector<TargetTips> targets_;
};

uint32_t* QTipControl::ColourField(int index) {
    switch (index) {
        case kIndexReservedColor:
            return &props_.reservedColor;
        case kIndexBackColorBegin:
            return &props_.backColorBegin;
        case kIndexBackColorMiddle:
            return &props_.backColorMiddle;
        case kIndexBackColorEnd:
            return &props_.backColorEnd;
        case kIndexBorderColor:
            return &props_.borderColor;
        default:
            return nullptr;
    }
}

int32_t* QTipControl::IntegerField(int index) {
    int32_t* const sizes[] = {&props_.cornerWidth,   &props_.cornerHeight,  &props_.marginX,
                              &props_.marginY,       &props_.pointerWidth,  &props_.pointerHeight,
                              &props_.pointerMargin, &props_.reservedSize7, &props_.reservedSize8};
    if (index >= kIndexCornerWidth && index <= kIndexReservedSize8)
        return sizes[index - kIndexCornerWidth];
    switch (index) {
        case kIndexBackEffect:
            return &props_.backEffect;
        case kIndexEffectGranularity:
            return &props_.effectGranularity;
        case kIndexPlacement:
            return &props_.placement;
        case kIndexTransparency:
            return &props_.transparency;
        case kIndexShowAgainOnMove:
            return &props_.showAgainOnMove;
        case kIndexFollowMouse:
            return &props_.followMouse;
        case kIndexKeepWhileInside:
            return &props_.keepWhileInside;
        case kIndexCloseOverTip:
            return &props_.closeOverTip;
        case kIndexNoAutoHide:
            return &props_.noAutoHide;
        case kIndexInitialDelay:
            return &props_.initialDelay;
        case kIndexShowTime:
            return &props_.showTime;
        case kIndexFadeInStep:
            return &props_.fadeInStep;
        case kIndexFadeOutStep:
            return &props_.fadeOutStep;
        case kIndexBorderWidth:
            return &props_.borderWidth;
        case kIndexBorderHeight:
            return &props_.borderHeight;
        case kIndexShadowGradient:
            return &props_.shadowGradient;
        case kIndexShadowDarkness:
            return &props_.shadowDarkness;
        case kIndexShadowOffsetX:
            return &props_.shadowOffsetX;
        case kIndexShadowOffsetY:
            return &props_.shadowOffsetY;
        case kIndexShadowDepthX:
            return &props_.shadowDepthX;
        case kIndexShadowDepthY:
            return &props_.shadowDepthY;
        default:
            return nullptr;
    }
}

bool QTipControl::ReadOwnProperty(int number, RawValue& out) {
    const int index = number + kFirstOwnPropertyIndex;
    if (const uint32_t* c = ColourField(index)) {
        out.number = *c;
        return true;
    }
    if (const int32_t* v = IntegerField(index)) {
        out.number = static_cast<uint32_t>(*v);
        return true;
    }
    switch (index) {
        case kIndexIconList:
            out.bytes = props_.iconList;
            return true;
        case kIndexMarkupImageList:
            out.bytes = props_.markupImageList;
            return true;
        case kIndexStyleSheet:
            out.bytes = props_.styleSheet;
            return true;
        default:
            return false;  // the indexes without a run-time value
    }
}

int QTipControl::WriteOwnProperty(int number, const RawValue& value) {
    const int index = number + kFirstOwnPropertyIndex;
    const auto v = static_cast<int32_t>(value.number);
    if (uint32_t* c = ColourField(index)) {
        *c = static_cast<uint32_t>(value.number);
        if (index == kIndexBorderColor)
            HandBorder();
        else if (index != kIndexReservedColor)  // stored only
            HandColours();
        return 0;
    }
    switch (index) {
        case kIndexTransparency:
            if (v < 0 || v > 100)
                return 0;
            props_.transparency = v;
            if (balloon_)
                balloon_->SetTransparency(v);
            return 0;
        case kIndexShadowDarkness:
            if (v < 0 || v > 100)
                return 0;
            props_.shadowDarkness = v;
            HandShadow();
            return 0;
        case kIndexIconList:
            props_.iconList = value.bytes;
            iconList_ = ReadImageListData(props_.iconList);
            return 0;
        case kIndexMarkupImageList:
            props_.markupImageList = value.bytes;
            markupList_ = ReadImageListData(props_.markupImageList);
            if (balloon_)
                balloon_->SetMarkupImageList(markupList_.get());
            return 0;
        case kIndexStyleSheet:
            props_.styleSheet = value.bytes;
            if (!props_.styleSheet.empty() && props_.styleSheet.back() != '\0')
                props_.styleSheet += '\0';
            if (balloon_)
                balloon_->SetStyleSheet(props_.styleSheet);
            return 0;
        default:
            break;
    }
    int32_t* field = IntegerField(index);
    if (!field)
        return 0;
    *field = v;
    switch (index) {
        case kIndexBackEffect:
        case kIndexEffectGranularity:
            HandEffect();
            break;
        case kIndexPlacement:
            HandPlacement();  // values beyond 0-11 are kept but change nothing
            break;
        case kIndexShowAgainOnMove:
        case kIndexFollowMouse:
        case kIndexKeepWhileInside:
        case kIndexCloseOverTip:
        case kIndexNoAutoHide:
            HandBits();
            break;
        case kIndexInitialDelay:
        case kIndexShowTime:
        case kIndexFadeInStep:
        case kIndexFadeOutStep:
            HandTimes();
            break;
        case kIndexBorderWidth:
        case kIndexBorderHeight:
            HandBorder();
            break;
        case kIndexShadowGradient:
        case kIndexShadowOffsetX:
        case kIndexShadowOffsetY:
        case kIndexShadowDepthX:
        case kIndexShadowDepthY:
            HandShadow();
            break;
        default:
            HandSizes();
            break;
    }
    return 0;
}

}  // namespace

bool AddTipToBox(Control* box, HWND target, const std::string& text, int32_t iconIndex,
                 const MarkupRect& rect) {
    auto* tipBox = dynamic_cast<QTipControl*>(box);
    return tipBox && tipBox->AddTip(target, text, iconIndex, rect);
}

const ControlType kQTipControlType{"Q_tip", kTypeWindowedUnit | kTypeNeverShown,
                                   OwnKindsByNumber(kQTipPropertyTable), QTipControl::Create};

}  // namespace velmora

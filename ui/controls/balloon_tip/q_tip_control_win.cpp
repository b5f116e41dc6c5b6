// The balloon tip box `Q_tip`: a hidden child window that owns a balloon and the
// tips of its window's controls, and watches the thread's messages to show them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "runtime/web_address_win.h"
#include "ui/controls/balloon_tip/balloon_hook_win.h"
#include "ui/controls/balloon_tip/balloon_window_win.h"
#include "ui/controls/balloon_tip/image_list_data_win.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/balloon_tip/q_tip_tips.h"
#include "ui/controls/control_drawing_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/extended_types_win.h"
#include "ui/controls/own_access.h"
#include "ui/controls/table_control_win.h"
#include "ui/loader/window_loader_win.h"

namespace velmora {

namespace {

constexpr wchar_t kClassName[] = L"VelmoraQTip";

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

class QTipControl : public TableControl<QTipProperties>, public TipSource, public MessageWatcher {
  public:
    QTipControl(const CreateParams& p, QTipProperties props)
        : TableControl(p, kQTipLayout, std::move(props)) {
        iconList_ = ReadImageListData(props_.iconList);
        markupList_ = ReadImageListData(props_.markupImageList);
    }
    ~QTipControl() override { Detach(); }

    static std::unique_ptr<Control> Create(const CreateParams& p) {
        auto box = Decoded<QTipControl>(
            p, kQTipLayout,
            NewQTipProperties(GetSysColor(COLOR_INFOBK), GetSysColor(COLOR_INFOTEXT)));
        if (!box || !box->CreateChildWindow(p, {kClassName}, L"", p.extraStyles & ~WS_VISIBLE))
            return nullptr;
        box->Attach();
        return box;
    }

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

    void ScaleChanged() override {
        HandSizes();
        HandBorder();
        HandShadow();
    }

  protected:
    WriteOutcome AfterWrite(uint8_t step) override;
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
    // Sizes, border and shadow are stored in 96-dpi pixels; the markup is laid out
    // at the same scale.
    void HandSizes() {
        if (balloon_) {
            const DisplayScale s = scale();
            balloon_->SetDpi(s.dpi);
            balloon_->SetSizes({s.ToDevice(props_.cornerWidth), s.ToDevice(props_.cornerHeight),
                                s.ToDevice(props_.marginX), s.ToDevice(props_.marginY),
                                s.ToDevice(props_.pointerWidth), s.ToDevice(props_.pointerHeight),
                                s.ToDevice(props_.pointerMargin), props_.reservedSize7,
                                props_.reservedSize8});
        }
    }
    void HandTimes() {
        if (balloon_)
            balloon_->SetTimes(
                {props_.initialDelay, props_.showTime, props_.fadeInStep, props_.fadeOutStep});
    }
    void HandBorder() {
        if (balloon_)
            balloon_->SetBorder({PaintColour(props_.borderColor),
                                 scale().ToDevice(props_.borderWidth),
                                 scale().ToDevice(props_.borderHeight)});
    }
    void HandShadow() {
        if (balloon_) {
            const DisplayScale s = scale();
            balloon_->SetShadow({props_.shadowGradient != 0, std::min(props_.shadowDarkness, 100),
                                 s.ToDevice(props_.shadowOffsetX), s.ToDevice(props_.shadowOffsetY),
                                 s.ToDevice(props_.shadowDepthX), s.ToDevice(props_.shadowDepthY)});
        }
    }

    UniqueImageList iconList_;
    UniqueImageList markupList_;
    std::unique_ptr<Balloon> balloon_;
    std::vector<TargetTips> targets_;
};

WriteOutcome QTipControl::AfterWrite(uint8_t step) {
    switch (static_cast<QTipWrite>(step)) {
        case QTipWrite::kStoreOnly:
            break;
        case QTipWrite::kColours:
            HandColours();
            break;
        case QTipWrite::kEffect:
            HandEffect();
            break;
        case QTipWrite::kPlacement:
            HandPlacement();
            break;
        case QTipWrite::kTransparency:
            if (balloon_)
                balloon_->SetTransparency(props_.transparency);
            break;
        case QTipWrite::kIconList:
            iconList_ = ReadImageListData(props_.iconList);
            break;
        case QTipWrite::kMarkupImageList:
            markupList_ = ReadImageListData(props_.markupImageList);
            if (balloon_)
                balloon_->SetMarkupImageList(markupList_.get());
            break;
        case QTipWrite::kStyleSheet:
            if (!props_.styleSheet.empty() && props_.styleSheet.back() != '\0')
                props_.styleSheet += '\0';
            if (balloon_)
                balloon_->SetStyleSheet(props_.styleSheet);
            break;
        case QTipWrite::kBits:
            HandBits();
            break;
        case QTipWrite::kSizes:
            HandSizes();
            break;
        case QTipWrite::kTimes:
            HandTimes();
            break;
        case QTipWrite::kBorder:
            HandBorder();
            break;
        case QTipWrite::kShadow:
            HandShadow();
            break;
    }
    return WriteOutcome::kStored;
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

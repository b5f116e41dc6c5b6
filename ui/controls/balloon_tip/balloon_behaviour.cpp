#include "ui/controls/balloon_tip/balloon_behaviour.h"

#include <algorithm>

namespace velmora {

namespace {

// The balloon follows the mouse at most this often.
constexpr uint32_t kFollowInterval = 30;
constexpr int kFadeStep = 20;  // percent of transparency per fade step

}  // namespace

void BalloonBehaviour::SetTransparency(int percent) {
    transparency_ = std::clamp(percent, 0, 100);
    // A shown balloon takes the new transparency at once; a fading one reaches it
    // with its steps.
    if (state_ == BalloonState::kShown && current_ != transparency_) {
        current_ = transparency_;
        host_.Redraw(current_);
    }
}

void BalloonBehaviour::OnMouseMove(BalloonPoint p) {
    if (last_ && *last_ == p)
        return;
    last_ = p;
    if (host_.BalloonVisible() && host_.OverBalloon(p) && !Has(kFollowMouse)) {
        if (!Has(kKeepOverTip)) {
            Hide();
        } else if (state_ == BalloonState::kShown) {
            StartVisibleTime();
        }
        return;
    }
    const std::optional<TipKey> tip = host_.TipAt(p);
    if (!tip) {
        tip_.reset();
        delayAfterHide_ = false;
        host_.StopTimer(kInitialDelayTimer);
        Hide();
        return;
    }
    if (tip_ && *tip_ == *tip) {
        if (Has(kFollowMouse)) {
            if (state_ == BalloonState::kShown)
                StartVisibleTime();
            const uint32_t now = host_.Now();
            if (host_.BalloonVisible() && now - lastMoved_ > kFollowInterval) {
                host_.MoveTo(p);
                lastMoved_ = now;
            }
            return;
        }
        if (Has(kKeepWhileInside)) {
            if (state_ == BalloonState::kShown)
                StartVisibleTime();
            return;
        }
        if (!Has(kShowAgainOnMove)) {
            Hide();
            return;
        }
    }
    // The next tip: whatever shows goes first; one still closing is waited for.
    tip_ = tip;
    if (state_ == BalloonState::kOpening || state_ == BalloonState::kShown)
        Hide();
    if (state_ == BalloonState::kClosing) {
        delayAfterHide_ = true;
        return;
    }
    StartDelay();
}

void BalloonBehaviour::OnPress() {
    for (int id : {kInitialDelayTimer, kVisibleTimeTimer, kFadeInTimer, kFadeOutTimer})
        host_.StopTimer(id);
    state_ = BalloonState::kHidden;
    delayAfterHide_ = false;
    current_ = 100;
    if (host_.BalloonVisible()) {
        host_.HideWindow();
        if (Has(kShowAgainOnMove))
            tip_.reset();
    }
}

void BalloonBehaviour::OnTimer(int id) {
    switch (id) {
        case kInitialDelayTimer:
            DelayEnded();
            break;
        case kVisibleTimeTimer:
            Hide();
            break;
        case kFadeInTimer:
            current_ = current_ <= kFadeStep ? 0 : current_ - kFadeStep;
            if (current_ <= transparency_) {
                current_ = transparency_;
                host_.StopTimer(kFadeInTimer);
                state_ = BalloonState::kShown;
                StartVisibleTime();
            }
            host_.Redraw(current_);
            break;
        case kFadeOutTimer:
            current_ = current_ >= 100 - kFadeStep ? 100 : current_ + kFadeStep;
            if (current_ >= 100) {
                FinishHide();
                return;
            }
            host_.Redraw(current_);
            break;
        default:
            break;
    }
}

void BalloonBehaviour::Hide() {
    for (int id : {kInitialDelayTimer, kFadeInTimer, kVisibleTimeTimer})
        host_.StopTimer(id);
    // Nothing shows while hidden, and a balloon closing goes on closing.
    if (state_ == BalloonState::kHidden || state_ == BalloonState::kClosing)
        return;
    state_ = BalloonState::kClosing;
    if (times_.fadeOutStep > 0) {
        host_.StartTimer(kFadeOutTimer, times_.fadeOutStep);
        return;
    }
    current_ = 100;
    FinishHide();
}

void BalloonBehaviour::StartDelay() {
    if (times_.initialDelay <= 0) {
        DelayEnded();
        return;
    }
    host_.StartTimer(kInitialDelayTimer, times_.initialDelay);
}

void BalloonBehaviour::DelayEnded() {
    host_.StopTimer(kInitialDelayTimer);
    if (!last_ || host_.CursorPosition() != *last_) {
        Hide();
        return;
    }
    if (state_ != BalloonState::kHidden || !tip_)
        return;
    state_ = BalloonState::kOpening;
    const bool fades = times_.fadeInStep > 0;
    current_ = fades ? 100 : transparency_;
    host_.Show(*tip_, *last_, current_);
    lastMoved_ = host_.Now();
    if (fades) {
        host_.StartTimer(kFadeInTimer, times_.fadeInStep);
        return;
    }
    state_ = BalloonState::kShown;
    StartVisibleTime();
}

void BalloonBehaviour::StartVisibleTime() {
    if (times_.showTime > 0 && !Has(kNoAutoHide))
        host_.StartTimer(kVisibleTimeTimer, times_.showTime);
}

void BalloonBehaviour::FinishHide() {
    host_.StopTimer(kFadeOutTimer);
    host_.HideWindow();
    state_ = BalloonState::kHidden;
    if (delayAfterHide_) {
        delayAfterHide_ = false;
        if (tip_)
            StartDelay();
    }
}

}  // namespace velmora

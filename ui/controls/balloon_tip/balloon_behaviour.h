#pragma once
// When the balloon shows and hides: fed with the mouse moves, presses and keys the
// box sees and with the ticks of the balloon's four timers, it asks its host to
// start and stop timers, find the tip under the pointer, and show, move, redraw
// and hide the balloon.
//
// States: hidden, opening (fading in), shown, closing (fading out). Timers: 256 the
// initial delay, 257 the visible time, 258 a fade-in step, 259 a fade-out step.
// Fading is on in every box; it happens only with a step time above 0.

#include <cstdint>
#include <optional>

#include "ui/controls/balloon_tip/balloon_geometry.h"

namespace velmora {

enum : int {
    kInitialDelayTimer = 256,
    kVisibleTimeTimer = 257,
    kFadeInTimer = 258,
    kFadeOutTimer = 259,
};

// Behaviour bits.
enum : uint32_t {
    kShowAgainOnMove = 0x01,
    kFollowMouse = 0x02,
    kKeepWhileInside = 0x04,
    kKeepOverTip = 0x08,  // set when CloseOverTip is 0
    kNoAutoHide = 0x10,
};

enum class BalloonState : uint8_t { kHidden, kOpening, kShown, kClosing };

// A tip as the behaviour knows it: the window it belongs to and its rectangle
// (empty: the whole window). Two are the same tip when both are equal.
struct TipKey {
    uintptr_t window = 0;
    MarkupRect rect;
};
inline bool operator==(const TipKey& a, const TipKey& b) {
    return a.window == b.window && a.rect.left == b.rect.left && a.rect.top == b.rect.top &&
           a.rect.right == b.rect.right && a.rect.bottom == b.rect.bottom;
}

class BalloonHost {
  public:
    virtual ~BalloonHost() = default;
    virtual void StartTimer(int id, int milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
    virtual bool BalloonVisible() = 0;
    // Whether the window under the point is the balloon itself.
    virtual bool OverBalloon(BalloonPoint p) = 0;
    virtual std::optional<TipKey> TipAt(BalloonPoint p) = 0;
    virtual BalloonPoint CursorPosition() = 0;
    // A millisecond clock.
    virtual uint32_t Now() = 0;
    // Places and shows the balloon with the tip's text at P (nothing for an empty
    // text), drawn with `transparency` percent.
    virtual void Show(const TipKey& tip, BalloonPoint p, int transparency) = 0;
    virtual void MoveTo(BalloonPoint p) = 0;
    virtual void Redraw(int transparency) = 0;
    virtual void HideWindow() = 0;
};

struct BalloonTimes {
    int initialDelay = 600;
    int showTime = 3000;
    int fadeInStep = 0;
    int fadeOutStep = 0;
};

class BalloonBehaviour {
  public:
    explicit BalloonBehaviour(BalloonHost& host) : host_(host) {}

    void SetBits(uint32_t bits) { bits_ = bits; }
    uint32_t bits() const { return bits_; }
    void SetTimes(const BalloonTimes& times) { times_ = times; }
    // The box's transparency, 0-100 (others are kept to that range).
    void SetTransparency(int percent);

    BalloonState state() const { return state_; }
    int transparency() const { return current_; }
    const std::optional<TipKey>& currentTip() const { return tip_; }

    // A mouse move to P (screen coordinates).
    void OnMouseMove(BalloonPoint p);
    // A click, double click, wheel turn or key.
    void OnPress();
    void OnTimer(int id);
    // Any request to hide (the end of the visible time does the same).
    void Hide();

  private:
    void StartDelay();
    void DelayEnded();
    void StartVisibleTime();
    void FinishHide();
    bool Has(uint32_t bit) const { return (bits_ & bit) != 0; }

    BalloonHost& host_;
    uint32_t bits_ = kShowAgainOnMove;
    BalloonTimes times_;
    int transparency_ = 10;  // the box's
    int current_ = 100;      // as drawn now
    BalloonState state_ = BalloonState::kHidden;
    std::optional<TipKey> tip_;
    std::optional<BalloonPoint> last_;
    bool delayAfterHide_ = false;  // a tip waits for the balloon to finish closing
    uint32_t lastMoved_ = 0;
};

}  // namespace velmora

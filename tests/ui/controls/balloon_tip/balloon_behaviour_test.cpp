// Covers: when the balloon shows and hides, against a recording host.
//  - at rest over a tip: shown after InitialDelay at the pointer, hidden after
//    ShowTime; a move within the tip hides it and the next rest shows it again;
//  - a press, leaving every tip, and moving onto the balloon hide it; with the
//    keep-open flag the balloon over itself only restarts its time;
//  - a delay that ends after the pointer moved on shows nothing;
//  - KeepWhileInside, FollowMouse (at most every 30 ms), NoAutoHide, ShowTime 0,
//    InitialDelay 0, and without ShowAgainOnMove no showing again until the tip
//    is left;
//  - fading in and out by 20 percent a step down to the box's transparency, and a
//    tip that waits for the fading out to end; a new transparency redraws a shown
//    balloon at once.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ui/controls/balloon_tip/balloon_behaviour.h"

namespace velmora {
namespace {

class Host : public BalloonHost {
  public:
    std::map<int, int> running;
    std::vector<std::string> log;
    bool visible = false, over = false;
    std::optional<TipKey> tip = TipKey{1, {}};
    BalloonPoint cursor;
    uint32_t now = 0;

    void StartTimer(int id, int ms) override {
        running[id] = ms;
        log.push_back("start " + std::to_string(id) + " " + std::to_string(ms));
    }
    void StopTimer(int id) override { running.erase(id); }
    bool BalloonVisible() override { return visible; }
    bool OverBalloon(BalloonPoint) override { return over; }
    std::optional<TipKey> TipAt(BalloonPoint) override { return tip; }
    BalloonPoint CursorPosition() override { return cursor; }
    uint32_t Now() override { return now; }
    void Show(const TipKey&, BalloonPoint p, int t) override {
        visible = true;
        log.push_back("show " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
                      std::to_string(t));
    }
    void MoveTo(BalloonPoint p) override { log.push_back("move " + std::to_string(p.x)); }
    void Redraw(int t) override { log.push_back("redraw " + std::to_string(t)); }
    void HideWindow() override {
        if (visible)
            log.push_back("hide");
        visible = false;
    }
};

class BalloonBehaviourTest : public ::testing::Test {
  protected:
    BalloonBehaviourTest() : b(host) { b.SetTransparency(0); }

    void Move(int x, int y = 20) {
        host.cursor = {x, y};
        b.OnMouseMove(host.cursor);
    }
    // The timer fires; it must be running.
    void Fire(int id) {
        ASSERT_TRUE(host.running.count(id)) << "timer " << id << " is not running";
        b.OnTimer(id);
    }
    // The pointer leaves every tip, then comes back.
    void LeaveAndReturn(int x) {
        const std::optional<TipKey> tip = host.tip;
        host.tip.reset();
        Move(x);
        host.tip = tip;
    }
    std::vector<std::string> Take() { return std::exchange(host.log, {}); }
    void ShowAt(int x) {
        SCOPED_TRACE("showing at " + std::to_string(x));
        Move(x);
        Fire(kInitialDelayTimer);
        Take();
    }

    Host host;
    BalloonBehaviour b;
};

using Log = std::vector<std::string>;

TEST_F(BalloonBehaviourTest, AtRestItShowsAfterTheDelayAndHidesAfterTheShowTime) {
    Move(10);
    EXPECT_EQ(Take(), (Log{"start 256 600"}));
    Move(10);  // the same position again is no move
    EXPECT_EQ(Take(), Log{});
    Fire(kInitialDelayTimer);
    EXPECT_EQ(Take(), (Log{"show 10,20 0", "start 257 3000"}));
    EXPECT_EQ(b.state(), BalloonState::kShown);
    Fire(kVisibleTimeTimer);
    EXPECT_EQ(Take(), (Log{"hide"}));
    EXPECT_TRUE(host.running.empty());
    EXPECT_EQ(b.state(), BalloonState::kHidden);
}

TEST_F(BalloonBehaviourTest, AMoveWithinTheTipHidesItAndTheNextRestShowsItAgain) {
    ShowAt(10);
    Move(11);
    EXPECT_EQ(Take(), (Log{"hide", "start 256 600"}));
    Fire(kInitialDelayTimer);
    EXPECT_EQ(Take(), (Log{"show 11,20 0", "start 257 3000"}));
}

TEST_F(BalloonBehaviourTest, PressesLeavingTheTipsAndTheBalloonItselfHideIt) {
    ShowAt(10);
    b.OnPress();
    EXPECT_EQ(Take(), (Log{"hide"}));
    EXPECT_TRUE(host.running.empty());
    Move(12);  // the tip was forgotten: it shows again after a rest
    EXPECT_EQ(Take(), (Log{"start 256 600"}));

    Fire(kInitialDelayTimer);
    host.tip.reset();
    Move(30);
    EXPECT_EQ((Take().back()), "hide");
    EXPECT_TRUE(host.running.empty());

    host.tip = TipKey{1, {}};
    ShowAt(40);
    host.over = true;
    Move(41);
    EXPECT_EQ(Take(), (Log{"hide"}));

    b.SetBits(kShowAgainOnMove | kKeepOverTip);
    host.over = false;
    ShowAt(50);
    host.over = true;
    Move(51);
    EXPECT_EQ(Take(), (Log{"start 257 3000"}));  // its time starts anew
}

TEST_F(BalloonBehaviourTest, ADelayEndingAfterThePointerMovedOnShowsNothing) {
    Move(10);
    host.cursor = {99, 99};  // moved without a message seen yet
    Fire(kInitialDelayTimer);
    EXPECT_EQ(Take(), (Log{"start 256 600"}));
    EXPECT_FALSE(host.visible);
}

TEST_F(BalloonBehaviourTest, TheBehaviourBitsAndTimes) {
    b.SetBits(kShowAgainOnMove | kKeepWhileInside);
    ShowAt(10);
    Move(11);
    EXPECT_EQ(Take(), (Log{"start 257 3000"}));

    b.SetBits(kFollowMouse);
    host.now = 100;
    LeaveAndReturn(19);
    ShowAt(20);
    host.now = 120;
    Move(21);
    EXPECT_EQ(Take(), (Log{"start 257 3000"}));  // not yet 30 ms since it was placed
    host.now = 140;
    Move(22);
    EXPECT_EQ(Take(), (Log{"start 257 3000", "move 22"}));

    b.SetBits(0);  // without ShowAgainOnMove a move within hides it until the tip is left
    LeaveAndReturn(29);
    ShowAt(30);
    Move(31);
    EXPECT_EQ(Take(), (Log{"hide"}));
    Move(32);
    EXPECT_EQ(Take(), Log{});
    b.OnPress();  // nor does a press forget it
    Move(33);
    EXPECT_EQ(Take(), Log{});
    LeaveAndReturn(34);

    const struct {
        uint32_t bits;
        BalloonTimes times;
        Log log;
    } cases[] = {
        {kShowAgainOnMove | kNoAutoHide, {600, 3000, 0, 0}, {"start 256 600", "show 40,20 0"}},
        {kShowAgainOnMove, {600, 0, 0, 0}, {"start 256 600", "show 41,20 0"}},
        {kShowAgainOnMove, {0, 3000, 0, 0}, {"show 42,20 0", "start 257 3000"}},
    };
    int x = 40;
    for (const auto& c : cases) {
        b.SetBits(c.bits);
        b.SetTimes(c.times);
        b.OnPress();
        Take();
        Move(x++);
        if (host.running.count(kInitialDelayTimer))
            Fire(kInitialDelayTimer);
        EXPECT_EQ(Take(), c.log);
    }
}

TEST_F(BalloonBehaviourTest, FadingInAndOutAndATipWaitingForTheEnd) {
    b.SetTimes({600, 3000, 50, 40});
    b.SetTransparency(10);
    Move(10);
    Fire(kInitialDelayTimer);
    EXPECT_EQ(Take(), (Log{"start 256 600", "show 10,20 100", "start 258 50"}));
    EXPECT_EQ(b.state(), BalloonState::kOpening);
    for (int i = 0; i < 5; ++i)
        Fire(kFadeInTimer);
    EXPECT_EQ(Take(), (Log{"redraw 80", "redraw 60", "redraw 40", "redraw 20", "start 257 3000",
                           "redraw 10"}));
    EXPECT_EQ(b.state(), BalloonState::kShown);
    EXPECT_FALSE(host.running.count(kFadeInTimer));
    b.SetTransparency(35);  // a shown balloon redraws with it at once
    b.SetTransparency(35);
    EXPECT_EQ(Take(), (Log{"redraw 35"}));
    b.SetTransparency(10);
    Take();

    Fire(kVisibleTimeTimer);
    EXPECT_EQ(b.state(), BalloonState::kClosing);
    Fire(kFadeOutTimer);
    host.tip = TipKey{2, {}};
    Move(20);  // another tip while closing: it waits
    EXPECT_FALSE(host.running.count(kInitialDelayTimer));
    for (int i = 0; i < 4; ++i)
        Fire(kFadeOutTimer);
    EXPECT_EQ(Take(), (Log{"start 259 40", "redraw 30", "redraw 50", "redraw 70", "redraw 90",
                           "hide", "start 256 600"}));
    EXPECT_EQ(b.state(), BalloonState::kHidden);
}

}  // namespace
}  // namespace velmora

// Covers: the balloon window under the pointer: the link of the shown tip that the
// pointer is over is laid out (and drawn) in the a:hover style, and only while the
// pointer stays on it.
#include <gtest/gtest.h>

#include <string>

#include "ui/controls/balloon_tip/balloon_window_win.h"

namespace velmora {
namespace {

class OneTip : public TipSource {
  public:
    std::optional<TipKey> TipAt(POINT) override { return TipKey{1, {}}; }
    const std::string* TipText(const TipKey&) override { return &text_; }
    void LinkPressed(const MarkupLink&) override {}

  private:
    std::string text_ = "plain <a href=x>link</a>";
};

TEST(BalloonWindow, TheLinkUnderThePointerTakesTheHoverStyle) {
    OneTip tips;
    Balloon balloon(tips);
    ASSERT_TRUE(balloon.Create());
    balloon.SetBits(0x08);  // stays open while the pointer is over it
    balloon.Show(TipKey{1, {}}, {300, 300}, 0);
    ASSERT_TRUE(IsWindowVisible(balloon.hwnd()));

    // Moves the pointer onto the middle of text piece `piece`; answers whether the
    // link is then underlined.
    auto moveOnto = [&balloon](size_t piece) {
        const MarkupItem& item = balloon.layout().items.at(piece);
        const BalloonGeometry& g = balloon.geometry();
        MSG move = {};
        move.message = WM_MOUSEMOVE;
        move.pt = {g.window.left + g.content.left + (item.rect.left + item.rect.right) / 2,
                   g.window.top + g.content.top + (item.rect.top + item.rect.bottom) / 2};
        balloon.Examine(move);
        const MarkupLayout& l = balloon.layout();
        return l.fonts.at(l.items.at(1).font).underline;
    };
    ASSERT_EQ(balloon.layout().items.size(), 2u);  // "plain ", "link"
    EXPECT_FALSE(moveOnto(0));
    EXPECT_TRUE(moveOnto(1));
    EXPECT_TRUE(IsWindowVisible(balloon.hwnd()));
    EXPECT_FALSE(moveOnto(0));
}

}  // namespace
}  // namespace velmora

#pragma once
// The balloon: a topmost pop-up tool window without owner that shows one tip at a
// time, shaped as a rounded body with a pointer, with a shadow and transparency
// blended over the screen beneath. Its show/hide behaviour is portable
// (balloon_behaviour.h); this is its window, its drawing and the host of that
// behaviour.

#include <windows.h>

#include <optional>
#include <string>

#include "runtime/win_handles_win.h"
#include "ui/controls/balloon_tip/balloon_behaviour.h"
#include "ui/markup/markup_gdi_win.h"
#include "ui/markup/pixel_buffer.h"

namespace velmora {

// Where the balloon finds its tips (the box that owns it).
class TipSource {
  public:
    virtual ~TipSource() = default;
    virtual std::optional<TipKey> TipAt(POINT screen) = 0;
    // The tip's text, or null when the tip has gone.
    virtual const std::string* TipText(const TipKey& tip) = 0;
    // A link of a tip was pressed.
    virtual void LinkPressed(const MarkupLink& link) = 0;
};

struct BalloonBorder {
    COLORREF colour = 0;
    int width = 1, height = 1;
};

struct BalloonShadow {
    bool gradient = true;
    int darkness = 60;  // percent
    int offsetX = 5, offsetY = 3;
    int depthX = 7, depthY = 7;
};

class Balloon : public BalloonHost {
  public:
    explicit Balloon(TipSource& tips);
    ~Balloon() override;
    Balloon(const Balloon&) = delete;
    Balloon& operator=(const Balloon&) = delete;

    // Makes the window (hidden, 0 x 0); false when it cannot be made.
    bool Create();
    HWND hwnd() const { return hwnd_.get(); }
    BalloonBehaviour& behaviour() { return behaviour_; }
    const BalloonGeometry& geometry() const { return geometry_; }
    const MarkupLayout& layout() const { return layout_; }

    // The balloon starts in balloon style: sizes 16, 16, 12, 12, 12, 16, 16, 0, 0.
    void SetColours(COLORREF begin, COLORREF middle, COLORREF end);
    void SetPlacementCode(int code) { code_ = code; }
    void SetEffect(int effect, int granularity);
    void SetTransparency(int percent) { behaviour_.SetTransparency(percent); }
    void SetBits(uint32_t bits) { behaviour_.SetBits(bits); }
    void SetSizes(const BalloonSizes& sizes) { sizes_ = sizes; }
    void SetTimes(const BalloonTimes& times) { behaviour_.SetTimes(times); }
    // The markup image list (owned by the box) for <ilst> and friends.
    void SetMarkupImageList(HIMAGELIST list) { gdi_.SetImageList(list); }
    // The dpi of the box's window: the tip's fonts and lengths follow it.
    void SetDpi(int dpi) { gdi_.SetDpi(dpi); }
    // No border when the brush cannot be made or either width is 0.
    void SetBorder(const BalloonBorder& border);
    void SetShadow(const BalloonShadow& shadow);
    // An empty sheet restores the default style sheet.
    void SetStyleSheet(const std::string& sheet);

    // A message the box saw (the thread's hook).
    void Examine(const MSG& msg);

    // BalloonHost.
    void StartTimer(int id, int milliseconds) override;
    void StopTimer(int id) override;
    bool BalloonVisible() override;
    bool OverBalloon(BalloonPoint p) override;
    std::optional<TipKey> TipAt(BalloonPoint p) override;
    BalloonPoint CursorPosition() override;
    uint32_t Now() override;
    void Show(const TipKey& tip, BalloonPoint p, int transparency) override;
    void MoveTo(BalloonPoint p) override;
    void Redraw(int transparency) override;
    void HideWindow() override;

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    // Lays out, shapes and paints the background for the tip at P.
    bool Prepare(const std::string& text, BalloonPoint p);
    void RenderBalloon();
    void Draw(HDC dc);
    bool LinkPressed(POINT screen);
    // The link of the shown layout at a screen point, or -1.
    int LinkAt(POINT screen) const;
    void UpdateHover(POINT screen);

    TipSource& tips_;
    BalloonBehaviour behaviour_;
    UniqueHwnd hwnd_;
    MarkupGdi gdi_;
    StyleSheet sheet_;

    COLORREF colours_[3] = {0, 0, 0};
    int effect_ = 0;
    int granularity_ = 5;
    int code_ = kDefaultPlacementCode;
    BalloonSizes sizes_;
    std::optional<BalloonBorder> border_;
    UniqueGdi<HBRUSH> borderBrush_;
    BalloonShadow shadow_;

    // What shows now.
    std::optional<TipKey> shownTip_;
    MarkupLayout layout_;
    int hoverLink_ = -1;  // the link laid out in the a:hover style
    BalloonGeometry geometry_;
    UniqueGdi<HRGN> shape_;
    PixelBuffer background_;
    PixelBuffer balloon_;  // background, text and border
    PixelMask shapeMask_;
    std::optional<PixelMask> shadowMask_;
    PixelBuffer backdrop_;
    int transparency_ = 0;
};

}  // namespace velmora

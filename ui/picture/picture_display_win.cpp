#include "ui/picture/picture_display.h"

#include "ui/picture/gif_animation.h"
#include "ui/picture/placement.h"

namespace velmora {

PictureDisplay::PictureDisplay(HWND box, int displayMode, HBRUSH background)
    : box_(box), displayMode_(displayMode), background_(background) {}

PictureDisplay::~PictureDisplay() {
    StopAnimation();
}

void PictureDisplay::StopAnimation() {
    if (player_)
        player_->Stop();
}

bool PictureDisplay::LoadPicture(const uint8_t* data, size_t size, bool animate) {
    // Nothing of the old picture may be drawn once the new one is loaded: the
    // worker has ended before the player goes.
    StopAnimation();
    player_.reset();
    still_ = StillPicture();

    if (data != nullptr && size > 0) {
        if (animate && RecognizePicture(data, size) == PictureKind::kGif) {
            auto animation = std::make_unique<GifAnimation>();
            if (animation->Open(data, size) == GifResult::kOk && !animation->singleImage()) {
                player_ = GifPlayer::Create(std::move(animation), box_, displayMode_);
            }
        }
        if (!player_)
            DecodeStillPicture(data, size, still_);
    }
    InvalidateRect(box_, nullptr, FALSE);
    return player_ != nullptr || !still_.empty();
}

void PictureDisplay::FillBackground(HDC dc, const RECT& area) {
    FillRect(dc, &area, background_ ? background_ : GetSysColorBrush(COLOR_BTNFACE));
}

void PictureDisplay::PaintPicture(HDC dc) {
    RECT client = {};
    GetClientRect(box_, &client);
    if (player_) {
        const Placement p = PlacePicture(displayMode_, player_->width(), player_->height(),
                                         client.right, client.bottom);
        if (player_->state() == PlayerState::kLoaded) {
            // The worker draws the first frame there; filling it first would flash.
            const int saved = SaveDC(dc);
            ExcludeClipRect(dc, p.x, p.y, p.x + p.width, p.y + p.height);
            FillBackground(dc, client);
            RestoreDC(dc, saved);
            player_->Start();
            return;
        }
        FillBackground(dc, client);
        player_->PaintCanvas(dc);
        return;
    }
    FillBackground(dc, client);
    if (still_.empty())
        return;
    const Placement p =
        PlacePicture(displayMode_, still_.width, still_.height, client.right, client.bottom);
    DrawStillPicture(dc, still_, p.x, p.y, p.width, p.height);
}

void PictureDisplay::SetDisplayMode(int mode) {
    if (mode == displayMode_)
        return;
    displayMode_ = mode;
    if (player_)
        player_->SetDisplayMode(mode);
    InvalidateRect(box_, nullptr, FALSE);
    UpdateWindow(box_);
}

PictureKind PictureDisplay::kind() const {
    return player_ ? PictureKind::kGif : still_.kind;
}

int PictureDisplay::width() const {
    return player_ ? player_->width() : still_.width;
}

int PictureDisplay::height() const {
    return player_ ? player_->height() : still_.height;
}

}  // namespace velmora

#include "ui/picture/picture_display_win.h"

#include <new>

#include "ui/picture/gif_animation.h"
#include "ui/picture/placement.h"

namespace velmora {

namespace {

// With a class, own or parent device context, GetDC hands the worker the device
// context that the box paints with, clip region and all.
bool SharesDeviceContext(HWND box) {
    const ULONG_PTR style = GetClassLongPtrW(box, GCL_STYLE);
    return (style & (CS_OWNDC | CS_CLASSDC | CS_PARENTDC)) != 0;
}

}  // namespace

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
        try {
            Load(data, size, animate);
        } catch (const std::bad_alloc&) {
            // A picture too large for the memory left is no picture.
            player_.reset();
            still_ = StillPicture();
        }
    }
    InvalidateRect(box_, nullptr, FALSE);
    return player_ != nullptr || !still_.empty();
}

void PictureDisplay::Load(const uint8_t* data, size_t size, bool animate) {
    if (!animate || RecognizePicture(data, size) != PictureKind::kGif) {
        DecodeStillPicture(data, size, still_);
        return;
    }
    auto animation = std::make_unique<GifAnimation>();
    if (animation->Open(data, size) != GifResult::kOk)
        return;
    if (!animation->singleImage() && !SharesDeviceContext(box_)) {
        player_ = GifPlayer::Create(std::move(animation), box_, displayMode_);
        if (player_) {
            player_->SetDpi(dpi_);
            return;
        }
    }
    // Opening drew the first image as the player would, over white.
    StillPictureFromCanvas(animation->canvas(), still_);
}

HBRUSH PictureDisplay::BackgroundBrush() const {
    return background_ ? background_ : GetSysColorBrush(COLOR_BTNFACE);
}

void PictureDisplay::PaintPicture(HDC dc) {
    RECT client = {};
    GetClientRect(box_, &client);
    if (player_) {
        if (player_->state() == PlayerState::kLoaded) {
            player_->Start();
            if (player_->state() == PlayerState::kRunning) {
                // The worker draws its first frame there; filling it would flash.
                const Placement p = PlacePicture(displayMode_, player_->width(), player_->height(),
                                                 client.right, client.bottom, dpi_);
                const int saved = SaveDC(dc);
                ExcludeClipRect(dc, p.x, p.y, p.x + p.width, p.y + p.height);
                FillRect(dc, &client, BackgroundBrush());
                RestoreDC(dc, saved);
                return;
            }
        }
        player_->Paint(dc, BackgroundBrush());
        return;
    }
    FillRect(dc, &client, BackgroundBrush());
    if (still_.empty())
        return;
    const Placement p =
        PlacePicture(displayMode_, still_.width, still_.height, client.right, client.bottom, dpi_);
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

void PictureDisplay::SetDpi(int dpi) {
    if (dpi == dpi_)
        return;
    dpi_ = dpi;
    if (player_)
        player_->SetDpi(dpi);
    InvalidateRect(box_, nullptr, FALSE);
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

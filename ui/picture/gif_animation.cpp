#include "ui/picture/gif_animation.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace velmora {

namespace {

// Marks a palette entry whose pixels are left out; canvas pixels never have
// their top byte set.
constexpr uint32_t kSkip = 0xFF000000;

// The image row of stored row k (below the height) of an interlaced image.
int InterlacedRow(int k, int height) {
    for (const GifInterlacePass& pass : kGifInterlacePasses) {
        const int rows = (height - pass.start + pass.step - 1) / pass.step;
        if (k < rows)
            return pass.start + k * pass.step;
        k -= rows;
    }
    return height - 1;  // not reached: the passes hold every row
}

// Palette colours of an image; with transparency, every entry whose colour equals
// the transparent entry's is marked kSkip. Answers whether any entry is.
bool MakeLut(const GifImage& image, bool useTransparency, uint32_t (&lut)[256]) {
    std::memcpy(lut, image.palette->colour, sizeof lut);
    bool skips = false;
    if (useTransparency && image.transparent) {
        const uint32_t key = lut[image.transparentIndex];
        for (uint32_t& c : lut) {
            if (c == key) {
                c = kSkip;
                skips = true;
            }
        }
    }
    return skips;
}

// Writes the colours of n indices to dst; with left-out entries (`skips`), their
// pixels take the value in `under` (the canvas row itself, or the saved pixels).
inline void DrawRow(const uint8_t* src, int n, const uint32_t (&lut)[256], bool skips,
                    const uint32_t* under, uint32_t* dst) {
    if (skips) {
        // A select rather than a branch: left-out pixels take the value beneath.
#pragma GCC unroll 4
        for (int i = 0; i < n; ++i) {
            const uint32_t c = lut[src[i]];
            dst[i] = (c & kSkip) ? under[i] : c;
        }
    } else {
#pragma GCC unroll 4
        for (int i = 0; i < n; ++i)
            dst[i] = lut[src[i]];
    }
}

}  // namespace

unsigned GifDelayMs(unsigned delay) {
    return delay == 0 ? 50 : delay * 10;
}

void GifCanvas::Reset(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.assign(size_t(width) * height, kGifWhite);
    saved_ = false;
    savedPixels_.clear();
}

void GifCanvas::Save(int left, int top, int width, int height) {
    const int x0 = std::max(left, 0), y0 = std::max(top, 0);
    const int x1 = std::min(left + width, width_), y1 = std::min(top + height, height_);
    saved_ = true;
    savedLeft_ = x0;
    savedTop_ = y0;
    savedWidth_ = std::max(x1 - x0, 0);
    savedHeight_ = std::max(y1 - y0, 0);
    savedPixels_.resize(size_t(savedWidth_) * savedHeight_);
    for (int y = 0; y < savedHeight_; ++y) {
        const uint32_t* src = pixels_.data() + size_t(savedTop_ + y) * width_ + savedLeft_;
        std::copy(src, src + savedWidth_, savedPixels_.data() + size_t(y) * savedWidth_);
    }
}

void GifCanvas::Restore() {
    if (!saved_)
        return;
    for (int y = 0; y < savedHeight_; ++y) {
        const uint32_t* src = savedPixels_.data() + size_t(y) * savedWidth_;
        std::copy(src, src + savedWidth_,
                  pixels_.data() + size_t(savedTop_ + y) * width_ + savedLeft_);
    }
    saved_ = false;
}

void GifCanvas::DropSaved() {
    saved_ = false;
    std::vector<uint32_t>().swap(savedPixels_);
}

void GifCanvas::Draw(const GifImage& image, const uint8_t* indices, size_t count,
                     bool useTransparency) {
    uint32_t lut[256];
    const bool skips = MakeLut(image, useTransparency, lut);
    const int w = image.width;
    const int x0 = std::max(image.left, 0);
    const int x1 = std::min(image.left + w, width_);
    if (x1 <= x0 || w == 0)
        return;
    const size_t fullRows = count / size_t(w);
    const size_t lastRow = fullRows + (count % size_t(w) != 0 ? 1 : 0);
    for (size_t k = 0; k < lastRow && k < size_t(image.height); ++k) {
        const int row = image.interlaced ? InterlacedRow(int(k), image.height) : int(k);
        const int y = image.top + row;
        if (y < 0 || y >= height_)
            continue;
        int end = x1;
        if (k == fullRows)
            end = std::min(x1, image.left + int(count % size_t(w)));
        if (end <= x0)
            continue;
        const uint8_t* src = indices + k * size_t(w) + (x0 - image.left);
        uint32_t* dst = pixels_.data() + size_t(y) * width_ + x0;
        DrawRow(src, end - x0, lut, skips, dst, dst);
    }
}

bool GifCanvas::SavedRectangleIs(const GifImage& image) const {
    const int x0 = std::max(image.left, 0), y0 = std::max(image.top, 0);
    const int x1 = std::min(image.left + image.width, width_);
    const int y1 = std::min(image.top + image.height, height_);
    return saved_ && x1 > x0 && y1 > y0 && savedLeft_ == x0 && savedTop_ == y0 &&
           savedWidth_ == x1 - x0 && savedHeight_ == y1 - y0;
}

void GifCanvas::DrawOverSaved(const GifImage& image, const uint8_t* indices, bool useTransparency) {
    uint32_t lut[256];
    const bool skips = MakeLut(image, useTransparency, lut);
    const int w = image.width;
    for (int k = 0; k < image.height; ++k) {
        const int row = image.interlaced ? InterlacedRow(k, image.height) : k;
        const int y = image.top + row;
        if (y < savedTop_ || y >= savedTop_ + savedHeight_)
            continue;
        const uint8_t* src = indices + size_t(k) * w + (savedLeft_ - image.left);
        uint32_t* dst = pixels_.data() + size_t(y) * width_ + savedLeft_;
        const uint32_t* under = savedPixels_.data() + size_t(y - savedTop_) * savedWidth_;
        DrawRow(src, savedWidth_, lut, skips, under, dst);
    }
}

GifAnimation::GifAnimation() : lzw_(new LzwDecoder) {}
GifAnimation::~GifAnimation() = default;

GifResult GifAnimation::Open(const uint8_t* data, size_t size, const GifOptions& options) {
    singleImage_ = false;
    options_ = options;
    GifResult result = ParseGifHeader(data, size, header_);
    if (result != GifResult::kOk)
        return result;
    if (size_t(header_.width) * size_t(header_.height) > options.maxCanvasPixels) {
        return GifResult::kScreenTooLarge;
    }
    data_.assign(data, data + size);
    reader_.Open(data_.data(), data_.size(), header_);
    Restart();
    // Rounds until the first image is drawn. A round without an image moves the
    // read position on or restarts the stream, so this ends at the latest when the
    // stream has been restarted once.
    const size_t lastByte = data_.size() - 1;
    for (;;) {
        GifRound round = Step();
        if (round.drawn()) {
            singleImage_ = reader_.position() >= lastByte;
            return GifResult::kOk;
        }
        // Reading went back to the start of the stream: a whole pass without an image.
        if (reader_.restarts() > 0)
            return GifResult::kNoImage;
    }
}

void GifAnimation::Restart() {
    reader_.Restart();
    canvas_.Reset(header_.width, header_.height);
}

GifRoundOutcome GifAnimation::NextImage(GifImage& image, size_t& decoded) {
    switch (reader_.ReadRound(image)) {
        case GifBlockResult::kImage:
            break;
        case GifBlockResult::kUnknownBlock:
            return GifRoundOutcome::kUnknownBlock;
        case GifBlockResult::kUnknownExtension:
            return GifRoundOutcome::kUnknownExtension;
        case GifBlockResult::kTruncated:
            return GifRoundOutcome::kTruncated;
        case GifBlockResult::kNoImageInPass:
            return GifRoundOutcome::kNoImageInPass;
    }
    if (image.width == 0 || image.height == 0)
        return GifRoundOutcome::kEmptyImage;
    const size_t pixels = size_t(image.width) * size_t(image.height);
    if (pixels > options_.maxFramePixels)
        return GifRoundOutcome::kFrameTooLarge;
    if (!lzw_->Start(image.minCodeSize, image.codes, image.codeSize)) {
        return GifRoundOutcome::kAbandoned;
    }
    if (indicesCapacity_ < pixels) {
        indices_.reset(new uint8_t[pixels + LzwDecoder::kSlack]);
        indicesCapacity_ = pixels;
    }
    // Decoding stops when the image is full: codes after that are never read.
    decoded = lzw_->Decode(indices_.get(), pixels);
    if (lzw_->state() == LzwState::kInvalidCode)
        return GifRoundOutcome::kAbandoned;
    return GifRoundOutcome::kDrawn;
}

GifRound GifAnimation::Step() {
    // The previous image's disposal is carried out below, once this round's image
    // is known; nothing looks at the canvas in between.
    GifImage image;
    size_t decoded = 0;
    GifRound round;
    round.outcome = NextImage(image, decoded);
    // The delay in force lasts beyond its round, so rounds without an image wait too.
    round.delayMs = GifDelayMs(reader_.delay());
    if (round.outcome != GifRoundOutcome::kDrawn) {
        canvas_.Restore();
        return round;
    }
    const bool disposes = image.disposal == 2 || image.disposal == 3;
    const bool complete = decoded == size_t(image.width) * size_t(image.height);
    if (disposes && complete && canvas_.SavedRectangleIs(image)) {
        canvas_.DrawOverSaved(image, indices_.get(), !options_.opaque);
    } else {
        canvas_.Restore();
        if (disposes)
            canvas_.Save(image.left, image.top, image.width, image.height);
        canvas_.Draw(image, indices_.get(), decoded, !options_.opaque);
    }
    return round;
}

GifCanvas GifAnimation::TakeCanvas() {
    canvas_.DropSaved();
    return std::exchange(canvas_, GifCanvas());
}

GifResult DecodeGifStill(const uint8_t* data, size_t size, GifCanvas& out) {
    GifAnimation animation;
    GifOptions options;
    options.opaque = true;
    GifResult result = animation.Open(data, size, options);
    if (result == GifResult::kOk)
        out = animation.TakeCanvas();
    return result;
}

}  // namespace velmora

#pragma once
// The GIF player's portable core: the canvas and one round of the animation
// (restore what the previous image's disposal asks for, read and decode the next
// image, draw it onto the canvas). Putting the canvas on the screen, timing and
// threads belong to the Windows side.
//
// The steps stay apart: GifBlockReader finds images, LzwDecoder turns their codes
// into indices, and GifCanvas composes indices onto 32-bit pixels.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/picture/gif_decoder.h"
#include "ui/picture/gif_lzw.h"
#include "ui/picture/picture_limits.h"

namespace velmora {

// Canvas pixels are 0x00RRGGBB: the byte order of a 32-bit top-down DIB section
// (B, G, R, 0), so the Windows side can blit the buffer as it is.
constexpr uint32_t kGifWhite = 0x00FFFFFF;

class GifCanvas {
  public:
    void Reset(int width, int height);  // all white
    int width() const { return width_; }
    int height() const { return height_; }
    const uint32_t* pixels() const { return pixels_.data(); }
    uint32_t Pixel(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

    // Saves the part of the rectangle that lies on the canvas; Restore puts it back.
    void Save(int left, int top, int width, int height);
    void Restore();
    // Forgets the saved rectangle and frees its pixels.
    void DropSaved();

    // Draws the first `count` indices of an image of width x height placed at
    // (left, top), rows in stored order (interlaced: the four GIF passes). Pixels
    // off the canvas are dropped; with a transparent colour, pixels whose palette
    // colour equals the transparent entry's colour are left out.
    void Draw(const GifImage& image, const uint8_t* indices, size_t count, bool useTransparency);

    // Restore, Save of the same rectangle and Draw of a complete image in one pass,
    // for an image whose part on the canvas is exactly the saved rectangle (as in
    // an animation of full frames with disposal 2 or 3). The saved pixels stay saved.
    bool SavedRectangleIs(const GifImage& image) const;
    void DrawOverSaved(const GifImage& image, const uint8_t* indices, bool useTransparency);

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    bool saved_ = false;
    int savedLeft_ = 0, savedTop_ = 0, savedWidth_ = 0, savedHeight_ = 0;
    std::vector<uint32_t> savedPixels_;
};

enum class GifRoundOutcome {
    kDrawn,             // an image was drawn onto the canvas
    kEmptyImage,        // an image of width or height 0: nothing to draw
    kAbandoned,         // invalid LZW code or minimum code size: image dropped
    kFrameTooLarge,     // an image above the frame pixel limit: not decoded
    kUnknownBlock,      // the round ended at a byte that starts no block
    kUnknownExtension,  // the round ended at an unknown extension label
    kTruncated,         // the data ended inside an image descriptor or colour table
    kNoImageInPass,     // a whole pass over the stream found no image
};

struct GifRound {
    GifRoundOutcome outcome = GifRoundOutcome::kNoImageInPass;
    unsigned delayMs = 50;  // how long the canvas stays as it is after this round
    bool drawn() const { return outcome == GifRoundOutcome::kDrawn; }
};

constexpr size_t kMaxGifCanvasPixels = kMaxPicturePixels;
constexpr size_t kMaxGifFramePixels = kMaxPicturePixels;

struct GifOptions {
    // Still pictures draw their image opaque: pixels of the transparent index show
    // in that entry's colour.
    bool opaque = false;
    size_t maxCanvasPixels = kMaxGifCanvasPixels;
    size_t maxFramePixels = kMaxGifFramePixels;
};

// Frame delay: hundredths of a second times 10 ms; 0 means 50 ms.
unsigned GifDelayMs(unsigned delay);

class GifAnimation {
  public:
    GifAnimation();
    ~GifAnimation();
    GifAnimation(const GifAnimation&) = delete;
    GifAnimation& operator=(const GifAnimation&) = delete;

    // Copies the data, checks the header and reads rounds from the start until the
    // first image has been drawn (so the canvas then shows the first image). A GIF
    // with no image in a whole pass gives kNoImage.
    GifResult Open(const uint8_t* data, size_t size, const GifOptions& options = GifOptions());

    // The first image was the only one: after it the read position lay at or beyond
    // the last byte of the stream. Such a GIF is shown still.
    bool singleImage() const { return singleImage_; }

    // Read position to the start of the stream, canvas white, no previous image.
    void Restart();

    // One round of the animation.
    GifRound Step();

    int width() const { return canvas_.width(); }
    int height() const { return canvas_.height(); }
    const GifCanvas& canvas() const { return canvas_; }
    // Moves the canvas out without its saved rectangle, leaving an empty canvas
    // (until the next Open, rounds draw nothing).
    GifCanvas TakeCanvas();
    size_t position() const { return reader_.position(); }

  private:
    std::vector<uint8_t> data_;
    GifHeader header_;
    GifOptions options_;
    GifRoundOutcome NextImage(GifImage& image, size_t& decoded);

    GifBlockReader reader_;
    std::unique_ptr<LzwDecoder> lzw_;
    std::unique_ptr<uint8_t[]> indices_;
    size_t indicesCapacity_ = 0;
    GifCanvas canvas_;
    bool singleImage_ = false;
};

// The still picture of a GIF: the first image drawn opaque on a white canvas of the
// logical screen's size.
GifResult DecodeGifStill(const uint8_t* data, size_t size, GifCanvas& out);

}  // namespace velmora

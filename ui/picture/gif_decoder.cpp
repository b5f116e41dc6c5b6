#include "ui/picture/gif_decoder.h"

#include <algorithm>

#include "runtime/byte_reader.h"
#include "ui/picture/picture_format.h"

namespace velmora {

namespace {

void ReadPalette(const uint8_t* p, unsigned count, GifPalette& palette) {
    palette = GifPalette();
    palette.count = count;
    for (unsigned i = 0; i < count; ++i, p += 3) {
        palette.colour[i] = RgbAt(p);
    }
}

}  // namespace

const char* GifResultText(GifResult result) {
    switch (result) {
        case GifResult::kOk:
            return "ok";
        case GifResult::kNotGif:
            return "not a GIF (no signature, or 13 bytes or less)";
        case GifResult::kColourTableTruncated:
            return "the global colour table reaches the end of the data";
        case GifResult::kEmptyScreen:
            return "the logical screen has no pixels";
        case GifResult::kScreenTooLarge:
            return "the logical screen is too large";
        case GifResult::kNoImage:
            return "the block stream holds no image";
    }
    return "?";
}

GifResult ParseGifHeader(const uint8_t* data, size_t size, GifHeader& header) {
    header = GifHeader();
    // Header, 13 bytes: +0 "GIF87a"/"GIF89a"  +6 u16 screen width  +8 u16 screen height
    // +10 u8 flags (bit 7 global table, bits 0-2 table size)  +11 u8 background
    // +12 u8 aspect ratio; then the global table, 3 * 2^(size + 1) bytes.
    if (data == nullptr || size <= 13 || RecognizePicture(data, size) != PictureKind::kGif)
        return GifResult::kNotGif;
    header.width = U16At(data + 6);
    header.height = U16At(data + 8);
    const uint8_t flags = data[10];
    size_t streamOffset = 13;
    if (flags & 0x80) {
        const unsigned count = 2u << (flags & 7);
        streamOffset += size_t{count} * 3;
        // A stream must follow the table.
        if (streamOffset >= size)
            return GifResult::kColourTableTruncated;
        header.hasGlobalTable = true;
        ReadPalette(data + 13, count, header.global);
    }
    header.streamOffset = streamOffset;
    if (header.width == 0 || header.height == 0)
        return GifResult::kEmptyScreen;
    return GifResult::kOk;
}

void GifBlockReader::Open(const uint8_t* data, size_t size, const GifHeader& header) {
    data_ = data;
    size_ = size;
    start_ = header.streamOffset;
    global_ = &header.global;
    Restart();
}

void GifBlockReader::Restart() {
    pos_ = start_;
    disposal_ = 0;
    transparent_ = false;
    transparentIndex_ = 0;
    delay_ = 0;
    restarts_ = 0;
}

bool GifBlockReader::ReadSubBlocks(std::vector<uint8_t>* joined) {
    // Sub-blocks: u8 length n, n bytes; a length of 0 ends them.
    while (pos_ < size_) {
        const uint8_t n = data_[pos_++];
        if (n == 0)
            return true;
        const size_t take = std::min<size_t>(n, size_ - pos_);
        if (joined)
            joined->insert(joined->end(), data_ + pos_, data_ + pos_ + take);
        pos_ += take;
    }
    return false;
}

GifBlockResult GifBlockReader::ReadRound(GifImage& image) {
    disposal_ = 0;
    int restarts = 0;
    for (;;) {
        if (pos_ >= size_ || data_[pos_] == 0x3B || data_[pos_] == 0x00) {
            // The end of the stream: the animation starts again. Twice in one round
            // means a whole pass without an image; the round ends without one.
            pos_ = start_;
            ++restarts_;
            if (++restarts == 2)
                return GifBlockResult::kNoImageInPass;
            continue;
        }
        const uint8_t introducer = data_[pos_++];
        if (introducer == 0x21) {
            if (pos_ >= size_)
                continue;
            const uint8_t label = data_[pos_++];
            if (label == 0xF9) {
                // Graphic control block: +0 u8 size (4)  +1 u8 flags (bits 2-4 disposal,
                // bit 0 transparent colour)  +2 u16 delay  +4 u8 transparent index;
                // then a terminating sub-block. A block shorter than 4 bytes is skipped.
                if (pos_ + 5 <= size_ && data_[pos_] >= 4) {
                    const uint8_t* gce = data_ + pos_ + 1;
                    disposal_ = (gce[0] >> 2) & 7;
                    transparent_ = (gce[0] & 1) != 0;
                    delay_ = U16At(gce + 1);
                    transparentIndex_ = gce[3];
                }
            }
            ReadSubBlocks();
            // Plain text, comment and application extensions are skipped.
            if (label != 0xF9 && label != 0x01 && label != 0xFE && label != 0xFF)
                return GifBlockResult::kUnknownExtension;
            continue;
        }
        if (introducer != 0x2C)
            return GifBlockResult::kUnknownBlock;

        // Image descriptor, 9 bytes after 0x2C: +0 u16 left  +2 u16 top  +4 u16 width
        // +6 u16 height  +8 u8 flags (bit 7 local table, bit 6 interlaced, bits 0-2
        // table size); then the local table, the minimum code size and the sub-blocks.
        if (size_ - pos_ < 9) {
            pos_ = size_;
            return GifBlockResult::kTruncated;
        }
        const uint8_t* d = data_ + pos_;
        pos_ += 9;
        image = GifImage();
        image.left = U16At(d);
        image.top = U16At(d + 2);
        image.width = U16At(d + 4);
        image.height = U16At(d + 6);
        image.interlaced = (d[8] & 0x40) != 0;
        image.palette = global_;
        if (d[8] & 0x80) {
            const unsigned count = 2u << (d[8] & 7);
            if (size_ - pos_ < size_t{count} * 3) {
                pos_ = size_;
                return GifBlockResult::kTruncated;
            }
            ReadPalette(data_ + pos_, count, local_);
            pos_ += size_t{count} * 3;
            image.palette = &local_;
        }
        if (pos_ >= size_)
            return GifBlockResult::kTruncated;
        image.minCodeSize = data_[pos_++];

        codes_.clear();
        image.truncated = !ReadSubBlocks(&codes_);
        image.codes = codes_.data();
        image.codeSize = codes_.size();
        image.disposal = disposal_;
        image.transparent = transparent_;
        image.transparentIndex = transparentIndex_;
        image.delay = delay_;
        return GifBlockResult::kImage;
    }
}

}  // namespace velmora

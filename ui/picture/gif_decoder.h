#pragma once
// The GIF container: the header and global colour table, and the block stream read
// round by round. One round reads blocks until it has found an image; the end of the
// stream (trailer 0x3B, a 0x00 in place of a block, or the end of the data) sends
// reading back to the start of the stream, so an animation repeats for ever.
//
// Tolerated malformations are listed in gif_quirks.h.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

enum class GifResult {
    kOk,
    kNotGif,                // 13 bytes or less, or no "GIF87a"/"GIF89a"
    kColourTableTruncated,  // header and global colour table reach the end of the data
    kEmptyScreen,           // logical screen width or height 0
    kScreenTooLarge,        // logical screen above the caller's pixel limit
    kNoImage,               // a whole pass over the block stream finds no image to draw
};

const char* GifResultText(GifResult result);

// A colour table as 0x00RRGGBB values; entries at or above `count` read as black.
struct GifPalette {
    uint32_t colour[256] = {};
    unsigned count = 0;
};

struct GifHeader {
    int width = 0;  // logical screen
    int height = 0;
    bool hasGlobalTable = false;
    GifPalette global;
    size_t streamOffset = 0;  // first byte of the block stream
};

// Checks the header: more than 13 bytes, the signature, and a global colour table
// (when flagged) that ends before the end of the data.
GifResult ParseGifHeader(const uint8_t* data, size_t size, GifHeader& header);

// How a round of reading blocks ended.
enum class GifBlockResult {
    kImage,             // an image descriptor with its data (possibly cut short)
    kUnknownBlock,      // a byte that starts no block; reading goes on after it
    kUnknownExtension,  // an extension label we do not know; its sub-blocks are skipped
    kTruncated,         // the data ended inside an image descriptor or colour table
    kNoImageInPass,     // the stream was restarted twice in one round without an image
};

// The passes in which an interlaced image stores its rows, in stored order: each
// pass holds the rows start, start + step, start + 2 * step, ...
struct GifInterlacePass {
    int start, step;
};
constexpr GifInterlacePass kGifInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

// One image as found in the block stream, with the graphic control values in force.
struct GifImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    const GifPalette* palette = nullptr;  // local table, else the global one
    unsigned minCodeSize = 0;
    const uint8_t* codes = nullptr;  // the data sub-blocks joined
    size_t codeSize = 0;
    bool truncated = false;    // the sub-blocks ran past the end of the data
    unsigned disposal = 0;     // 0..7, from this round's graphic control block
    bool transparent = false;  // in force from the last graphic control block
    uint8_t transparentIndex = 0;
    unsigned delay = 0;  // hundredths of a second, likewise
};

class GifBlockReader {
  public:
    // data must outlive the reader; header from ParseGifHeader on the same data.
    void Open(const uint8_t* data, size_t size, const GifHeader& header);

    // Back to the start of the stream; graphic control values cleared.
    void Restart();

    // Reads blocks from the read position until an image has been found (kImage,
    // image filled in) or the round ends without one. The disposal method counts
    // only for the round in which its graphic control block was read.
    GifBlockResult ReadRound(GifImage& image);

    // Offset of the read position in the data.
    size_t position() const { return pos_; }
    // Delay in force, in hundredths of a second.
    unsigned delay() const { return delay_; }
    // How often reading has gone back to the start of the stream since Restart().
    unsigned restarts() const { return restarts_; }

  private:
    // Reads sub-blocks up to their terminator, appending their bytes to `joined`
    // when given; false when the data ended first (position at the end).
    bool ReadSubBlocks(std::vector<uint8_t>* joined = nullptr);

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t start_ = 0;
    size_t pos_ = 0;
    const GifPalette* global_ = nullptr;
    GifPalette local_;
    std::vector<uint8_t> codes_;
    // Graphic control values in force.
    unsigned disposal_ = 0;
    bool transparent_ = false;
    uint8_t transparentIndex_ = 0;
    unsigned delay_ = 0;
    unsigned restarts_ = 0;
};

}  // namespace velmora

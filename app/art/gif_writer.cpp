#include "app/art/gif_writer.h"

#include "runtime/byte_reader.h"

namespace velmora::art {

namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kMaxCodes = 4096;

// Packs variable-width codes least significant bit first into 255-byte sub-blocks.
class CodeStream {
  public:
    void Put(int code, int width) {
        bits_ |= static_cast<uint32_t>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            Byte(static_cast<uint8_t>(bits_));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::string Finish() {
        if (count_ > 0)
            Byte(static_cast<uint8_t>(bits_));
        Flush();
        out_.push_back('\0');  // block terminator
        return std::move(out_);
    }

  private:
    void Byte(uint8_t b) {
        block_.push_back(static_cast<char>(b));
        if (block_.size() == 255)
            Flush();
    }
    void Flush() {
        if (block_.empty())
            return;
        out_.push_back(static_cast<char>(block_.size()));
        out_ += block_;
        block_.clear();
    }

    uint32_t bits_ = 0;
    int count_ = 0;
    std::string block_, out_;
};

}  // namespace

std::string EncodeGifImageData(const std::vector<uint8_t>& indexes) {
    std::string out(1, static_cast<char>(kMinCodeSize));
    CodeStream codes;
    // child[prefix * 256 + byte]: the code of prefix+byte, 0 = none yet.
    std::vector<uint16_t> child(static_cast<size_t>(kMaxCodes) * 256, 0);
    int width = kMinCodeSize + 1;
    int next = kEndCode + 1;
    codes.Put(kClearCode, width);
    if (indexes.empty()) {
        codes.Put(kEndCode, width);
        return out + codes.Finish();
    }
    int prefix = indexes[0];
    for (size_t i = 1; i < indexes.size(); ++i) {
        const uint8_t c = indexes[i];
        uint16_t& slot = child[static_cast<size_t>(prefix) * 256 + c];
        if (slot != 0) {
            prefix = slot;
            continue;
        }
        codes.Put(prefix, width);
        if (next < kMaxCodes) {
            slot = static_cast<uint16_t>(next++);
            // The reader adds its entry one code later, so it widens when its
            // next free code reaches 2^width; here that is one entry on.
            if (next > (1 << width) && width < 12)
                ++width;
        } else {
            codes.Put(kClearCode, width);
            std::fill(child.begin(), child.end(), 0);
            width = kMinCodeSize + 1;
            next = kEndCode + 1;
        }
        prefix = c;
    }
    codes.Put(prefix, width);
    codes.Put(kEndCode, width);
    return out + codes.Finish();
}

std::string EncodeGif(const GifAnimation& gif) {
    ByteWriter w;
    w.Bytes("GIF89a");
    w.U16(gif.width);
    w.U16(gif.height);
    w.U8(0xF7);  // global colour table of 256 entries, 8 bits of colour resolution
    w.U8(0);     // background colour index
    w.U8(0);     // no aspect ratio
    for (uint32_t rgb : gif.palette) {
        w.U8(static_cast<uint8_t>(rgb >> 16));
        w.U8(static_cast<uint8_t>(rgb >> 8));
        w.U8(static_cast<uint8_t>(rgb));
    }
    if (gif.loopCount >= 0) {
        w.U8(0x21);
        w.U8(0xFF);
        w.U8(11);
        w.Bytes("NETSCAPE2.0");
        w.U8(3);
        w.U8(1);
        w.U16(static_cast<uint16_t>(gif.loopCount));
        w.U8(0);
    }
    const size_t pixels = static_cast<size_t>(gif.width) * gif.height;
    for (const std::vector<uint8_t>& frame : gif.frames) {
        if (frame.size() != pixels)
            continue;
        // +0 0x21 0xF9, +2 size 4, +3 flags (disposal << 2 | transparent), +4 u16 delay,
        // +6 transparent index, +7 terminator
        w.U8(0x21);
        w.U8(0xF9);
        w.U8(4);
        w.U8(static_cast<uint8_t>(((gif.disposal & 7) << 2) | (gif.transparentIndex >= 0 ? 1 : 0)));
        w.U16(gif.delay);
        w.U8(static_cast<uint8_t>(gif.transparentIndex >= 0 ? gif.transparentIndex : 0));
        w.U8(0);
        // Image descriptor covering the whole screen, no local table, not interlaced.
        w.U8(0x2C);
        w.U16(0);
        w.U16(0);
        w.U16(gif.width);
        w.U16(gif.height);
        w.U8(0);
        w.Bytes(EncodeGifImageData(frame));
    }
    w.U8(0x3B);
    return w.Take();
}

}  // namespace velmora::art

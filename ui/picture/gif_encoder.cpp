#include "ui/picture/gif_encoder.h"

#include <algorithm>
#include <cstring>

#include "runtime/byte_reader.h"
#include "ui/picture/gif_decoder.h"

namespace velmora {

namespace {

class BitWriter {
  public:
    void Put(uint32_t code, unsigned width) {
        acc_ |= uint64_t{code} << count_;
        count_ += width;
        while (count_ >= 8) {
            out_.push_back(static_cast<char>(acc_ & 0xFF));
            acc_ >>= 8;
            count_ -= 8;
        }
    }
    std::string Finish() {
        if (count_ > 0)
            out_.push_back(static_cast<char>(acc_ & 0xFF));
        acc_ = 0;
        count_ = 0;
        return std::move(out_);
    }

  private:
    std::string out_;
    uint64_t acc_ = 0;
    unsigned count_ = 0;
};

unsigned BitLength(uint32_t v) {
    unsigned n = 0;
    while (v) {
        ++n;
        v >>= 1;
    }
    return n;
}

// Smallest table size exponent (1..8) for a palette of n colours; tables hold
// 2^(k + 1) entries with k stored in three bits.
unsigned TableBits(size_t n) {
    unsigned bits = 1;
    while ((size_t{1} << bits) < n && bits < 8)
        ++bits;
    return bits;
}

void WritePalette(ByteWriter& w, const std::vector<uint32_t>& palette, unsigned bits) {
    const size_t entries = size_t{1} << bits;
    for (size_t i = 0; i < entries; ++i) {
        const uint32_t c = i < palette.size() ? palette[i] : 0;
        w.U8(static_cast<uint8_t>(c >> 16));
        w.U8(static_cast<uint8_t>(c >> 8));
        w.U8(static_cast<uint8_t>(c));
    }
}

}  // namespace

std::string LzwCompress(const uint8_t* indices, size_t count, unsigned minCodeSize) {
    const uint32_t clear = 1u << minCodeSize;
    const uint32_t end = clear + 1;
    // Open-addressed hash from (prefix code, byte) to code.
    constexpr uint32_t kHashSize = 8192;
    std::vector<uint32_t> keys(kHashSize);
    std::vector<uint16_t> values(kHashSize);
    std::vector<uint8_t> used(kHashSize);
    uint32_t next = end + 1;

    BitWriter bits;
    // The width the decoder uses for the next code: it adds an entry for every code
    // but the first after a clear, one code behind the encoder.
    uint32_t decoderNext = end + 1;
    bool decoderHasPrev = false;
    auto emit = [&](uint32_t code) {
        bits.Put(code, std::min(12u, std::max(minCodeSize + 1, BitLength(decoderNext))));
        if (code == clear) {
            decoderNext = end + 1;
            decoderHasPrev = false;
        } else {
            if (decoderHasPrev && decoderNext < 4096)
                ++decoderNext;
            decoderHasPrev = true;
        }
    };
    auto resetTable = [&] {
        std::fill(used.begin(), used.end(), 0);
        next = end + 1;
    };

    emit(clear);
    if (count > 0) {
        uint32_t prefix = indices[0];
        for (size_t i = 1; i < count; ++i) {
            const uint8_t byte = indices[i];
            const uint32_t key = (prefix << 8) | byte;
            uint32_t h = (key * 2654435761u) >> 19;  // 13 bits
            while (used[h] && keys[h] != key)
                h = (h + 1) & (kHashSize - 1);
            if (used[h]) {
                prefix = values[h];
                continue;
            }
            emit(prefix);
            if (next < 4096) {
                used[h] = 1;
                keys[h] = key;
                values[h] = static_cast<uint16_t>(next++);
            } else {
                emit(clear);
                resetTable();
            }
            prefix = byte;
        }
        emit(prefix);
    }
    emit(end);
    return bits.Finish();
}

std::string SubBlocks(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 255 + 2);
    for (size_t i = 0; i < bytes.size(); i += 255) {
        const size_t n = std::min<size_t>(255, bytes.size() - i);
        out.push_back(static_cast<char>(n));
        out.append(bytes, i, n);
    }
    out.push_back('\0');
    return out;
}

std::string EncodeGif(const GifPlan& plan) {
    ByteWriter w;
    w.Bytes("GIF89a");
    w.U16(static_cast<uint16_t>(plan.width));
    w.U16(static_cast<uint16_t>(plan.height));
    const unsigned globalBits = TableBits(plan.globalPalette.size());
    w.U8(static_cast<uint8_t>(0x70 | (plan.globalPalette.empty() ? 0 : 0x80 | (globalBits - 1))));
    w.U8(0);  // background
    w.U8(0);  // aspect ratio
    if (!plan.globalPalette.empty())
        WritePalette(w, plan.globalPalette, globalBits);
    if (plan.loopForever) {
        w.U8(0x21);
        w.U8(0xFF);
        w.U8(11);
        w.Bytes("NETSCAPE2.0");
        w.U8(3);
        w.U8(1);
        w.U16(0);
        w.U8(0);
    }
    for (const GifFramePlan& f : plan.frames) {
        if (f.graphicControl) {
            w.U8(0x21);
            w.U8(0xF9);
            w.U8(4);
            w.U8(static_cast<uint8_t>(((f.disposal & 7) << 2) | (f.transparentIndex >= 0 ? 1 : 0)));
            w.U16(static_cast<uint16_t>(f.delay));
            w.U8(static_cast<uint8_t>(f.transparentIndex >= 0 ? f.transparentIndex : 0));
            w.U8(0);
        }
        w.U8(0x2C);
        w.U16(static_cast<uint16_t>(f.left));
        w.U16(static_cast<uint16_t>(f.top));
        w.U16(static_cast<uint16_t>(f.width));
        w.U16(static_cast<uint16_t>(f.height));
        const bool local = !f.localPalette.empty();
        const unsigned localBits = TableBits(f.localPalette.size());
        w.U8(
            static_cast<uint8_t>((local ? 0x80 | (localBits - 1) : 0) | (f.interlaced ? 0x40 : 0)));
        if (local)
            WritePalette(w, f.localPalette, localBits);
        const unsigned tableBits = local ? localBits : globalBits;
        const unsigned minCodeSize = std::max(2u, tableBits);
        w.U8(static_cast<uint8_t>(minCodeSize));

        // The indices are written as given, even when they fall short of the frame
        // (to make short image data); interlacing moves only the rows present.
        std::vector<uint8_t> stored;
        const uint8_t* rows = f.indices.data();
        size_t count = f.indices.size();
        if (f.interlaced && f.width > 0) {
            stored.reserve(count);
            const size_t rowsPresent =
                std::min(count / size_t(f.width), size_t(std::max(f.height, 0)));
            for (const GifInterlacePass& pass : kGifInterlacePasses) {
                for (size_t y = size_t(pass.start); y < rowsPresent; y += size_t(pass.step)) {
                    const uint8_t* row = f.indices.data() + y * size_t(f.width);
                    stored.insert(stored.end(), row, row + f.width);
                }
            }
            rows = stored.data();
            count = stored.size();
        }
        w.Bytes(SubBlocks(LzwCompress(rows, count, minCodeSize)));
    }
    w.U8(0x3B);
    return w.Take();
}

}  // namespace velmora

#include "ui/picture/gif_lzw.h"

#include <cassert>
#include <cstring>

namespace velmora {

namespace {

inline uint64_t LoadLe64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    v = __builtin_bswap64(v);
#endif
    return v;
}

// Copies len bytes from an earlier place of the same output, 8 at a time. The
// source ends at or before dst, so each block reads only bytes this copy does not
// write, and bytes copied beyond len land in the slack and are overwritten later.
inline void CopyEarlier(uint8_t* dst, const uint8_t* src, uint32_t len) {
    for (uint32_t i = 0; i < len; i += 8) {
        uint64_t v;
        std::memcpy(&v, src + i, 8);
        std::memcpy(dst + i, &v, 8);
    }
}

}  // namespace

bool LzwDecoder::Start(unsigned minCodeSize, const uint8_t* codes, size_t size) {
    state_ = LzwState::kInvalidCode;
    if (minCodeSize < 2 || minCodeSize > 8) return false;
    minCodeSize_ = minCodeSize;
    clearCode_ = 1u << minCodeSize;
    for (uint32_t c = 0; c < clearCode_; ++c) {
        table_[c] = Entry{0, 1, 0, static_cast<uint8_t>(c), static_cast<uint8_t>(c)};
    }
    in_ = codes;
    inEnd_ = codes + size;
    bits_ = 0;
    bitCount_ = 0;
    pos_ = 0;
    pendingCode_ = kNoCode;
    pendingDone_ = 0;
    Reset();
    state_ = LzwState::kRunning;
    return true;
}

void LzwDecoder::Reset() {
    nextCode_ = clearCode_ + 2;
    width_ = minCodeSize_ + 1;
    prevCode_ = kNoCode;
}

void LzwDecoder::WriteStringPart(uint32_t code, uint32_t from, uint32_t count,
                                 uint8_t* dst) const {
    // Strings are walked from their last byte to their first.
    const uint32_t to = from + count;
    uint32_t c = code;
    for (uint32_t i = table_[code].length; i-- > from;) {
        if (i < to) dst[i - from] = table_[c].suffix;
        c = table_[c].prefix;
    }
}

size_t LzwDecoder::Decode(uint8_t* out, size_t capacity) {
    if (state_ != LzwState::kRunning) return 0;
    const uint32_t base = pos_;  // absolute position of out[0]
    size_t n = 0;

    if (pendingCode_ != kNoCode) {
        const uint32_t left = table_[pendingCode_].length - pendingDone_;
        const uint32_t now = left < capacity ? left : static_cast<uint32_t>(capacity);
        WriteStringPart(pendingCode_, pendingDone_, now, out);
        n = now;
        pendingDone_ += now;
        if (pendingDone_ == table_[pendingCode_].length) pendingCode_ = kNoCode;
    }

    const uint32_t clearCode = clearCode_;
    const uint32_t endCode = clearCode + 1;
    while (n < capacity) {
        if (bitCount_ < width_) {
            if (inEnd_ - in_ >= 8) {
                bits_ |= LoadLe64(in_) << bitCount_;
                in_ += (63 - bitCount_) >> 3;
                bitCount_ |= 56;
            } else {
                while (bitCount_ <= 56 && in_ < inEnd_) {
                    bits_ |= uint64_t{*in_++} << bitCount_;
                    bitCount_ += 8;
                }
                if (bitCount_ < width_) {
                    state_ = LzwState::kOutOfData;
                    break;
                }
            }
        }
        const uint32_t code = static_cast<uint32_t>(bits_) & ((1u << width_) - 1);
        bits_ >>= width_;
        bitCount_ -= width_;
        const uint32_t at = base + static_cast<uint32_t>(n);

        if (code < clearCode) {
            // A literal: the commonest code in busy images, and always one byte.
            if (prevCode_ != kNoCode && nextCode_ < kMaxCodes) {
                const Entry& prev = table_[prevCode_];
                table_[nextCode_] = Entry{prevPos_, static_cast<uint16_t>(prev.length + 1),
                                          static_cast<uint16_t>(prevCode_),
                                          static_cast<uint8_t>(code), prev.first};
                if (++nextCode_ == (1u << width_) && width_ < 12) ++width_;
            }
            out[n++] = static_cast<uint8_t>(code);
            prevCode_ = code;
            prevPos_ = at;
            continue;
        }
        if (code == clearCode) {
            Reset();
            continue;
        }
        if (code == endCode) {
            state_ = LzwState::kEnded;
            break;
        }
        // Range check before the code indexes the table: known codes lie below
        // nextCode_; nextCode_ itself is allowed only after a previous code (it is
        // the string being defined by this very code).
        if (code >= nextCode_ && (code != nextCode_ || prevCode_ == kNoCode)) {
            state_ = LzwState::kInvalidCode;
            break;
        }
        assert(code < kMaxCodes);
        if (prevCode_ != kNoCode && nextCode_ < kMaxCodes) {
            // The new entry is the previous string plus the first byte of this one;
            // for the code being defined that is the previous string's first byte.
            const Entry& prev = table_[prevCode_];
            const uint8_t suffix = code == nextCode_ ? prev.first : table_[code].first;
            table_[nextCode_] = Entry{prevPos_, static_cast<uint16_t>(prev.length + 1),
                                      static_cast<uint16_t>(prevCode_), suffix, prev.first};
            if (++nextCode_ == (1u << width_) && width_ < 12) ++width_;
        }

        const Entry& e = table_[code];
        const uint32_t len = e.length;
        uint8_t* dst = out + n;
        if (len > capacity - n) {
            const uint32_t now = static_cast<uint32_t>(capacity - n);
            WriteStringPart(code, 0, now, dst);
            pendingCode_ = code;
            pendingDone_ = now;
            n = capacity;
        } else if (e.offset >= base) {
            // The string's bytes are in this call's output already: copy them. A
            // string defined by this very code overlaps its own copy by one byte,
            // its last, which equals its first.
            const uint8_t* src = out + (e.offset - base);
            if (src + len > dst) {
                CopyEarlier(dst, src, len - 1);
                dst[len - 1] = e.first;
            } else {
                CopyEarlier(dst, src, len);
            }
            n += len;
        } else {
            WriteStringPart(code, 0, len, dst);
            n += len;
        }
        prevCode_ = code;
        prevPos_ = at;
    }
    pos_ = base + static_cast<uint32_t>(n);
    return n;
}

}  // namespace velmora

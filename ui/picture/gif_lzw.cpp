#include "ui/picture/gif_lzw.h"

#include <cassert>
#include <cstring>

namespace velmora {

namespace {

inline void StoreLe64(uint8_t* p, uint64_t v) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    v = __builtin_bswap64(v);
#endif
    std::memcpy(p, &v, 8);
}

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
    if (minCodeSize < 2 || minCodeSize > 8)
        return false;
    minCodeSize_ = minCodeSize;
    clearCode_ = 1u << minCodeSize;
    for (uint32_t c = 0; c < clearCode_; ++c) {
        table_[c] = Entry{c, 0, 1, 0};
        suffix_[c] = static_cast<uint8_t>(c);
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

void LzwDecoder::WriteStringPart(uint32_t code, uint32_t from, uint32_t count, uint8_t* dst) const {
    // Strings are walked from their last byte to their first.
    const uint32_t to = from + count;
    uint32_t c = code;
    for (uint32_t i = table_[code].length; i-- > from;) {
        if (i < to)
            dst[i - from] = suffix_[c];
        c = table_[c].prefix;
    }
}

size_t LzwDecoder::Decode(uint8_t* out, size_t capacity) {
    if (state_ != LzwState::kRunning)
        return 0;
    const uint32_t base = pos_;  // absolute position of out[0]
    size_t n = 0;

    if (pendingCode_ != kNoCode) {
        const uint32_t left = table_[pendingCode_].length - pendingDone_;
        const uint32_t now = left < capacity ? left : static_cast<uint32_t>(capacity);
        WriteStringPart(pendingCode_, pendingDone_, now, out);
        n = now;
        pendingDone_ += now;
        if (pendingDone_ == table_[pendingCode_].length)
            pendingCode_ = kNoCode;
    }

    // The decoder's state lives in locals while decoding: stores through `out`
    // (bytes) could alias the members, which would force every one of them to be
    // written back and read again after each output byte.
    Entry* const table = table_;
    const uint32_t clearCode = clearCode_;
    const uint32_t endCode = clearCode + 1;
    const uint8_t* in = in_;
    const uint8_t* const inEnd = inEnd_;
    uint64_t bits = bits_;
    unsigned bitCount = bitCount_;
    unsigned width = width_;
    uint32_t nextCode = nextCode_;
    uint32_t prevCode = prevCode_;
    uint32_t prevPos = prevPos_;
    LzwState state = LzwState::kRunning;

    while (n < capacity) {
        if (bitCount < width) {
            if (inEnd - in >= 8) {
                bits |= LoadLe64(in) << bitCount;
                in += (63 - bitCount) >> 3;
                bitCount |= 56;
            } else {
                while (bitCount <= 56 && in < inEnd) {
                    bits |= uint64_t{*in++} << bitCount;
                    bitCount += 8;
                }
                if (bitCount < width) {
                    state = LzwState::kOutOfData;
                    break;
                }
            }
        }
        const uint32_t code = static_cast<uint32_t>(bits) & ((1u << width) - 1);
        bits >>= width;
        bitCount -= width;
        if (code - clearCode < 2) {
            if (code == endCode) {
                state = LzwState::kEnded;
                break;
            }
            nextCode = clearCode + 2;
            width = minCodeSize_ + 1;
            prevCode = kNoCode;
            continue;
        }
        // Range check before the code indexes the table: known codes lie below
        // nextCode; nextCode itself is allowed only after a previous code (it is
        // the string being defined by this very code, whose first byte is the
        // previous string's).
        uint8_t first;
        if (code < nextCode) {
            first = static_cast<uint8_t>(table[code].head);
        } else if (code == nextCode && prevCode != kNoCode) {
            first = static_cast<uint8_t>(table[prevCode].head);
        } else {
            state = LzwState::kInvalidCode;
            break;
        }
        assert(code < kMaxCodes);
        if (prevCode != kNoCode && nextCode < kMaxCodes) {
            // New entry: the previous string plus the first byte of this one.
            const Entry& prev = table[prevCode];
            uint64_t head = prev.head;
            if (prev.length < 8)
                head |= uint64_t{first} << (8 * prev.length);
            table[nextCode] = Entry{head, prevPos, static_cast<uint16_t>(prev.length + 1),
                                    static_cast<uint16_t>(prevCode)};
            suffix_[nextCode] = first;
            if (++nextCode == (1u << width) && width < 12)
                ++width;
        }

        const Entry& e = table[code];
        const uint32_t len = e.length;
        const uint32_t at = base + static_cast<uint32_t>(n);
        uint8_t* dst = out + n;
        if (len <= 8 && len <= capacity - n) {
            // Bytes beyond len land in what follows (or in the slack) and are
            // overwritten later.
            StoreLe64(dst, e.head);
            n += len;
        } else if (len > capacity - n) {
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
                dst[len - 1] = first;
            } else {
                CopyEarlier(dst, src, len);
            }
            n += len;
        } else {
            WriteStringPart(code, 0, len, dst);
            n += len;
        }
        prevCode = code;
        prevPos = at;
    }

    in_ = in;
    bits_ = bits;
    bitCount_ = bitCount;
    width_ = width;
    nextCode_ = nextCode;
    prevCode_ = prevCode;
    prevPos_ = prevPos;
    state_ = state;
    pos_ = base + static_cast<uint32_t>(n);
    return n;
}

}  // namespace velmora

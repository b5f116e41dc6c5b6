#pragma once
// The GIF variant of LZW: variable-width codes (up to 12 bits, least significant
// bit first), a clear code and an end code, a fixed table of 4096 entries.
// Knows nothing about the GIF container: it reads one image's code bytes (the
// data sub-blocks already joined) and writes 8-bit indices.

#include <cstddef>
#include <cstdint>

namespace velmora {

enum class LzwState {
    kRunning,      // more output may follow
    kEnded,        // the end code was read
    kOutOfData,    // the code bytes ended before the end code
    kInvalidCode,  // a code beyond the entries defined so far, or a bad first code
};

class LzwDecoder {
  public:
    // Bytes that Decode may write (and later overwrite) beyond `capacity`.
    static constexpr size_t kSlack = 16;
    static constexpr unsigned kMaxCodes = 4096;

    // Starts an image. The minimum code size must be 2..8 (an index fits in a byte);
    // returns false otherwise. `codes` must stay valid while decoding.
    bool Start(unsigned minCodeSize, const uint8_t* codes, size_t size);

    // Writes up to `capacity` indices to out (which must have kSlack more writable
    // bytes) and returns how many were written. A string that does not fit is
    // finished by the next call. Fewer than `capacity` means state() is no longer
    // kRunning.
    size_t Decode(uint8_t* out, size_t capacity);

    LzwState state() const { return state_; }

  private:
    static constexpr uint32_t kNoCode = 0xFFFF;

    void Reset();
    // Writes bytes [from, from + count) of the string of `code` to dst.
    void WriteStringPart(uint32_t code, uint32_t from, uint32_t count, uint8_t* dst) const;

    // Table: the string of code c is the string of `prefix` followed by
    // suffix_[c]; it is `length` bytes long, its first (up to) 8 bytes are `head`
    // (first byte lowest), and it was last written at absolute output position
    // `offset` (codes above the end code only). Most strings of busy images fit in
    // `head`, so they are written with one 8-byte store and no branch on their kind.
    struct Entry {
        uint64_t head;
        uint32_t offset;
        uint16_t length;  // 1..4096
        uint16_t prefix;  // < 4096
    };
    Entry table_[kMaxCodes];
    uint8_t suffix_[kMaxCodes];

    const uint8_t* in_ = nullptr;
    const uint8_t* inEnd_ = nullptr;
    uint64_t bits_ = 0;
    unsigned bitCount_ = 0;     // 0..64
    unsigned minCodeSize_ = 0;  // 2..8 once started
    uint32_t clearCode_ = 0;    // 2^minCodeSize
    uint32_t nextCode_ = 0;     // end code + 1 .. 4096
    unsigned width_ = 0;        // minCodeSize + 1 .. 12
    uint32_t prevCode_ = kNoCode;
    uint32_t prevPos_ = 0;            // absolute output position of prevCode_'s string
    uint32_t pos_ = 0;                // absolute output position (bytes written so far)
    uint32_t pendingCode_ = kNoCode;  // string cut at the end of the last call
    uint32_t pendingDone_ = 0;        // bytes of it already written
    LzwState state_ = LzwState::kEnded;
};

}  // namespace velmora

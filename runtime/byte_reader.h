#pragma once
// Bounds-checked little-endian reading of untrusted bytes. A read past the end
// yields zeros and sets a sticky failed() flag, so parsers can read a whole
// structure and check once.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace velmora {

// The little-endian 16-bit value at `p`, for callers that have checked the length.
inline uint16_t U16At(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Three bytes red, green, blue as one 0x00RRGGBB value.
inline uint32_t RgbAt(const uint8_t* p) {
    return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool failed() const { return failed_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return failed_ ? 0 : size_ - pos_; }

    uint8_t U8() {
        if (!Need(1))
            return 0;
        return data_[pos_++];
    }
    uint16_t U16() {
        if (!Need(2))
            return 0;
        const uint16_t v = U16At(data_ + pos_);
        pos_ += 2;
        return v;
    }
    uint32_t U32() {
        if (!Need(4))
            return 0;
        uint32_t v = static_cast<uint32_t>(data_[pos_]) |
                     (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
                     (static_cast<uint32_t>(data_[pos_ + 2]) << 16) |
                     (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }

    // Copies n bytes into out; fails (and leaves out empty) when fewer remain.
    bool Bytes(size_t n, std::string& out) {
        out.clear();
        if (!Need(n))
            return false;
        out.assign(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return true;
    }
    // A u32 length followed by that many bytes.
    bool LengthPrefixed(std::string& out) {
        uint32_t n = U32();
        return !failed_ && Bytes(n, out);
    }
    // Zero-terminated text; fails when no terminator lies within the data.
    bool ZeroTerminated(std::string& out) {
        out.clear();
        if (failed_)
            return false;
        const void* end = std::memchr(data_ + pos_, 0, size_ - pos_);
        if (!end) {
            failed_ = true;
            return false;
        }
        size_t n = static_cast<const uint8_t*>(end) - (data_ + pos_);
        out.assign(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n + 1;
        return true;
    }
    bool Skip(size_t n) { return Need(n) ? (pos_ += n, true) : false; }

  private:
    bool Need(size_t n) {
        if (failed_ || n > size_ - pos_) {
            failed_ = true;
            return false;
        }
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool failed_ = false;
};

// Appends little-endian values to a byte string; the writing half of ByteReader.
class ByteWriter {
  public:
    void U8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            U8(static_cast<uint8_t>(v >> (8 * i)));
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void Bytes(const std::string& b) { out_ += b; }
    void Zeros(size_t n) { out_.append(n, '\0'); }
    void LengthPrefixed(const std::string& b) {
        U32(static_cast<uint32_t>(b.size()));
        Bytes(b);
    }
    void ZeroTerminated(const std::string& s) {
        out_ += s;
        U8(0);
    }
    // Overwrites a u32 written earlier at byte offset at.
    void PatchU32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out_[at + i] = static_cast<char>(v >> (8 * i));
    }
    size_t size() const { return out_.size(); }
    const std::string& bytes() const { return out_; }
    std::string Take() { return std::move(out_); }

  private:
    std::string out_;
};

}  // namespace velmora

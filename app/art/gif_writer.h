#pragma once
// A minimal GIF89a writer for the program's own animated picture: one global
// 256-colour table, an optional looping application extension, and full-screen
// frames, each with the same graphic control values, LZW-coded with 8-bit
// minimum code size.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::art {

struct GifAnimation {
    uint16_t width = 0, height = 0;
    std::array<uint32_t, 256> palette{};       // 0xRRGGBB
    int loopCount = 0;                         // NETSCAPE2.0 loop count; -1 writes no extension
    uint16_t delay = 0;                        // hundredths of a second
    uint8_t disposal = 0;                      // disposal method 0..7
    int transparentIndex = -1;                 // -1: none
    std::vector<std::vector<uint8_t>> frames;  // width * height palette indexes each
};

// The GIF file; frames of the wrong size are not written.
std::string EncodeGif(const GifAnimation& gif);

// LZW-codes palette indexes as GIF image data: the minimum code size byte (8)
// and the data sub-blocks with their terminator.
std::string EncodeGifImageData(const std::vector<uint8_t>& indexes);

}  // namespace velmora::art

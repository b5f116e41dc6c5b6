#pragma once
// A small GIF writer: LZW compression of 8-bit indices and the container around it.
// Used to build the program's animation resource and test and benchmark inputs.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct GifFramePlan {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;        // width * height, top row first
    std::vector<uint32_t> localPalette;  // 0x00RRGGBB; empty: use the global table
    bool interlaced = false;             // store the rows in the four GIF passes
    bool graphicControl = true;          // write a graphic control block before the image
    unsigned disposal = 0;
    unsigned delay = 0;         // hundredths of a second
    int transparentIndex = -1;  // -1: none
};

struct GifPlan {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> globalPalette;  // 0x00RRGGBB; empty: no global table
    bool loopForever = false;             // NETSCAPE2.0 application block, loop count 0
    std::vector<GifFramePlan> frames;
};

// LZW-compresses indices (each below 2^minCodeSize) into GIF code bytes (without
// the sub-block framing). A clear code starts the data and follows every full table.
std::string LzwCompress(const uint8_t* indices, size_t count, unsigned minCodeSize);

// Frames the bytes as data sub-blocks of up to 255 bytes, with the terminating 0.
std::string SubBlocks(const std::string& bytes);

// A complete GIF89a file.
std::string EncodeGif(const GifPlan& plan);

}  // namespace velmora

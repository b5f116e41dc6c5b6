// libFuzzer target: GIF header, block stream, LZW and composition. Plays up to 12
// rounds as the player would (and the still picture), checking that every round
// ends and the canvas keeps the logical screen's size; and decodes the first
// image's codes both at once and in small pieces, which must give the same indices.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/picture/gif_animation.h"
#include "ui/picture/gif_decoder.h"
#include "ui/picture/gif_lzw.h"

namespace {

using namespace velmora;

void CompareWholeAndPieces(const uint8_t* data, size_t size) {
    GifHeader header;
    if (ParseGifHeader(data, size, header) != GifResult::kOk)
        return;
    GifBlockReader reader;
    reader.Open(data, size, header);
    GifImage image;
    if (reader.ReadRound(image) != GifBlockResult::kImage)
        return;
    const size_t capacity = std::min<size_t>(size_t(image.width) * image.height, 1 << 16);
    std::vector<uint8_t> whole(capacity + LzwDecoder::kSlack);
    std::vector<uint8_t> pieces(capacity + LzwDecoder::kSlack);
    LzwDecoder a, b;
    if (!a.Start(image.minCodeSize, image.codes, image.codeSize))
        return;
    b.Start(image.minCodeSize, image.codes, image.codeSize);
    const size_t n = a.Decode(whole.data(), capacity);
    size_t m = 0;
    for (size_t piece = 1; m < capacity; piece = piece % 7 + 1) {
        const size_t want = std::min(piece, capacity - m);
        const size_t got = b.Decode(pieces.data() + m, want);
        m += got;
        if (got < want)
            break;
    }
    if (n != m || a.state() != b.state())
        __builtin_trap();
    for (size_t i = 0; i < n; ++i) {
        if (whole[i] != pieces[i])
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GifOptions options;
    options.maxCanvasPixels = 1 << 15;
    options.maxFramePixels = 1 << 16;
    GifAnimation gif;
    if (gif.Open(data, size, options) == GifResult::kOk) {
        const int w = gif.width(), h = gif.height();
        gif.Restart();
        for (int i = 0; i < 12; ++i) {
            gif.Step();
            if (gif.canvas().width() != w || gif.canvas().height() != h)
                __builtin_trap();
        }
    }
    options.opaque = true;
    GifAnimation still;
    still.Open(data, size, options);
    CompareWholeAndPieces(data, size);
    return 0;
}

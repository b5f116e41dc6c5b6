// libFuzzer target: GIF header, block stream, LZW and composition. Plays up to 12
// rounds as the player would (and the still picture), checking that every round
// ends and the canvas keeps the logical screen's size.
#include <cstddef>
#include <cstdint>

#include "ui/picture/gif_animation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    GifOptions options;
    options.maxCanvasPixels = 1 << 16;
    options.maxFramePixels = 1 << 18;
    GifAnimation gif;
    if (gif.Open(data, size, options) == GifResult::kOk) {
        const int w = gif.width(), h = gif.height();
        gif.Restart();
        for (int i = 0; i < 12; ++i) {
            const GifRound round = gif.Step();
            if (round.delayMs < 10 && round.delayMs != 0)
                __builtin_trap();
            if (gif.canvas().width() != w || gif.canvas().height() != h)
                __builtin_trap();
        }
    }
    options.opaque = true;
    GifAnimation still;
    still.Open(data, size, options);
    return 0;
}

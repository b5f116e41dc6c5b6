// What one frame of the main window's picture costs, piece by piece, on a real
// 112 x 145 window: a round of the animation (decoding and drawing the frame onto
// the canvas), then putting the canvas on the window stretched by halftone, by
// colour-on-colour, and through the stretched-canvas cache (halftone's look).
// Prints microseconds a frame (medians of batches) and the ratios to a plain copy
// of a bitmap of the box's size, the least any frame can cost.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/art/velmora_art.h"
#include "ui/picture/gif_animation.h"
#include "ui/picture/stretched_canvas_cache_win.h"

namespace {

using namespace velmora;

constexpr int kBoxWidth = 112, kBoxHeight = 145;
constexpr int kBatches = 15, kPerBatch = 60;

double MicrosecondsPerCall(const std::function<void()>& call) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    std::vector<double> batches;
    for (int b = 0; b < kBatches; ++b) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < kPerBatch; ++i)
            call();
        GdiFlush();
        QueryPerformanceCounter(&t1);
        batches.push_back(double(t1.QuadPart - t0.QuadPart) * 1e6 / double(f.QuadPart) / kPerBatch);
    }
    std::sort(batches.begin(), batches.end());
    return batches[batches.size() / 2];
}

}  // namespace

int main() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelmoraFrameCostBox";
    RegisterClassW(&wc);
    HWND box = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 20, 20, kBoxWidth,
                               kBoxHeight, nullptr, nullptr, wc.hInstance, nullptr);
    if (!box) {
        std::fprintf(stderr, "frame cost: no window (is there a display?)\n");
        return 1;
    }
    const std::string gif = art::MosquitoAnimationGif();
    GifAnimation animation;
    animation.Open(reinterpret_cast<const uint8_t*>(gif.data()), gif.size());
    WindowDc dc(box);
    const Placement place{0, 0, kBoxWidth, kBoxHeight};
    const int w = animation.width(), h = animation.height();

    const double round = MicrosecondsPerCall([&] { animation.Step(); });
    UniqueDc memory(CreateCompatibleDC(dc.get()));
    UniqueGdi<HBITMAP> boxSized(CreateCompatibleBitmap(dc.get(), kBoxWidth, kBoxHeight));
    DcSelect select(memory.get(), boxSized.get());
    const double copy =
        MicrosecondsPerCall([&] { BitBlt(dc.get(), 0, 0, kBoxWidth, kBoxHeight, memory.get(), 0, 0, SRCCOPY); });
    // The six canvases of a loop, put on the window in turn.
    std::vector<std::vector<uint32_t>> canvases;
    animation.Restart();
    for (int i = 0; i < art::kAnimationFrames; ++i) {
        animation.Step();
        canvases.emplace_back(animation.canvas().pixels(), animation.canvas().pixels() + size_t(w) * h);
    }
    size_t next = 0;
    auto nextCanvas = [&] { return canvases[next++ % canvases.size()].data(); };
    auto stretch = [&](int mode) {
        return MicrosecondsPerCall([&] { StretchCanvas(dc.get(), place, nextCanvas(), w, h, mode); });
    };
    const double halftone = stretch(HALFTONE);
    const double colourOnColour = stretch(COLORONCOLOR);
    StretchedCanvasCache cache;
    const double cached =
        MicrosecondsPerCall([&] { cache.Draw(dc.get(), place, nextCanvas(), w, h, HALFTONE); });

    std::printf("cost of one frame of the program's picture into a %dx%d box (us, median of %d x %d)\n",
                kBoxWidth, kBoxHeight, kBatches, kPerBatch);
    std::printf("  %-46s %8.1f\n", "a round: decode and draw onto the canvas", round);
    std::printf("  %-46s %8.1f  (baseline)\n", "plain copy of a box-sized bitmap", copy);
    std::printf("  %-46s %8.1f  ratio %.2f\n", "halftone stretch of the canvas", halftone, halftone / copy);
    std::printf("  %-46s %8.1f  ratio %.2f\n", "colour-on-colour stretch of the canvas", colourOnColour,
                colourOnColour / copy);
    std::printf("  %-46s %8.1f  ratio %.2f  (%zu canvases kept)\n", "halftone through the cache", cached,
                cached / copy, cache.size());
    DestroyWindow(box);
    return 0;
}

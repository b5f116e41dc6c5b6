// The pace of a playing animation under the real player: the program's own picture
// (six frames of 50 ms) and two-frame animations of 20 and 70 ms, each stretched
// into a 112 x 145 box as in the main window and played for a few seconds. Prints
// the frames per second measured (performance counter, between the worker's first
// and last frame) against the nominal rate of the delay, as a ratio.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "app/art/velmora_art.h"
#include "ui/picture/gif_encoder.h"
#include "ui/picture/picture_display_win.h"

namespace {

using namespace velmora;

constexpr int kSeconds = 3;
constexpr int kMostFrames = 4096;

std::atomic<int> frames{0};
LONGLONG frameTimes[kMostFrames];

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

void RecordFrame(const GifPlayer*, unsigned) {
    const int n = frames.fetch_add(1);
    if (n < kMostFrames)
        frameTimes[n] = Now();
}

// Two full frames of the program's picture's size, in two colours.
std::string TwoFrames(unsigned delay) {
    GifPlan plan{art::kAnimationWidth, art::kAnimationHeight, {0xFF0000, 0x00FF00}, true, {}};
    for (uint8_t colour : {0, 1}) {
        GifFramePlan frame;
        frame.width = plan.width;
        frame.height = plan.height;
        frame.indices.assign(size_t(plan.width) * plan.height, colour);
        frame.disposal = 2;
        frame.delay = delay;
        plan.frames.push_back(frame);
    }
    return EncodeGif(plan);
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* display = reinterpret_cast<PictureDisplay*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_PAINT && display) {
        PaintScope paint(hwnd);
        display->PaintPicture(paint.dc());
        return 0;
    }
    if (msg == WM_DESTROY && display)
        display->StopAnimation();
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

}  // namespace

int main() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BoxProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelmoraFramePaceBox";
    RegisterClassW(&wc);
    HWND box = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 20, 20, 112, 145,
                               nullptr, nullptr, wc.hInstance, nullptr);
    if (!box) {
        std::fprintf(stderr, "frame pace: no window (is there a display?)\n");
        return 1;
    }
    UniqueGdi<HBRUSH> background(CreateSolidBrush(RGB(10, 20, 30)));
    PictureDisplay display(box, 1, background.get());
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&display));
    GifPlayer::SetFrameHook(RecordFrame);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    std::printf("frame pace of animations stretched into a 112x145 box, %d s each\n", kSeconds);
    struct Case {
        const char* what;
        std::string gif;
        double nominalMs;
    };
    const Case cases[] = {
        {"the program's picture, delay 0", art::MosquitoAnimationGif(), 50},
        {"two frames, delay 2", TwoFrames(2), 20},
        {"two frames, delay 7", TwoFrames(7), 70},
    };
    for (const Case& c : cases) {
        frames = 0;
        display.LoadPicture(reinterpret_cast<const uint8_t*>(c.gif.data()), c.gif.size(), true);
        UpdateWindow(box);  // the first paint starts the worker
        PumpFor(kSeconds * 1000);
        display.StopAnimation();
        const int n = std::min(frames.load(), kMostFrames);
        if (n < 2) {
            std::printf("  %s: too few frames (%d)\n", c.what, n);
            continue;
        }
        const double seconds = double(frameTimes[n - 1] - frameTimes[0]) / frequency.QuadPart;
        const double fps = (n - 1) / seconds;
        const double nominal = 1000.0 / c.nominalMs;
        LONGLONG longest = 0;
        for (int i = 1; i < n; ++i)
            longest = std::max(longest, frameTimes[i] - frameTimes[i - 1]);
        std::printf(
            "  %s (%.0f ms): %6.3f frames/s against %6.3f nominal: ratio %.4f "
            "(%.2f ms a frame, longest %.2f ms)\n",
            c.what, c.nominalMs, fps, nominal, fps / nominal, 1000.0 / fps,
            1000.0 * longest / frequency.QuadPart);
    }
    GifPlayer::SetFrameHook(nullptr);
    DestroyWindow(box);
    return 0;
}

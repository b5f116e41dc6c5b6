#pragma once
// Test support for the picture display on a real window: a box window whose
// procedure paints through a PictureDisplay and stops it in WM_DESTROY, the
// fixture that makes one, and picture data made in code.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/byte_reader.h"
#include "support/message_sequence_win.h"
#include "support/test_pictures.h"
#include "ui/picture/gif_encoder.h"
#include "ui/picture/picture_display_win.h"

namespace velmora::test {

inline constexpr COLORREF kBack = RGB(10, 20, 30);

struct Box {
    PictureDisplay* display = nullptr;
    int paints = 0;
};

inline LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<Box*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_PAINT:
            if (box && box->display) {
                PaintScope paint(hwnd);
                ++box->paints;
                box->display->PaintPicture(paint.dc());
                return 0;
            }
            break;
        case WM_DESTROY:
            if (box && box->display)
                box->display->StopAnimation();
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Registers a box class of the given class styles (once per name).
inline void RegisterBoxClass(const wchar_t* name, UINT style) {
    WNDCLASSW wc = {};
    wc.style = style;
    wc.lpfnWndProc = BoxProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
}

inline constexpr const wchar_t* kBoxClass = L"VelmoraPictureTestBox";

class PictureWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterBoxClass(kBoxClass, 0);
        brush_.reset(CreateSolidBrush(kBack));
        Create(112, 145, 0);
    }
    void TearDown() override {
        GifPlayer::SetFrameHook(nullptr);
        GifPlayer::SetCopyHook(nullptr);
        GifPlayer::SetWindowDcHook(nullptr);
        Destroy();
    }
    void Create(int width, int height, int mode, const wchar_t* className = kBoxClass) {
        hwnd_ = CreateWindowExW(0, className, L"", WS_POPUP | WS_VISIBLE, 20, 20, width, height,
                                nullptr, nullptr, GetModuleHandleW(nullptr), &box_);
        ASSERT_NE(hwnd_, nullptr);
        display_ = std::make_unique<PictureDisplay>(hwnd_, mode, brush_.get());
        box_.display = display_.get();
        PumpFor(20);
    }
    void Destroy() {
        if (hwnd_)
            DestroyWindow(hwnd_);
        hwnd_ = nullptr;
        box_.display = nullptr;
        display_.reset();
    }
    bool Load(const std::string& data, bool animate = false) {
        return display_->LoadPicture(reinterpret_cast<const uint8_t*>(data.data()), data.size(),
                                     animate);
    }
    // Paints the box into a memory bitmap of its client size and reads pixels there.
    std::vector<COLORREF> PaintToMemory(int width, int height) {
        HDC screen = GetDC(nullptr);
        UniqueDc memory(CreateCompatibleDC(screen));
        UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
        ReleaseDC(nullptr, screen);
        std::vector<COLORREF> pixels;
        DcSelect select(memory.get(), bitmap.get());
        display_->PaintPicture(memory.get());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                pixels.push_back(GetPixel(memory.get(), x, y));
        }
        return pixels;
    }

    // A pixel of the box's window as it is on the screen.
    COLORREF WindowPixel(int x, int y) const {
        WindowDc dc(hwnd_);
        return GetPixel(dc.get(), x, y);
    }

    Box box_;
    HWND hwnd_ = nullptr;
    UniqueGdi<HBRUSH> brush_;
    std::unique_ptr<PictureDisplay> display_;
};

inline const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

inline std::string Gif(int width, int height, const std::vector<std::vector<uint8_t>>& frames,
                       unsigned delay = 0, unsigned disposal = 2, int transparent = -1) {
    GifPlan plan{width, height, kPalette, true, {}};
    for (const auto& indices : frames) {
        GifFramePlan f;
        f.width = width;
        f.height = height;
        f.indices = indices;
        f.delay = delay;
        f.disposal = disposal;
        f.transparentIndex = transparent;
        plan.frames.push_back(f);
    }
    return EncodeGif(plan);
}

// Like the program's own picture: 142 x 144, six full frames, disposal 2,
// transparent index 233 of a 256-colour table; `delay` in hundredths.
inline std::string Animation(unsigned delay) {
    std::vector<uint32_t> palette(256);
    for (unsigned i = 0; i < 256; ++i)
        palette[i] = (i * 0x010307u) & 0xFFFFFF;
    GifPlan plan{142, 144, palette, true, {}};
    for (int f = 0; f < 6; ++f) {
        GifFramePlan fr;
        fr.width = 142;
        fr.height = 144;
        fr.disposal = 2;
        fr.delay = delay;
        fr.transparentIndex = 233;
        fr.indices.assign(142 * 144, 233);
        for (int y = 0; y < 144; ++y) {
            for (int x = 0; x < 142; ++x) {
                const int dx = x - 71 - f * 4, dy = y - 72;
                if (dx * dx + dy * dy < 1200)
                    fr.indices[y * 142 + x] = static_cast<uint8_t>((x + y) % 200);
            }
        }
        plan.frames.push_back(fr);
    }
    return EncodeGif(plan);
}

inline std::string ReadFile(const std::string& name) {
    std::ifstream in(std::string(VELMORA_TEST_DATA) + "/picture/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline COLORREF Rgb(uint32_t c) {
    return RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF);
}

// A GIF with one red 1 x 1 image (and a second image when `twoImages`) on a logical
// screen of the given size.
inline std::string GifOnScreen(int width, int height, bool twoImages) {
    GifPlan plan{width, height, kPalette, false, {}};
    for (int i = 0; i < (twoImages ? 2 : 1); ++i) {
        GifFramePlan frame;
        frame.width = frame.height = 1;
        frame.indices = {1};
        plan.frames.push_back(frame);
    }
    return EncodeGif(plan);
}

}  // namespace velmora::test

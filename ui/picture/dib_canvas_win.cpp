#include "ui/picture/dib_canvas_win.h"

#include <algorithm>

namespace velmora {

DibCanvas::DibCanvas(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), dc_(CreateCompatibleDC(nullptr)) {
    const BITMAPINFO info = TopDownPixelsInfo(width_, height_);
    void* bits = nullptr;
    if (dc_ && width_ > 0 && height_ > 0)
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap_) {
        bits_ = static_cast<uint32_t*>(bits);
        old_ = SelectObject(dc_.get(), bitmap_.get());
    }
}

DibCanvas::~DibCanvas() {
    if (old_)
        SelectObject(dc_.get(), old_);
}

void DibCanvas::Load(const std::vector<uint32_t>& pixels) {
    const size_t count = static_cast<size_t>(width_) * height_;
    if (ok() && pixels.size() == count)
        std::copy(pixels.begin(), pixels.end(), bits_);
}

std::vector<uint32_t> DibCanvas::Pixels() const {
    std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
    if (ok()) {
        GdiFlush();
        std::transform(bits_, bits_ + pixels.size(), pixels.begin(),
                       [](uint32_t p) { return p & 0x00FFFFFF; });
    }
    return pixels;
}

uint32_t DibCanvas::At(int x, int y) const {
    return ok() ? bits_[static_cast<size_t>(y) * width_ + x] & 0x00FFFFFF : 0;
}

}  // namespace velmora

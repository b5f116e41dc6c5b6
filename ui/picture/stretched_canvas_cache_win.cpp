#include "ui/picture/stretched_canvas_cache_win.h"

#include <cstring>
#include <new>

#include "ui/picture/still_picture_win.h"

namespace velmora {

namespace {

// A quick fingerprint (FNV-1a, 32 bits) of every 61st pixel and the last one: the
// full comparison that follows a match is what makes a hit exact.
uint32_t Fingerprint(const uint32_t* pixels, size_t count) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < count; i += 61)
        hash = (hash ^ pixels[i]) * 16777619u;
    return count ? (hash ^ pixels[count - 1]) * 16777619u : hash;
}

}  // namespace

void StretchCanvas(HDC dc, const Placement& p, const uint32_t* pixels, int width, int height, int mode) {
    const BITMAPINFO info = TopDownPixelsInfo(width, height);
    StretchModeScope stretch(dc, mode);
    StretchDIBits(dc, p.x, p.y, p.width, p.height, 0, 0, width, height, pixels, &info, DIB_RGB_COLORS,
                  SRCCOPY);
}

void StretchedCanvasCache::Fit(int width, int height, const Placement& p) {
    if (width == canvasWidth_ && height == canvasHeight_ && p.width == placedWidth_ &&
        p.height == placedHeight_)
        return;
    entries_.clear();
    canvasWidth_ = width;
    canvasHeight_ = height;
    placedWidth_ = p.width;
    placedHeight_ = p.height;
}

const StretchedCanvasCache::Entry* StretchedCanvasCache::Find(uint32_t hash, const uint32_t* pixels,
                                                              size_t count) const {
    for (const Entry& e : entries_) {
        if (e.hash == hash && std::memcmp(e.canvas.data(), pixels, count * sizeof(uint32_t)) == 0)
            return &e;
    }
    return nullptr;
}

bool StretchedCanvasCache::HasRoomFor(size_t count, const Placement& p) const {
    const size_t entryBytes = (count + size_t(p.width) * size_t(p.height)) * sizeof(uint32_t);
    return entries_.size() < kMostCanvases && (entries_.size() + 1) * entryBytes <= kMostBytes;
}

void StretchedCanvasCache::Draw(HDC dc, const Placement& p, const uint32_t* pixels, int width, int height,
                                int mode) {
    if (mode != HALFTONE || (p.width == width && p.height == height)) {
        StretchCanvas(dc, p, pixels, width, height, mode);
        return;
    }
    Fit(width, height, p);
    const size_t count = size_t(width) * size_t(height);
    const uint32_t hash = Fingerprint(pixels, count);
    if (!memory_)
        memory_.reset(CreateCompatibleDC(nullptr));
    const Entry* found = memory_ ? Find(hash, pixels, count) : nullptr;
    if (!found && memory_ && HasRoomFor(count, p)) {
        // Stretched once into a bitmap of the placed size, as it would be onto dc.
        Entry entry;
        const BITMAPINFO info = TopDownPixelsInfo(p.width, p.height);
        void* bits = nullptr;
        entry.stretched.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (entry.stretched) {
            try {
                entry.canvas.assign(pixels, pixels + count);
                entry.hash = hash;
                DcSelect select(memory_.get(), entry.stretched.get());
                StretchCanvas(memory_.get(), Placement{0, 0, p.width, p.height}, pixels, width, height, mode);
                GdiFlush();
                entries_.push_back(std::move(entry));
                found = &entries_.back();
            } catch (const std::bad_alloc&) {
                // No room after all: this canvas goes straight onto the target.
            }
        }
    }
    if (!found) {
        StretchCanvas(dc, p, pixels, width, height, mode);
        return;
    }
    DcSelect select(memory_.get(), found->stretched.get());
    BitBlt(dc, p.x, p.y, p.width, p.height, memory_.get(), 0, 0, SRCCOPY);
}

}  // namespace velmora

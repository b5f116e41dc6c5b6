#include "ui/picture/still_picture_win.h"

#include <ole2.h>
#include <olectl.h>

#include <atomic>
#include <cstring>
#include <new>
#include <vector>

#include "runtime/byte_reader.h"
#include "ui/picture/bitmap_header.h"
#include "ui/picture/gif_animation.h"
#include "ui/picture/icon_directory.h"
#include "ui/picture/pcx.h"

namespace velmora {

namespace {

// The stretch mode of the screen; 0 until first asked.
std::atomic<int> stretchMode{0};

int ScreenStretchMode() {
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmBitsPerPel > 16) {
        return HALFTONE;
    }
    return COLORONCOLOR;
}

// A device bitmap from a checked bitmap file. The headers, colour table and pixels
// are copied so that GDI sees aligned data whose sizes we have checked (the whole
// colour table, and the image size field set to the pixel bytes really there).
HBITMAP BitmapFromFile(const uint8_t* data, size_t size, int& width, int& height) {
    BitmapLayout layout;
    if (CheckBitmap(data, size, layout) != BitmapResult::kOk)
        return nullptr;
    std::vector<uint32_t> info = BitmapInfoBlock(data, layout);
    if (layout.headerSize >= sizeof(BITMAPINFOHEADER)) {
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
        header->biSizeImage = static_cast<DWORD>(layout.pixelSize);
    }
    std::vector<uint8_t> bits(data + layout.pixelOffset,
                              data + layout.pixelOffset + layout.pixelSize);
    const UINT usage = DIB_RGB_COLORS;
    const WindowDc screen(nullptr);
    HBITMAP bitmap =
        CreateDIBitmap(screen.get(), reinterpret_cast<BITMAPINFOHEADER*>(info.data()), CBM_INIT,
                       bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()), usage);
    width = layout.width;
    height = layout.height;
    return bitmap;
}

// JPEG through OLE: the picture object's bitmap is copied into one of our own, so
// that the picture object can go at once.
HBITMAP BitmapFromJpeg(const uint8_t* data, size_t size, int& width, int& height) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, data, size);
        GlobalUnlock(memory);
    }
    UniqueCom<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put()))) {
        GlobalFree(memory);
        return nullptr;
    }
    UniqueCom<IPicture> picture;
    const HRESULT hr = OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                      reinterpret_cast<void**>(picture.put()));
    stream.reset();
    if (FAILED(hr) || !picture)
        return nullptr;
    HBITMAP result = nullptr;
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
        SUCCEEDED(picture->get_Handle(&handle))) {
        BITMAP bm = {};
        HBITMAP source = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        if (GetObject(source, sizeof bm, &bm) == sizeof bm) {
            result = static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, 0));
            width = bm.bmWidth;
            height = bm.bmHeight;
        }
    }
    return result;
}

HBITMAP BitmapFromRgb(const RgbImage& image) {
    std::vector<uint32_t> pixels(size_t(image.width) * image.height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = RgbAt(image.rgb.data() + i * 3);
    }
    return DeviceBitmapFromPixels(pixels.data(), image.width, image.height);
}

HICON IconFromFile(const uint8_t* data, size_t size, int& width, int& height) {
    IconChoice choice;
    if (ChooseIconImage(data, size, choice) != IconResult::kOk)
        return nullptr;
    // A cursor resource starts with its hot spot.
    const size_t prefix = choice.cursor ? 4 : 0;
    std::vector<uint8_t> resource(prefix + choice.size);
    if (choice.cursor) {
        resource[0] = static_cast<uint8_t>(choice.hotspotX);
        resource[1] = static_cast<uint8_t>(choice.hotspotX >> 8);
        resource[2] = static_cast<uint8_t>(choice.hotspotY);
        resource[3] = static_cast<uint8_t>(choice.hotspotY >> 8);
    }
    std::memcpy(resource.data() + prefix, data + choice.offset, choice.size);
    width = choice.width;
    height = choice.height;
    return CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()),
                                    choice.cursor ? FALSE : TRUE, 0x00030000, width, height,
                                    LR_DEFAULTCOLOR);
}

}  // namespace

HBITMAP DeviceBitmapFromPixels(const uint32_t* pixels, int width, int height) {
    const BITMAPINFO info = TopDownPixelsInfo(width, height);
    const WindowDc screen(nullptr);
    return CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT, pixels, &info, DIB_RGB_COLORS);
}

int PictureStretchMode() {
    int mode = stretchMode.load();
    if (mode == 0) {
        mode = ScreenStretchMode();
        stretchMode.store(mode);
    }
    return mode;
}

void RefreshPictureStretchMode() {
    stretchMode.store(ScreenStretchMode());
}

namespace {

void DecodeStill(const uint8_t* data, size_t size, StillPicture& out) {
    const PictureKind kind = RecognizePicture(data, size);
    int width = 0, height = 0;
    switch (kind) {
        case PictureKind::kNone:
            return;
        case PictureKind::kBitmap:
            out.bitmap.reset(BitmapFromFile(data, size, width, height));
            break;
        case PictureKind::kJpeg:
            out.bitmap.reset(BitmapFromJpeg(data, size, width, height));
            break;
        case PictureKind::kIcon:
        case PictureKind::kCursor:
            out.icon.reset(IconFromFile(data, size, width, height));
            break;
        case PictureKind::kGif: {
            GifCanvas canvas;
            if (DecodeGifStill(data, size, canvas) == GifResult::kOk) {
                width = canvas.width();
                height = canvas.height();
                out.bitmap.reset(DeviceBitmapFromPixels(canvas.pixels(), width, height));
            }
            break;
        }
        case PictureKind::kPcx8:
        case PictureKind::kPcx1: {
            RgbImage image;
            if (DecodePcx(data, size, image) == PcxResult::kOk) {
                width = image.width;
                height = image.height;
                out.bitmap.reset(BitmapFromRgb(image));
            }
            break;
        }
    }
    if (out.empty()) {
        out = StillPicture();
        return;
    }
    out.kind = kind;
    out.width = width;
    out.height = height;
}

}  // namespace

void DecodeStillPicture(const uint8_t* data, size_t size, StillPicture& out) {
    out = StillPicture();
    try {
        DecodeStill(data, size, out);
    } catch (const std::bad_alloc&) {
        // A picture too large for the memory left is no picture.
        out = StillPicture();
    }
}

void StillPictureFromCanvas(const GifCanvas& canvas, StillPicture& out) {
    out = StillPicture();
    out.bitmap.reset(DeviceBitmapFromPixels(canvas.pixels(), canvas.width(), canvas.height()));
    if (out.empty())
        return;
    out.kind = PictureKind::kGif;
    out.width = canvas.width();
    out.height = canvas.height();
}

UniqueGdi<HBITMAP> StretchedBitmapCopy(HBITMAP bitmap, int width, int height, int newWidth,
                                       int newHeight) {
    if (!bitmap || width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0)
        return UniqueGdi<HBITMAP>();
    const WindowDc screen(nullptr);
    UniqueGdi<HBITMAP> copy(CreateCompatibleBitmap(screen.get(), newWidth, newHeight));
    UniqueDc source(CreateCompatibleDC(screen.get()));
    UniqueDc target(CreateCompatibleDC(screen.get()));
    if (!copy || !source || !target)
        return UniqueGdi<HBITMAP>();
    DcSelect from(source.get(), bitmap);
    DcSelect to(target.get(), copy.get());
    StretchModeScope stretch(target.get(), PictureStretchMode());
    StretchBlt(target.get(), 0, 0, newWidth, newHeight, source.get(), 0, 0, width, height, SRCCOPY);
    return copy;
}

void DrawStillPicture(HDC dc, const StillPicture& picture, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    if (picture.icon) {
        DrawIconEx(dc, x, y, picture.icon.get(), width, height, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!picture.bitmap)
        return;
    UniqueDc memory(CreateCompatibleDC(dc));
    if (!memory)
        return;
    DcSelect select(memory.get(), picture.bitmap.get());
    StretchModeScope stretch(dc, PictureStretchMode());
    StretchBlt(dc, x, y, width, height, memory.get(), 0, 0, picture.width, picture.height, SRCCOPY);
}

}  // namespace velmora

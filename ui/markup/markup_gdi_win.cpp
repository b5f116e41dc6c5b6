#include "ui/markup/markup_gdi_win.h"

#include <algorithm>

#include "runtime/wide_text.h"
#include "ui/markup/background_effects.h"
#include "ui/markup/markup_text.h"

namespace velmora {

namespace {

constexpr COLORREF kDefaultRuleColour = RGB(128, 128, 128);

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
    UniqueGdi<HBRUSH> brush(CreateSolidBrush(c));
    if (brush)
        FillRect(dc, &r, brush.get());
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF c, int penStyle) {
    UniqueGdi<HPEN> pen(CreatePen(penStyle, 1, c));
    DcSelect select(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// One frame of `width` rings just inside r, light at the top and left.
void PaintFrame(HDC dc, RECT r, const MarkupFrame& f) {
    const COLORREF light = MarkupColourRef(f.light, RGB(224, 224, 224));
    const COLORREF dark = MarkupColourRef(f.dark, RGB(128, 128, 128));
    const int pen = f.style == BorderStyle::kDotted   ? PS_DOT
                    : f.style == BorderStyle::kDashed ? PS_DASH
                                                      : PS_SOLID;
    for (int i = 0; i < f.width && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
        // A double frame leaves its middle rings out.
        const bool drawn =
            f.style != BorderStyle::kDouble || f.width < 3 || i == 0 || i == f.width - 1;
        if (drawn) {
            Line(dc, r.left, r.bottom - 1, r.left, r.top, light, pen);
            Line(dc, r.left, r.top, r.right - 1, r.top, light, pen);
            Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, dark, pen);
            Line(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1, dark, pen);
        }
        InflateRect(&r, -1, -1);
    }
}

void PaintFill(HDC dc, const RECT& r, const MarkupFill& fill) {
    const COLORREF begin = MarkupColourRef(fill.begin, GetSysColor(COLOR_INFOBK));
    if (fill.effect == 0) {
        FillSolid(dc, r, begin);
        return;
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    PixelBuffer pixels(w, h);
    PaintBackgroundEffect(pixels, 0, 0, w, h, fill.effect, PixelFromColorRef(begin),
                          PixelFromColorRef(MarkupColourRef(fill.middle, begin)),
                          PixelFromColorRef(MarkupColourRef(fill.end, begin)), 5);
    const BITMAPINFO bi = TopDownPixelsInfo(w, h);
    SetDIBitsToDevice(dc, r.left, r.top, w, h, 0, 0, 0, h, pixels.pixels.data(), &bi,
                      DIB_RGB_COLORS);
}

std::string ImageKey(const ImageRef& r) {
    return std::to_string(static_cast<int>(r.source)) + (r.icon ? "i" : "b") +
           std::to_string(r.resourceId) + "|" + r.module + "|" + r.file + "|" +
           std::to_string(r.cx) + "x" + std::to_string(r.cy);
}

MarkupSize IconSize(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return {};
    BITMAP bm = {};
    MarkupSize size;
    if (GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm)) {
        size.width = bm.bmWidth;
        size.height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return size;
}

MarkupSize BitmapSize(HBITMAP bitmap) {
    BITMAP bm = {};
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP || !GetObjectW(bitmap, sizeof bm, &bm))
        return {};
    return {bm.bmWidth, std::abs(bm.bmHeight)};
}

}  // namespace

std::wstring WideFromMarkupText(std::string_view text) {
    std::wstring out;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != kSymbolMark)
            continue;
        out += WideFromGbk(std::string(text.substr(start, i - start)));
        // The marks R, C and T stand for the symbols (R), (C) and (TM).
        static constexpr std::string_view kMarks = "RCT";
        const size_t symbol = i + 1 < text.size() ? kMarks.find(text[i + 1]) : kMarks.npos;
        if (symbol != kMarks.npos)
            out += L"\u00AE\u00A9\u2122"[symbol];
        i += 1;
        start = i + 1;
    }
    return out;
}

COLORREF MarkupColourRef(const MarkupColour& c, COLORREF unset) {
    switch (c.kind) {
        case MarkupColour::Kind::kRgb:
            return c.value;
        case MarkupColour::Kind::kSystem:
            return GetSysColor(static_cast<int>(c.value));
        case MarkupColour::Kind::kNone:
            break;
    }
    return unset;
}

MarkupGdi::MarkupGdi()
    : dc_(CreateCompatibleDC(nullptr)), dpi_(GetDeviceCaps(dc_.get(), LOGPIXELSY)) {}
MarkupGdi::~MarkupGdi() = default;

void MarkupGdi::SetDpi(int dpi) {
    dpi = dpi > 0 ? dpi : 96;
    if (dpi == dpi_)
        return;
    dpi_ = dpi;
    fonts_.Clear();
}

bool MarkupGdi::FaceInstalled(const std::wstring& face) {
    if (face.empty() || face.size() >= LF_FACESIZE)
        return false;
    if (const bool* known = installed_.Find(face))
        return *known;
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc_.get(), &lf, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    installed_.Insert(face, found);
    return found;
}

// The first family of the list that the system has; without one, the face of the
// default GUI font, which shows every script the system can.
std::wstring MarkupGdi::FaceFor(const std::string& families) {
    for (const std::string_view family : SplitAt(families, ',')) {
        const std::wstring face = WideFromGbk(std::string(family));
        if (FaceInstalled(face))
            return face;
    }
    LOGFONTW gui = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    return gui.lfFaceName;
}

MarkupGdi::Font& MarkupGdi::FontFor(const FontRequest& request) {
    if (Font* cached = fonts_.Find(request))
        return *cached;
    Font f;
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(std::clamp(request.tenths, kMinFontTenths, kMaxFontTenths), dpi_, 720);
    lf.lfWeight = request.weight;
    lf.lfItalic = request.italic;
    lf.lfUnderline = request.underline;
    lf.lfStrikeOut = request.strikeout;
    lf.lfCharSet = DEFAULT_CHARSET;
    FaceFor(request.families).copy(lf.lfFaceName, LF_FACESIZE - 1);
    f.font.reset(CreateFontIndirectW(&lf));
    {
        DcSelect select(dc_.get(), f.Selectable());
        TEXTMETRICW tm = {};
        GetTextMetricsW(dc_.get(), &tm);
        f.metrics = {tm.tmAscent, tm.tmDescent, tm.tmAveCharWidth};
    }
    return fonts_.Insert(request, std::move(f));
}

FontMetrics MarkupGdi::Metrics(const FontRequest& font) {
    return FontFor(font).metrics;
}

int MarkupGdi::TextWidth(const FontRequest& font, std::string_view text) {
    Font& f = FontFor(font);
    const std::wstring wide = WideFromMarkupText(text);
    DcSelect select(dc_.get(), f.Selectable());
    SIZE size = {};
    GetTextExtentPoint32W(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

HMODULE MarkupGdi::Module(const std::string& name) {
    if (name.empty())
        return GetModuleHandleW(nullptr);
    if (const UniqueLibrary* cached = modules_.Find(name))
        return cached->get();
    HMODULE m = LoadLibraryExW(WideFromGbk(name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return modules_.Insert(name, UniqueLibrary(m)).get();
}

HANDLE MarkupGdi::ImageHandle(const ImageRef& ref, bool& isIcon) {
    isIcon = ref.icon;
    switch (ref.source) {
        case ImageRef::Source::kIconHandle:
        case ImageRef::Source::kBitmapHandle:
            isIcon = ref.source == ImageRef::Source::kIconHandle;
            return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(ref.handle));
        case ImageRef::Source::kImageList:
            return nullptr;
        case ImageRef::Source::kResource:
        case ImageRef::Source::kFile:
            break;
    }
    const std::string key = ImageKey(ref);
    if (const LoadedImage* i = images_.Find(key))
        return i->icon ? static_cast<HANDLE>(i->icon.get()) : static_cast<HANDLE>(i->bitmap.get());
    const UINT type = ref.icon ? IMAGE_ICON : IMAGE_BITMAP;
    HANDLE h = nullptr;
    if (ref.source == ImageRef::Source::kResource) {
        if (HMODULE m = Module(ref.module))
            h = LoadImageW(m, MAKEINTRESOURCEW(ref.resourceId), type, ref.cx, ref.cy, 0);
    } else {
        h = LoadImageW(nullptr, WideFromGbk(ref.file).c_str(), type, ref.cx, ref.cy,
                       LR_LOADFROMFILE);
    }
    LoadedImage loaded;
    if (ref.icon)
        loaded.icon.reset(static_cast<HICON>(h));
    else
        loaded.bitmap.reset(static_cast<HBITMAP>(h));
    images_.Insert(key, std::move(loaded));
    return h;
}

MarkupSize MarkupGdi::ImageSize(const ImageRef& ref) {
    if (ref.source == ImageRef::Source::kImageList) {
        int cx = 0, cy = 0;
        if (!imageList_ || ref.index < 0 || ref.index >= ImageList_GetImageCount(imageList_) ||
            !ImageList_GetIconSize(imageList_, &cx, &cy))
            return {};
        return {cx, cy};
    }
    bool isIcon = false;
    HANDLE h = ImageHandle(ref, isIcon);
    return isIcon ? IconSize(static_cast<HICON>(h)) : BitmapSize(static_cast<HBITMAP>(h));
}

std::string MarkupGdi::ResourceString(const std::string& module, uint32_t id) {
    HMODULE m = Module(module);
    if (!m)
        return std::string();
    const wchar_t* text = nullptr;
    const int n = LoadStringW(m, id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text ? GbkFromWide(text, n) : std::string();
}

void MarkupGdi::PaintImage(HDC dc, const ImageRef& ref, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (ref.source == ImageRef::Source::kImageList) {
        int cx = 0, cy = 0;
        if (!imageList_ || !ImageList_GetIconSize(imageList_, &cx, &cy))
            return;
        if (w == cx && h == cy) {
            ImageList_Draw(imageList_, ref.index, dc, r.left, r.top, ILD_NORMAL);
            return;
        }
        // Drawn at another size (cx=, cy=): stretched through an icon of the image.
        UniqueIcon icon(ImageList_GetIcon(imageList_, ref.index, ILD_NORMAL));
        if (icon)
            DrawIconEx(dc, r.left, r.top, icon.get(), w, h, 0, nullptr, DI_NORMAL);
        return;
    }
    bool isIcon = false;
    HANDLE handle = ImageHandle(ref, isIcon);
    if (!handle)
        return;
    if (isIcon) {
        DrawIconEx(dc, r.left, r.top, static_cast<HICON>(handle), w, h, 0, nullptr, DI_NORMAL);
        return;
    }
    const MarkupSize own = BitmapSize(static_cast<HBITMAP>(handle));
    if (own.width <= 0 || own.height <= 0)
        return;
    UniqueDc source(CreateCompatibleDC(dc));
    DcSelect select(source.get(), handle);
    if (ref.mask.IsSet()) {
        GdiTransparentBlt(dc, r.left, r.top, w, h, source.get(), 0, 0, own.width, own.height,
                          MarkupColourRef(ref.mask, 0));
    } else {
        // At 96 dpi a picture shows as it always has; at other scales it is
        // enlarged, and smoothly.
        if (dpi_ == 96) {
            SetStretchBltMode(dc, COLORONCOLOR);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
        }
        StretchBlt(dc, r.left, r.top, w, h, source.get(), 0, 0, own.width, own.height, SRCCOPY);
    }
}

void MarkupGdi::PaintItem(HDC dc, const MarkupLayout& layout, const MarkupItem& item, int x, int y,
                          COLORREF textColour) {
    const RECT r = {x + item.rect.left, y + item.rect.top, x + item.rect.right,
                    y + item.rect.bottom};
    switch (item.kind) {
        case MarkupItem::Kind::kText: {
            if (item.font < 0 || item.font >= static_cast<int>(layout.fonts.size()))
                return;
            Font& f = FontFor(layout.fonts[item.font]);
            const COLORREF colour = MarkupColourRef(item.colour, textColour);
            DcSelect select(dc, f.Selectable());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, colour);
            SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
            const std::wstring wide = WideFromMarkupText(item.text);
            TextOutW(dc, r.left, r.top, wide.c_str(), static_cast<int>(wide.size()));
            if (item.overline)
                FillSolid(dc, {r.left, r.top, r.right, r.top + MarkupPixels(1, dpi_)}, colour);
            return;
        }
        case MarkupItem::Kind::kImage:
            if (item.image >= 0 && item.image < static_cast<int>(layout.images.size()))
                PaintImage(dc, layout.images[item.image], r);
            return;
        case MarkupItem::Kind::kFill:
            PaintFill(dc, r, item.fill);
            return;
        case MarkupItem::Kind::kFrame:
            PaintFrame(dc, r, item.frame);
            return;
        case MarkupItem::Kind::kRule:
            FillSolid(dc, r, MarkupColourRef(item.colour, kDefaultRuleColour));
            return;
    }
}

void MarkupGdi::Paint(HDC dc, const MarkupLayout& layout, int x, int y, COLORREF textColour) {
    for (const MarkupItem& item : layout.items)
        PaintItem(dc, layout, item, x, y, textColour);
}

}  // namespace velmora

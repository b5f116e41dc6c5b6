#pragma once
// Tip markup on Windows: measuring it with GDI fonts and images, and drawing a
// layout. Fonts, the images that markup loads from resources or files, the
// libraries they come from and the answers to "is this face installed" are kept in
// caches of a fixed size: a tip with thousands of font variants makes fonts again
// as it needs them rather than using up the process's GDI objects. Handles named
// by markup belong to others.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "runtime/win_handles_win.h"
#include "ui/markup/lru_cache.h"
#include "ui/markup/markup_layout.h"

namespace velmora {

// The text of markup as wide text: GBK, with the symbol marks as (R) (C) (TM).
std::wstring WideFromMarkupText(std::string_view text);

// A colour of markup as painted; `unset` when it is not set.
COLORREF MarkupColourRef(const MarkupColour& c, COLORREF unset);

class MarkupGdi : public MarkupMeasurer {
  public:
    MarkupGdi();
    ~MarkupGdi() override;
    MarkupGdi(const MarkupGdi&) = delete;
    MarkupGdi& operator=(const MarkupGdi&) = delete;

    // The markup image list (not owned) and the size of its images.
    void SetImageList(HIMAGELIST list) { imageList_ = list; }
    // The dpi of the display the markup shows on (the screen's until told);
    // fonts made for another dpi are dropped.
    void SetDpi(int dpi);

    int Dpi() const override { return dpi_; }
    FontMetrics Metrics(const FontRequest& font) override;
    int TextWidth(const FontRequest& font, std::string_view text) override;
    MarkupSize ImageSize(const ImageRef& image) override;
    std::string ResourceString(const std::string& module, uint32_t id) override;

    // Draws the layout with its top-left corner at (x, y); text without a colour
    // of its own in `textColour`.
    void Paint(HDC dc, const MarkupLayout& layout, int x, int y, COLORREF textColour);

    // How many of each the caches hold at most.
    static constexpr size_t kFontCacheSize = kMarkupFontCacheSize;
    static constexpr size_t kFaceCacheSize = 256;
    static constexpr size_t kImageCacheSize = 32;
    static constexpr size_t kModuleCacheSize = 8;

    // How many face answers and libraries are kept now.
    size_t cachedFaces() const { return installed_.size(); }
    size_t cachedModules() const { return modules_.size(); }

  private:
    struct Font {
        UniqueGdi<HFONT> font;
        FontMetrics metrics;
        // The font, or the default GUI font when it could not be made.
        HGDIOBJ Selectable() const {
            return font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT);
        }
    };
    struct LoadedImage {
        UniqueIcon icon;
        UniqueGdi<HBITMAP> bitmap;
    };

    Font& FontFor(const FontRequest& request);
    std::wstring FaceFor(const std::string& families);
    bool FaceInstalled(const std::wstring& face);
    // The icon or bitmap of an image (HICON or HBITMAP), or null.
    HANDLE ImageHandle(const ImageRef& image, bool& isIcon);
    HMODULE Module(const std::string& name);
    void PaintItem(HDC dc, const MarkupLayout& layout, const MarkupItem& item, int x, int y,
                   COLORREF textColour);
    void PaintImage(HDC dc, const ImageRef& ref, const RECT& r);

    UniqueDc dc_;
    int dpi_;
    HIMAGELIST imageList_ = nullptr;
    // A cached font or image is dropped only from FontFor and ImageHandle, never
    // while it is selected into a device context.
    LruCache<FontRequest, Font, FontRequestHash> fonts_{kFontCacheSize};
    LruCache<std::wstring, bool> installed_{kFaceCacheSize};
    LruCache<std::string, LoadedImage> images_{kImageCacheSize};
    // Loaded as data files; what is read from one is copied out at once.
    LruCache<std::string, UniqueLibrary> modules_{kModuleCacheSize};
};

}  // namespace velmora

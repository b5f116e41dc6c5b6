#pragma once
// Tip markup on Windows: measuring it with GDI fonts and images, and drawing a
// layout. Fonts are made once per style and kept; images that markup loads from
// resources or files are kept too; handles named by markup belong to others.

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/win_handles.h"
#include "ui/controls/markup_layout.h"

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

    FontMetrics Metrics(const FontRequest& font) override;
    int TextWidth(const FontRequest& font, std::string_view text) override;
    MarkupSize ImageSize(const ImageRef& image) override;
    std::string ResourceString(const std::string& module, uint32_t id) override;

    // Draws the layout with its top-left corner at (x, y); text without a colour
    // of its own in `textColour`.
    void Paint(HDC dc, const MarkupLayout& layout, int x, int y, COLORREF textColour);

  private:
    struct Font {
        FontRequest request;
        UniqueGdi<HFONT> font;
        FontMetrics metrics;
    };
    struct LoadedImage {
        std::string key;
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
    HIMAGELIST imageList_ = nullptr;
    std::vector<std::unique_ptr<Font>> fonts_;
    std::map<std::wstring, bool> installed_;
    std::vector<LoadedImage> images_;
    std::vector<std::pair<std::string, UniqueLibrary>> modules_;
};

}  // namespace velmora

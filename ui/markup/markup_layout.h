#pragma once
// Lays out tip markup (markup_parser.h) with a style sheet (style_sheet.h) into
// positioned items, measuring text and images through a small interface: the
// Windows side measures with GDI, tests with a fixed-width stand-in.
//
// The rules: a line feed (or <br>) starts a new line, a tab (or <t>) advances to
// the next tab position (every eight average characters of the body font), a
// carriage return is dropped; lines break nowhere else. The body rule gives the
// text its font; p, h1-h6, pre and div are blocks (each starts on a line of its
// own, with its margins, border, padding and text-align, its background behind the
// whole block); the contents of an inline element keep its background and vertical
// alignment; tables are blocks of rows and cells; images stand on the text's
// baseline; links are remembered with the rectangles of their pieces, and the one
// under the pointer takes the a:hover style.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/markup/markup_parser.h"
#include "ui/markup/markup_style.h"
#include "ui/markup/style_sheet.h"

namespace velmora {

struct MarkupRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;
};

struct MarkupSize {
    int width = 0, height = 0;
};

// An image named by markup.
struct ImageRef {
    enum class Source : uint8_t {
        kIconHandle,    // <icon handle=...>: an icon that someone else owns
        kBitmapHandle,  // <bmp handle=...>
        kImageList,     // <ilst index=...>, <icon index=...>, <image index=...>: the box's
                        // markup image list
        kResource,      // idres=... of the program or of srcdll=...
        kFile,          // file=...
    };
    Source source = Source::kImageList;
    bool icon = false;        // an icon rather than a bitmap (resources and files)
    uint32_t handle = 0;      // kIconHandle, kBitmapHandle
    int32_t index = 0;        // kImageList
    uint32_t resourceId = 0;  // kResource
    std::string module;       // kResource: the library file; empty = the program
    std::string file;         // kFile
    MarkupColour mask;        // bitmaps: the colour drawn transparent
    int cx = 0, cy = 0;       // the size to draw at; 0 = the image's own
};

class MarkupMeasurer {
  public:
    virtual ~MarkupMeasurer() = default;
    // The dots per inch of the display the tip shows on. Fonts are measured at it,
    // and the layout turns every length of the markup and its style sheet (pixels
    // at 96 dpi, and images at their own size) into pixels at it.
    virtual int Dpi() const = 0;
    virtual FontMetrics Metrics(const FontRequest& font) = 0;
    // The width of a text without line feeds, tabs or carriage returns; it may hold
    // symbol marks (kSymbolMark).
    virtual int TextWidth(const FontRequest& font, std::string_view text) = 0;
    // The image's own size (at 96 dpi); 0 x 0 when there is no such image.
    virtual MarkupSize ImageSize(const ImageRef& image) = 0;
    // The text of string resource `id` of a library (empty = the program), GBK.
    virtual std::string ResourceString(const std::string& module, uint32_t id) = 0;
};

// A measurer that keeps fonts (the Windows one keeps GDI fonts) keeps at most this
// many at once, however many a tip asks for.
constexpr size_t kMarkupFontCacheSize = 64;

struct MarkupFill {
    int effect = 0;  // 0 solid, 1-15 the background effects (balloon_pixels.h)
    MarkupColour begin, middle, end;
};

struct MarkupFrame {
    int width = 1;
    BorderStyle style = BorderStyle::kSolid;
    MarkupColour light, dark;  // top-left and bottom-right sides
};

struct MarkupItem {
    enum class Kind : uint8_t {
        kText,   // text in fonts[font] and colour, its top-left at rect's
        kImage,  // images[image] stretched over rect
        kFill,   // a background
        kFrame,  // a frame just inside rect
        kRule,   // a horizontal line (hr)
    };
    Kind kind = Kind::kText;
    MarkupRect rect;
    std::string text;
    int font = -1;
    MarkupColour colour;  // text and rule colour; not set: the balloon's text colour
    bool overline = false;
    int image = -1;
    MarkupFill fill;
    MarkupFrame frame;
    int link = -1;
};

struct MarkupLink {
    std::string href;  // href=, or url=
    std::string msg;
};

struct MarkupLayout {
    int width = 0;
    int height = 0;
    std::vector<MarkupItem> items;  // in drawing order
    std::vector<FontRequest> fonts;
    std::vector<ImageRef> images;
    std::vector<MarkupLink> links;

    // The link whose piece holds the point (layout coordinates), or -1.
    int LinkAt(int x, int y) const;
};

// Layouts are kept below this width and height in pixels.
constexpr int kMaxMarkupExtent = 16384;

// A length of pixels at 96 dpi in pixels at `dpi` (0 or below counts as 96),
// rounded half away from zero.
int MarkupPixels(int length96, int dpi);

// `hoverLink` is the link under the pointer (its index in MarkupLayout::links), drawn
// in the a:hover style; -1 for none.
MarkupLayout LayOutMarkup(std::string_view text, const StyleSheet& sheet, MarkupMeasurer& measurer,
                          int hoverLink = -1);

// The fixed-width stand-in: a single-byte character (and a symbol) is half the
// font's size in pixels wide, a two-byte character the full size; the ascent is
// the size, the descent a quarter of it. Images are 16 x 16 unless sized; string
// resources are "string N".
class FixedWidthMeasurer : public MarkupMeasurer {
  public:
    explicit FixedWidthMeasurer(int dpi = 96) : dpi_(dpi) {}
    // The font size in whole pixels at `dpi` (at least 2).
    static int SizeInPixels(const FontRequest& font, int dpi = 96);
    int Dpi() const override { return dpi_; }
    FontMetrics Metrics(const FontRequest& font) override;
    int TextWidth(const FontRequest& font, std::string_view text) override;
    MarkupSize ImageSize(const ImageRef& image) override;
    std::string ResourceString(const std::string& module, uint32_t id) override;

  private:
    int dpi_;
};

}  // namespace velmora

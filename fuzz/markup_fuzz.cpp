// Fuzzes the tip markup: its style sheet parser, markup parser and layout. Input:
// u16 sheet length (little-endian), the sheet, then the markup; each in a buffer of
// exactly its size, so the sanitizer sees any read past either. The layout must
// stay within its extent, every item must name fonts, images and links that the
// layout holds, and the layout must name each font once. The measurer keeps its
// fonts in a cache of the size the Windows one keeps, and fails when it ever holds
// more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_set>

#include "ui/markup/lru_cache.h"
#include "ui/markup/markup_layout.h"

namespace {

std::unique_ptr<char[]> Copy(const uint8_t* data, size_t n) {
    std::unique_ptr<char[]> copy(new char[n ? n : 1]);
    if (n)
        std::memcpy(copy.get(), data, n);
    return copy;
}

void Check(bool ok) {
    if (!ok)
        std::abort();
}

class CachingMeasurer : public velmora::FixedWidthMeasurer {
  public:
    velmora::FontMetrics Metrics(const velmora::FontRequest& font) override { return Font(font); }
    int TextWidth(const velmora::FontRequest& font, std::string_view text) override {
        Font(font);
        return FixedWidthMeasurer::TextWidth(font, text);
    }

  private:
    velmora::FontMetrics Font(const velmora::FontRequest& font) {
        velmora::FontMetrics m;
        if (const velmora::FontMetrics* cached = fonts_.Find(font))
            m = *cached;
        else
            m = fonts_.Insert(font, FixedWidthMeasurer::Metrics(font));
        Check(fonts_.size() <= velmora::kMarkupFontCacheSize);
        return m;
    }

    velmora::LruCache<velmora::FontRequest, velmora::FontMetrics, velmora::FontRequestHash> fonts_{
        velmora::kMarkupFontCacheSize};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    size_t sheetSize = data[0] | (data[1] << 8);
    data += 2;
    size -= 2;
    if (sheetSize > size)
        sheetSize = size;
    const std::unique_ptr<char[]> sheet = Copy(data, sheetSize);
    const std::unique_ptr<char[]> markup = Copy(data + sheetSize, size - sheetSize);

    const velmora::StyleSheet styles =
        velmora::StyleSheet::Effective(std::string_view(sheet.get(), sheetSize));
    CachingMeasurer measurer;
    const velmora::MarkupLayout layout =
        velmora::LayOutMarkup(std::string_view(markup.get(), size - sheetSize), styles, measurer);

    Check(layout.width >= 0 && layout.width <= velmora::kMaxMarkupExtent);
    Check(layout.height >= 0 && layout.height <= velmora::kMaxMarkupExtent);
    for (const velmora::MarkupItem& item : layout.items) {
        Check(item.font < static_cast<int>(layout.fonts.size()));
        Check(item.image < static_cast<int>(layout.images.size()));
        Check(item.link < static_cast<int>(layout.links.size()));
        Check(item.kind != velmora::MarkupItem::Kind::kText || item.font >= 0);
    }
    std::unordered_set<velmora::FontRequest, velmora::FontRequestHash> fonts(layout.fonts.begin(),
                                                                             layout.fonts.end());
    Check(fonts.size() == layout.fonts.size());
    const int link = layout.LinkAt(layout.width / 2, layout.height / 2);
    Check(link >= -1 && link < static_cast<int>(layout.links.size()));
    return 0;
}

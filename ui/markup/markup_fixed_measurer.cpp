#include <algorithm>
#include <cmath>
#include <string>

#include "ui/markup/markup_layout.h"
#include "ui/markup/markup_text.h"

namespace velmora {

int FixedWidthMeasurer::SizeInPixels(const FontRequest& font, int dpi) {
    // A dpi of 0 or below counts as 96, as for every other length of the layout.
    return std::max(2, static_cast<int>(std::lround(font.tenths * (dpi > 0 ? dpi : 96) / 720.0)));
}

FontMetrics FixedWidthMeasurer::Metrics(const FontRequest& font) {
    const int size = SizeInPixels(font, dpi_);
    return {size, size / 4, size / 2};
}

int FixedWidthMeasurer::TextWidth(const FontRequest& font, std::string_view text) {
    const int size = SizeInPixels(font, dpi_);
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = i + 1 < text.size() && IsGbkLeadByte(text[i]);
        const bool symbol = i + 1 < text.size() && text[i] == kSymbolMark;
        if (pair || symbol)
            ++i;
        width += pair ? size : size / 2;
    }
    return width;
}

MarkupSize FixedWidthMeasurer::ImageSize(const ImageRef&) {
    return {16, 16};
}

std::string FixedWidthMeasurer::ResourceString(const std::string&, uint32_t id) {
    return "string " + std::to_string(id);
}

}  // namespace velmora

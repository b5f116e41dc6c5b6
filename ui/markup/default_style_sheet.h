#pragma once
// The renderer's default style sheet (990 characters; rules separated by CR LF): the
// sheet of a new tip box, and the rules any other sheet takes for the selectors it
// lacks (style_sheet.h).

#include <cstddef>

namespace velmora {

extern const char kDefaultStyleSheet[];
constexpr size_t kDefaultStyleSheetLength = 990;

}  // namespace velmora

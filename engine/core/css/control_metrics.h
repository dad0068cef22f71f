#pragma once
// Sizes the simple geometry gives what it cannot measure: text by an average character width, and form
// controls, images and objects by the platform's usual sizes or their size attributes.

#include <cstddef>
#include <optional>
#include <string_view>

#include "dom/element.h"

namespace vellum::engine::css {

struct Size {
    double width = 0;
    double height = 0;
};

double AverageCharWidthPx(double fontSizePx);
// The height of a line of text in the font size when line-height is "normal".
double TextLineHeightPx(double fontSizePx);

// Characters the text shows: runs of blanks count as one; blank-only text counts nothing.
std::size_t CollapsedTextLength(std::u16string_view text);

// The border-box size of a form control, image or object when its style gives none; empty for every
// other element (its content decides).
std::optional<Size> NaturalControlSize(const Element& element);

}  // namespace vellum::engine::css

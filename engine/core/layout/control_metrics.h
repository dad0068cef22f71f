#pragma once
// The natural sizes of form controls, images and objects: the platform's usual sizes or their size
// attributes, with the labels of buttons and the options of selects measured in the control font.

#include <cstddef>
#include <optional>
#include <string_view>

#include "dom/element.h"
#include "layout/text_measurer.h"

namespace vellum::engine::layout {

struct Size {
  double width = 0;
  double height = 0;
};

// The border-box size of a form control, image or object when its style gives none; empty for every
// other element (its content decides).
std::optional<Size> NaturalControlSize(const Element& element, TextMeasurer& measurer);

}  // namespace vellum::engine::layout

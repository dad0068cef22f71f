// The looks painted outside PaintControls.cpp, each given the index of the element's box.
#pragma once

#include <cstddef>

#include "engine/com/view/PaintContext.h"

namespace vellum::engine::com {

// PaintLists.cpp
void PaintListBox(const PaintContext& context, std::size_t index);
void PaintDropDown(const PaintContext& context, std::size_t index);
// PaintReplaced.cpp
void PaintFieldsetFrame(const PaintContext& context, std::size_t index);
void PaintImage(const PaintContext& context, std::size_t index);
void PaintObjectPlaceholder(const PaintContext& context, std::size_t index);

}  // namespace vellum::engine::com

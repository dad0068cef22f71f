// The text of an element's own text nodes, in the element's font and colour, drawn run by run where
// the layout placed it (the layout measured it in the same font).
#pragma once

#include <cstddef>

#include "engine/com/view/PaintContext.h"
#include "engine/com/view/TextTransform.h"

namespace vellum::engine::com {

void PaintFlowText(const PaintContext& context, std::size_t boxIndex);

}  // namespace vellum::engine::com

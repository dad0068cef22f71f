// Which controls take the focus, and the order Tab walks them in.
#pragma once

#include "dom/document.h"
#include "engine/com/FormState.h"
#include "layout/layout_tree.h"

namespace vellum::engine::com {

// A control the user can work now: a kind the live form knows, not disabled, and shown (it has a box).
bool IsFocusable(const vellum::engine::Element& element, const vellum::engine::layout::LayoutTree& layout);

enum class TabDirection { Forward, Backward };

// The control Tab (Forward) or Shift+Tab (Backward) moves to from `current`, in document order.
// Skipped: controls with a negative tabindex, and the unchecked radios of a group that has a checked
// one (the arrows move within a group). From no control, Forward starts at the first and Backward at
// the last. Null when the walk leaves the page (past either end, or nothing focusable).
vellum::engine::Element* NextInTabOrder(vellum::engine::Document& document,
                                        const vellum::engine::layout::LayoutTree& layout, const CFormState& state,
                                        const vellum::engine::Element* current, TabDirection direction);

}  // namespace vellum::engine::com

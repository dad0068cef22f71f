#pragma once
// Computed values of an element: its inline style over the document's style sheets over the engine's
// defaults, with inheritance from the parent.

#include <span>

#include "css/computed_style.h"
#include "css/style_sheet.h"
#include "css/style_subject.h"

namespace vellum::engine::css {

// The document's sheets in document order (later sheets win ties).
using SheetList = std::span<const StyleSheet* const>;

// `parentStyle` is the parent's computed style, or null for the root.
ComputedStyle ComputeStyle(const StyleSubject& element, SheetList authorSheets, const ComputedStyle* parentStyle);

// Computes the ancestors first, from the root down (for a single element; layout computes a whole
// tree top-down with ComputeStyle instead).
ComputedStyle ComputeStyleWithAncestors(const StyleSubject& element, SheetList authorSheets);

}  // namespace vellum::engine::css

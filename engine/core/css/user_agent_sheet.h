#pragma once

#include "css/style_sheet.h"

namespace vellum::engine::css {

// The engine's own defaults for HTML elements (display types, headings, emphasis, lists), below every
// author rule in the cascade. The body has no margin, so positions on the page are body coordinates.
const StyleSheet& UserAgentStyleSheet();

}  // namespace vellum::engine::css

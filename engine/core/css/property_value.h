#pragma once
// Checking a longhand's value against its kind, and forming its computed value.

#include <optional>
#include <string>
#include <string_view>

#include "css/property.h"

namespace vellum::engine::css {

// What a computed value may depend on besides the specified text.
struct ComputeContext {
  double parentFontSizePx = 16.0;               // em and % of font-size
  double fontSizePx = 16.0;                     // em of every other length
  std::u16string_view parentValue;              // the parent's computed value of the same property
  std::u16string_view colorValue = u"#000000";  // the element's computed colour, for "currentcolor"
};

// The computed text of longhand `id` specified as `specified` (trimmed; not "inherit" or "initial"):
// lengths in px (percentages kept where they depend on layout), colours as "#rrggbb" or the keyword in
// force, keywords in the spelling of the property's list, z-index as a decimal integer. Empty when the
// text is not a valid value of the property.
std::optional<std::u16string> ComputeValue(PropertyId id, std::u16string_view specified, const ComputeContext& context);

// Whether `value` is a valid value of longhand `id` ("inherit" and "initial" are valid everywhere).
bool IsValidValue(PropertyId id, std::u16string_view value);

// Whether the value is one of the keywords every property accepts.
bool IsInherit(std::u16string_view value);
bool IsInitial(std::u16string_view value);

// Border widths in pixels for the width keywords.
std::optional<double> BorderWidthKeywordPx(std::u16string_view keyword);

}  // namespace vellum::engine::css

#pragma once
// Shorthand properties: what "margin: 5px 10px" or "border: 1px solid red" sets, and the shorthand
// text that a set of longhand values reads as.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "css/property.h"

namespace vellum::engine::css {

struct LonghandValue {
  PropertyId id;
  std::u16string value;  // specified text; parts the shorthand leaves out get their initial value
};

// Every longhand of `shorthand` with the value `value` gives it. Empty when the value is not valid for
// the shorthand. "inherit" and "initial" pass to every longhand.
std::optional<std::vector<LonghandValue>> ExpandShorthand(PropertyId shorthand, std::u16string_view value);

// The shorthand's text for the longhand values `valueOf` answers, in the shortest usual form
// ("5px 10px" for four sides). Empty when a longhand has no value or the sides of a border differ.
std::u16string ComposeShorthand(PropertyId shorthand, const std::function<std::u16string(PropertyId)>& valueOf);

}  // namespace vellum::engine::css

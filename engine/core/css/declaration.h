#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "css/property.h"

namespace vellum::engine::css {

enum class Importance : std::uint8_t { Normal, Important };

// One "name: value" of a style attribute or a rule.
struct Declaration {
  std::u16string name;           // CSS name, lower case
  std::optional<PropertyId> id;  // empty for properties the engine does not know (kept for saving)
  std::u16string value;          // comments removed, blanks collapsed, trimmed; without "!important"
  Importance importance = Importance::Normal;
};

}  // namespace vellum::engine::css

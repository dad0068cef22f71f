#pragma once
// The named character reference table, sorted by name (byte order). Names that may appear without
// their semicolon are listed in both forms.

#include <cstddef>

namespace vellum::engine {

struct NamedEntity {
  const char* name;
  char32_t first;
  char32_t second;
};

extern const NamedEntity kNamedEntities[];
extern const size_t kNamedEntityCount;

}  // namespace vellum::engine

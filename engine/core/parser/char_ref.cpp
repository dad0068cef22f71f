#include "parser/char_ref.h"

#include <algorithm>
#include <cstring>

#include "parser/named_entities.h"

namespace vellum::engine {

bool NamedReferenceMatch::EndsWithSemicolon() const { return !name.empty() && name.back() == u';'; }

namespace {
char CharAt(const NamedEntity& e, size_t k) {
  // Names are short; strlen per probe is cheaper than keeping lengths beside a table this size.
  size_t len = std::strlen(e.name);
  return k < len ? e.name[k] : '\0';
}
}  // namespace

NamedReferenceMatch MatchNamedReference(std::u16string_view text) {
  NamedReferenceMatch best;
  const NamedEntity* lo = kNamedEntities;
  const NamedEntity* hi = kNamedEntities + kNamedEntityCount;
  for (size_t k = 0; k < text.size() && lo < hi; ++k) {
    char16_t c = text[k];
    if (c == 0 || c > 127) break;
    char ch = static_cast<char>(c);
    lo = std::lower_bound(lo, hi, ch, [k](const NamedEntity& e, char v) { return CharAt(e, k) < v; });
    hi = std::upper_bound(lo, hi, ch, [k](char v, const NamedEntity& e) { return v < CharAt(e, k); });
    if (lo < hi && std::strlen(lo->name) == k + 1) {
      best.length = k + 1;
      best.first = lo->first;
      best.second = lo->second;
      best.name = text.substr(0, k + 1);
    }
  }
  return best;
}

char32_t NumericReferenceValue(char32_t value) {
  static const char16_t kWindows1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
  if (value >= 0x80 && value <= 0x9F) return kWindows1252[value - 0x80];
  return value;
}

}  // namespace vellum::engine

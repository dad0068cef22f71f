#pragma once
// Character references: the named table and the numeric rules of the tokenizer.

#include <cstddef>
#include <string_view>

namespace vellum::engine {

struct NamedReferenceMatch {
  size_t length = 0;  // characters of the name matched (0: none), the ';' included when present
  char32_t first = 0;
  char32_t second = 0;  // 0 when the reference stands for one code point
  bool EndsWithSemicolon() const;
  std::u16string_view name;
};

// Longest named reference at the start of `text` (the characters after '&').
NamedReferenceMatch MatchNamedReference(std::u16string_view text);

// Code point a numeric reference stands for, after the replacements the tokenizer applies
// (NUL, out of range and surrogates become U+FFFD; C1 controls map as windows-1252 does).
char32_t NumericReferenceValue(char32_t value);

}  // namespace vellum::engine

#pragma once
// The validation rule of property input, on text that is already 8-bit and trimmed.

#include <cstddef>
#include <cstdint>

enum class REXI_EmptyText {
  Accepted,   // an empty value is valid whatever the pattern says
  Validated,  // an empty value is valid only when the pattern matches the empty text
};

// 1 when the pattern compiles and matches the whole text, else 0. The pattern is compiled anew on
// every call. text[length] must be 0; a 0 before it ends matching there, so such a text never matches
// whole.
int32_t ValidatePatternText(const char* trimmedText, size_t length, const char* pattern, REXI_EmptyText emptyText);
// The same for a zero-terminated text.
int32_t ValidatePatternText(const char* trimmedText, const char* pattern, REXI_EmptyText emptyText);

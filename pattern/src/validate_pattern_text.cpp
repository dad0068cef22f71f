#include "pattern/validate_pattern_text.h"

#include <cstring>

#include "pattern/rexi_search.h"

int32_t ValidatePatternText(const char* trimmedText, size_t length, const char* pattern, REXI_EmptyText emptyText) {
  if (trimmedText == nullptr) {
    trimmedText = "";
    length = 0;
  }
  if (length == 0 && emptyText == REXI_EmptyText::Accepted) return 1;
  REXI_Search search(0);
  if (search.Compile(pattern).code != REXI_CompileResult::kSuccess) return 0;
  // A search would go on to later starts after a failed first attempt, but a match found there is
  // always shorter than the text; the attempt at the first character decides alone, in linear time.
  const char* position = trimmedText;
  const REXI_MatchResult match = search.MatchAt(position);
  return match.found && static_cast<size_t>(match.length) == length ? 1 : 0;
}

int32_t ValidatePatternText(const char* trimmedText, const char* pattern, REXI_EmptyText emptyText) {
  return ValidatePatternText(trimmedText, trimmedText != nullptr ? std::strlen(trimmedText) : 0, pattern, emptyText);
}

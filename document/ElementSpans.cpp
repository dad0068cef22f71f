#include "document/ElementSpans.h"

#include <algorithm>
#include <cstddef>

bool FindElementReplacement(std::string_view current, const std::vector<ElementSpan>& spans,
                            std::string_view target, ElementReplacement& replacement) {
  replacement = {};
  const std::size_t shorter = std::min(current.size(), target.size());
  std::size_t prefix = 0;
  while (prefix < shorter && current[prefix] == target[prefix]) ++prefix;
  if (prefix == current.size() && prefix == target.size()) {
    replacement.unchanged = true;
    return true;
  }
  // The shared end never reaches into the shared start, so that the two cover each text at most once.
  std::size_t suffix = 0;
  while (suffix < shorter - prefix && current[current.size() - 1 - suffix] == target[target.size() - 1 - suffix])
    ++suffix;
  const std::size_t changedEnd = current.size() - suffix;
  // Ancestors come before their descendants: the last span that holds the change is the innermost.
  const ElementSpan* innermost = nullptr;
  for (const ElementSpan& span : spans) {
    if (span.end < 0 || span.start < 0) continue;
    const auto start = static_cast<std::size_t>(span.start), end = static_cast<std::size_t>(span.end);
    if (start <= prefix && changedEnd <= end && end <= current.size()) innermost = &span;
  }
  if (!innermost) return false;
  // The element ends inside the shared end, which lies as far from the end of either text.
  const std::size_t from = static_cast<std::size_t>(innermost->start);
  const std::size_t to = static_cast<std::size_t>(innermost->end) + target.size() - current.size();
  std::size_t first = from, last = to;
  while (first < last && target[first] == ' ') ++first;
  if (last > first && target[last - 1] == '\n') --last;
  replacement.sourceIndex = innermost->sourceIndex;
  replacement.from = static_cast<int>(first);
  replacement.length = static_cast<int>(last - first);
  return true;
}

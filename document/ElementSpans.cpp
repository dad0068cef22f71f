#include "document/ElementSpans.h"

#include <algorithm>
#include <cstddef>

namespace {

// The writer's start tag: "<NAME" and attributes, each value double-quoted with every '"' in it
// escaped, so a '"' always opens or closes a value.
void FindStyleChange(std::string_view current, std::size_t start, std::size_t prefix, std::size_t changedEnd,
                     std::string_view target, ElementReplacement& replacement) {
  constexpr std::string_view kStyle = " style=\"";
  std::size_t at = start;
  while (at < current.size() && current[at] == ' ') ++at;
  if (at >= current.size() || current[at] != '<') return;
  bool quoted = false;
  std::size_t valueStart = std::string_view::npos;
  for (; at < current.size(); ++at) {
    const char c = current[at];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == '>') {
      return;  // the start tag ended without a style attribute
    } else if (!quoted && current.compare(at, kStyle.size(), kStyle) == 0) {
      valueStart = at + kStyle.size();
      break;
    }
  }
  if (valueStart == std::string_view::npos) return;
  const std::size_t valueEnd = current.find('"', valueStart);
  if (valueEnd == std::string_view::npos || prefix < valueStart || changedEnd > valueEnd) return;
  // The value's end is in the shared end, as far from the end of either text.
  const std::size_t targetEnd = valueEnd + target.size() - current.size();
  if (targetEnd < valueStart || targetEnd >= target.size() || target[targetEnd] != '"' ||
      target.substr(valueStart, targetEnd - valueStart).find('"') != std::string_view::npos)
    return;
  replacement.styleFrom = static_cast<int>(valueStart);
  replacement.styleLength = static_cast<int>(targetEnd - valueStart);
}

}  // namespace

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
    if (span.end < 0 || span.start < 0 || !span.standsAlone) continue;
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
  FindStyleChange(current, innermost->start, prefix, changedEnd, target, replacement);
  return true;
}

bool StartTagOf(std::string_view text, const ElementSpan& span, int& from, int& to) {
  if (span.start < 0 || span.end < 0 || static_cast<std::size_t>(span.end) > text.size()) return false;
  auto at = static_cast<std::size_t>(span.start);
  const auto end = static_cast<std::size_t>(span.end);
  while (at < end && text[at] == ' ') ++at;
  if (at >= end || text[at] != '<') return false;
  from = static_cast<int>(at);
  // Every value is double-quoted with each '"' in it escaped: the first '>' outside quotes closes the tag.
  bool quoted = false;
  for (; at < end; ++at) {
    if (text[at] == '"') {
      quoted = !quoted;
    } else if (!quoted && text[at] == '>') {
      to = static_cast<int>(at);
      return true;
    }
  }
  return false;
}

void MoveSpans(std::vector<ElementSpan>& spans, const std::vector<TagRewrite>& rewrites) {
  // shift[i]: how far the text moved at the end of rewrite i, with all before it.
  std::vector<long long> shift(rewrites.size());
  long long moved = 0;
  for (std::size_t i = 0; i < rewrites.size(); ++i) {
    moved += static_cast<long long>(rewrites[i].text.size()) - (rewrites[i].to - rewrites[i].from);
    shift[i] = moved;
  }
  // A place moves by the rewrites wholly before it.
  auto movedTo = [&](int place) {
    const auto after = std::upper_bound(rewrites.begin(), rewrites.end(), place,
                                        [](int p, const TagRewrite& rewrite) { return p < rewrite.to; });
    const auto before = static_cast<std::size_t>(after - rewrites.begin());
    return static_cast<int>(place + (before == 0 ? 0 : shift[before - 1]));
  };
  for (ElementSpan& span : spans) {
    span.start = movedTo(span.start);
    if (span.end >= 0) span.end = movedTo(span.end);
  }
}

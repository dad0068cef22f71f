#include "css/css_scanner.h"

#include <algorithm>

#include "css/css_text.h"

namespace vellum::engine::css {
namespace {

// The index just after the string whose quote is at `at`. A string ends at its closing quote or,
// unterminated, before a line break or at the end of the text.
std::size_t SkipString(std::u16string_view text, std::size_t at, bool* terminated) {
  const char16_t quote = text[at];
  std::size_t i = at + 1;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'\\') {
      i += 2;
    } else if (c == quote) {
      *terminated = true;
      return i + 1;
    } else if (c == u'\n' || c == u'\r' || c == u'\f') {
      *terminated = false;
      return i;
    } else {
      ++i;
    }
  }
  *terminated = false;
  return text.size();
}

char16_t Closer(char16_t opener) {
  switch (opener) {
    case u'(':
      return u')';
    case u'[':
      return u']';
    default:
      return u'}';
  }
}

}  // namespace

std::size_t SkipComment(std::u16string_view text, std::size_t at) {
  const std::size_t end = text.find(u"*/", at + 2);
  return end == std::u16string_view::npos ? text.size() : end + 2;
}

std::size_t FindTopLevel(std::u16string_view text, std::size_t from, std::u16string_view stops) {
  char16_t closers[kBracketDepthBudget];
  std::size_t depth = 0;
  std::size_t i = from;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'/' && i + 1 < text.size() && text[i + 1] == u'*') {
      i = SkipComment(text, i);
      continue;
    }
    if (c == u'"' || c == u'\'') {
      bool terminated = false;
      i = SkipString(text, i, &terminated);
      continue;
    }
    if (c == u'\\') {
      i = std::min(i + 2, text.size());
      continue;
    }
    if (depth == 0 && stops.find(c) != std::u16string_view::npos) {
      return i;
    }
    if (c == u'(' || c == u'[' || c == u'{') {
      if (depth == kBracketDepthBudget) {
        return text.size();
      }
      closers[depth++] = Closer(c);
    } else if (depth > 0 && c == closers[depth - 1]) {
      --depth;
    }
    ++i;
  }
  return text.size();
}

std::optional<std::u16string> NormaliseValueText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  bool pendingBlank = false;
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'/' && i + 1 < text.size() && text[i + 1] == u'*') {
      i = SkipComment(text, i);
      pendingBlank = true;
      continue;
    }
    if (IsCssWhitespace(c)) {
      pendingBlank = true;
      ++i;
      continue;
    }
    if (c == u'{' || c == u'}') {
      return std::nullopt;
    }
    if (pendingBlank && !out.empty()) {
      out.push_back(u' ');
    }
    pendingBlank = false;
    if (c == u'"' || c == u'\'') {
      bool terminated = false;
      const std::size_t end = SkipString(text, i, &terminated);
      if (!terminated) {
        return std::nullopt;
      }
      out.append(text.substr(i, end - i));
      i = end;
      continue;
    }
    if (c == u'\\' && i + 1 < text.size()) {
      out.append(text.substr(i, 2));
      i += 2;
      continue;
    }
    out.push_back(c);
    ++i;
  }
  return out;
}

bool IsSelfContainedValue(std::u16string_view text) {
  char16_t closers[kBracketDepthBudget];
  std::size_t depth = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'/' && i + 1 < text.size() && text[i + 1] == u'*') {
      const std::size_t end = text.find(u"*/", i + 2);
      if (end == std::u16string_view::npos) {
        return false;
      }
      i = end + 2;
      continue;
    }
    if (c == u'"' || c == u'\'') {
      bool terminated = false;
      i = SkipString(text, i, &terminated);
      if (!terminated) {
        return false;
      }
      continue;
    }
    if (c == u'\\') {
      if (i + 1 >= text.size()) {
        return false;
      }
      i += 2;
      continue;
    }
    if (c == u';' && depth == 0) {
      return false;
    }
    if (c == u'(' || c == u'[' || c == u'{') {
      if (depth == kBracketDepthBudget) {
        return false;
      }
      closers[depth++] = Closer(c);
    } else if (c == u')' || c == u']' || c == u'}') {
      if (depth == 0 || closers[depth - 1] != c) {
        return false;
      }
      --depth;
    }
    ++i;
  }
  return depth == 0;
}

bool IsIdentifier(std::u16string_view name) {
  if (name.empty() || !std::all_of(name.begin(), name.end(), IsIdentifierChar)) {
    return false;
  }
  std::u16string_view rest = name;
  if (rest.front() == u'-') {
    rest.remove_prefix(1);
    if (!rest.empty() && rest.front() == u'-') {
      rest.remove_prefix(1);
    }
  }
  return !rest.empty() && !IsAsciiDigit(rest.front()) && rest.front() != u'-';
}

}  // namespace vellum::engine::css

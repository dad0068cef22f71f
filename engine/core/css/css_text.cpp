#include "css/css_text.h"

#include <cmath>

namespace vellum::engine::css {

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

bool EqualsIgnoringAsciiCase(std::u16string_view text, std::string_view lower) {
  if (text.size() != lower.size()) {
    return false;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (AsciiLower(text[i]) != static_cast<unsigned char>(lower[i])) {
      return false;
    }
  }
  return true;
}

std::u16string AsciiLowercase(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) {
    c = AsciiLower(c);
  }
  return out;
}

std::u16string_view TrimCssWhitespace(std::u16string_view text) {
  while (!text.empty() && IsCssWhitespace(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsCssWhitespace(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::u16string FromAscii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::string ToAsciiLossy(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  }
  return out;
}

std::u16string FormatNumber(double value) {
  // Values reaching here are clamped by the parsers, so the scaled integer cannot overflow.
  long long hundredths = std::llround(value * 100.0);
  std::u16string out;
  if (hundredths < 0) {
    out.push_back(u'-');
    hundredths = -hundredths;
  }
  const std::string whole = std::to_string(hundredths / 100);
  out.append(whole.begin(), whole.end());
  const int fraction = static_cast<int>(hundredths % 100);
  if (fraction != 0) {
    out.push_back(u'.');
    out.push_back(static_cast<char16_t>(u'0' + fraction / 10));
    if (fraction % 10 != 0) {
      out.push_back(static_cast<char16_t>(u'0' + fraction % 10));
    }
  }
  return out;
}

std::vector<std::u16string_view> SplitComponents(std::u16string_view value) {
  std::vector<std::u16string_view> parts;
  std::size_t i = 0;
  while (i < value.size()) {
    while (i < value.size() && IsCssWhitespace(value[i])) {
      ++i;
    }
    if (i == value.size()) {
      break;
    }
    const std::size_t start = i;
    int depth = 0;
    char16_t quote = 0;
    for (; i < value.size(); ++i) {
      const char16_t c = value[i];
      if (quote != 0) {
        if (c == u'\\') {
          ++i;
        } else if (c == quote) {
          quote = 0;
        }
      } else if (c == u'"' || c == u'\'') {
        quote = c;
      } else if (c == u'(') {
        ++depth;
      } else if (c == u')') {
        depth = depth > 0 ? depth - 1 : 0;
      } else if (depth == 0 && IsCssWhitespace(c)) {
        break;
      }
    }
    parts.push_back(value.substr(start, std::min(i, value.size()) - start));
  }
  return parts;
}

}  // namespace vellum::engine::css

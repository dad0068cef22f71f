#pragma once
// Small text helpers shared by the style code. Style text is UTF-16, as everywhere in the engine; CSS
// keywords are ASCII, so case folding is ASCII-only.

#include <string>
#include <string_view>
#include <vector>

namespace vellum::engine::css {

constexpr bool IsCssWhitespace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }
constexpr char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }
constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
constexpr bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);
// `lower` must be lower-case ASCII.
bool EqualsIgnoringAsciiCase(std::u16string_view text, std::string_view lower);

std::u16string AsciiLowercase(std::u16string_view text);
std::u16string_view TrimCssWhitespace(std::u16string_view text);
std::u16string FromAscii(std::string_view text);
std::string ToAsciiLossy(std::u16string_view text);  // for diagnostics and tests

// Decimal text of `value` with at most two decimals, no trailing zeros ("13.33", "12", "-0.5").
std::u16string FormatNumber(double value);

// Splits a property value into its blank-separated components. Quoted strings and parenthesised
// groups stay whole ("url(a b.png)", "'Times New Roman'"). The views point into `value`.
std::vector<std::u16string_view> SplitComponents(std::u16string_view value);

// Whether `c` may appear in a CSS identifier (names of properties, keywords, classes).
constexpr bool IsIdentifierChar(char16_t c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == u'-' || c == u'_' || c >= 0x80;
}

}  // namespace vellum::engine::css

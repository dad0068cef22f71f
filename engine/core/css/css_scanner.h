#pragma once
// Stepping over CSS text the way the CSS syntax does for error recovery: strings, comments and
// bracketed blocks are taken whole, so a ';' or '}' inside them ends nothing.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vellum::engine::css {

// Brackets nested deeper than this swallow the rest of the text instead of growing a stack.
inline constexpr std::size_t kBracketDepthBudget = 64;

// The index of the first character of `stops` at or after `from` outside strings, comments and
// brackets; text.size() when there is none.
std::size_t FindTopLevel(std::u16string_view text, std::size_t from, std::u16string_view stops);

// The index just after the comment starting at `at` ("/*"); text.size() when it never ends.
std::size_t SkipComment(std::u16string_view text, std::size_t at);

// `text` with comments turned into blanks, runs of blanks into one blank and both ends trimmed; strings
// are copied untouched. Empty when the text holds an unterminated string or a brace, which make a
// declaration's value invalid.
std::optional<std::u16string> NormaliseValueText(std::u16string_view text);

// Whether `text` can stand as a value inside a declaration list and read back the same: no ';' outside
// strings and brackets, every string, bracket and escape closed.
bool IsSelfContainedValue(std::u16string_view text);

// Whether `name` is a CSS identifier ("z-index", "_height", "-ms-filter").
bool IsIdentifier(std::u16string_view name);

}  // namespace vellum::engine::css

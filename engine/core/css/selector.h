#pragma once
// Selectors of style rules: type, class, id and universal selectors, compounds of them, descendant
// and child combinators. Attribute selectors, pseudo-classes and sibling combinators are read (so the
// rest of a rule survives) but never match.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "css/style_subject.h"

namespace vellum::engine::css {

// Budgets: selectors beyond them make the whole rule invalid.
inline constexpr std::size_t kSelectorListBudget = 256;
inline constexpr std::size_t kCompoundsPerSelectorBudget = 32;
inline constexpr std::size_t kClassesPerCompoundBudget = 32;

struct CompoundSelector {
  std::u16string tag;  // lower case; empty for any element
  std::u16string id;   // empty for none
  std::vector<std::u16string> classes;
};

enum class Combinator : std::uint8_t { Descendant, Child };

struct Selector {
  std::vector<CompoundSelector> compounds;  // the subject's compound first, then leftwards
  std::vector<Combinator> combinators;      // combinators[i] links compounds[i] to compounds[i + 1]
  std::uint32_t specificity = 0;            // ids << 16 | classes << 8 | types, each at most 255
  bool matchable = true;                    // false: holds a part the engine does not evaluate
};

// Parses a comma-separated selector list; empty when any selector in it is malformed (the rule is
// then dropped, as CSS requires).
std::optional<std::vector<Selector>> ParseSelectorList(std::u16string_view text);

// Whether the element matches. Tag names, ids and classes compare without regard to ASCII case, as
// in the quirks mode that the editor's pages (which carry no doctype) are shown in.
bool Matches(const Selector& selector, const StyleSubject& element);

}  // namespace vellum::engine::css

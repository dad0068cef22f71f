#pragma once
// An element's inline style (and the body of a style rule): ordered declarations with the
// normalised cssText the editor saves.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "css/declaration.h"

namespace vellum::engine::css {

enum class SetResult : std::uint8_t {
  Stored,    // the property now has the value
  Removed,   // the value was empty: the property is gone
  Rejected,  // the value could not be stored (it would read back as something else); nothing changed
};

// Properties the engine does not know are kept (so that saving loses nothing), up to this many.
inline constexpr std::size_t kUnknownDeclarationBudget = 64;

class DeclarationBlock {
 public:
  DeclarationBlock() = default;
  explicit DeclarationBlock(std::u16string_view cssText) { SetCssText(cssText); }

  // Replaces every declaration with those of `cssText`; malformed ones are skipped.
  void SetCssText(std::u16string_view cssText);

  // "left: 10px; top: 20px; width: 65px; height: 20px; position: absolute": lower-case names,
  // values as stored, "; " between declarations, no final ';'. left, top, width, height, position
  // and z-index come first in that order, then the others in the order they were first set.
  std::u16string CssText() const;

  // Sets a property by id or by name (CSS or script name, any case). An empty value removes it. A
  // property set again keeps its place; one whose earlier place would let a later shorthand override
  // it moves to the end. A shorthand replaces the longhands it covers.
  SetResult Set(PropertyId id, std::u16string_view value);
  SetResult Set(std::u16string_view name, std::u16string_view value);
  // Stores the decimal text of `value` ("5"), as automation does for a number given to zIndex.
  SetResult SetNumber(PropertyId id, long long value);

  // The specified value, "" when unset. A longhand set only through a shorthand answers its part of
  // it ("margin: 1px 2px" gives margin-left "2px"); a shorthand set only through its longhands answers
  // their combination when all are set.
  std::u16string Get(PropertyId id) const;
  std::u16string Get(std::u16string_view name) const;  // "" also for names the engine does not know

  bool Remove(PropertyId id);

  std::span<const Declaration> Declarations() const { return declarations_; }
  bool Empty() const { return declarations_.empty(); }

 private:
  enum class Source : std::uint8_t { Script, Markup };

  void Store(Declaration declaration, Source source);
  std::size_t IndexOf(std::u16string_view name) const;

  std::vector<Declaration> declarations_;  // in the order first set
};

}  // namespace vellum::engine::css

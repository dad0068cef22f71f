#pragma once
// An element's style attribute, parsed once: the declarations and their normalised text stay with the
// element until one of its attributes changes, so the object model's cssText and the cascade read
// them again without parsing.

#include <optional>
#include <string>

#include "css/declaration_block.h"
#include "dom/element.h"

namespace vellum::engine::css {

class ParsedInlineStyle final : public StyleAttributeCache {
 public:
  explicit ParsedInlineStyle(std::u16string_view attributeText) : declarations_(attributeText) {}

  // Parsed styles are made for the styled elements in document order (by the first layout) and read
  // in that order by every walk over the document (a saved form reads each one's text). Taken from
  // blocks of their own, they lie side by side in that order instead of scattered among the layout's
  // other allocations, and a walk over thousands of them does not wait on memory for each one.
  static void* operator new(std::size_t size);
  static void operator delete(void* memory, std::size_t size) noexcept;

  const DeclarationBlock& Declarations() const { return declarations_; }
  // DeclarationBlock::CssText, built on first use.
  const std::u16string& CssText() const;

 private:
  mutable std::optional<std::u16string> cssText_;  // first: read far more often than the declarations
  DeclarationBlock declarations_;
};

// The element's parsed style attribute; null when it has none. Valid until an attribute of the
// element changes.
const ParsedInlineStyle* InlineStyleOf(const Element& element);

}  // namespace vellum::engine::css

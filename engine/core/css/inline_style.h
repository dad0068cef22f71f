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

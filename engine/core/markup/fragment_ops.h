#pragma once
// Changing the tree with markup: innerHTML and outerHTML set, insertAdjacentHTML.

#include <string_view>

#include "dom/element.h"
#include "parser/parse_options.h"

namespace vellum::engine {

enum class AdjacentPosition : uint8_t { BeforeBegin, AfterBegin, BeforeEnd, AfterEnd };

// "beforeBegin", "afterBegin", "beforeEnd", "afterEnd" in any case; false for anything else.
bool ParseAdjacentPosition(std::u16string_view name, AdjacentPosition& position);

// Parses the markup in the context the position implies and inserts the nodes there. Fails with
// HierarchyError when the element has no parent element for the outer positions.
MutationResult InsertAdjacentHtml(Element& target, AdjacentPosition position, std::u16string_view markup,
                                  const ParseOptions& options = {});
// Replaces the element's content (title, style and script: their text).
MutationResult SetInnerHtml(Element& target, std::u16string_view markup, const ParseOptions& options = {});
// Replaces the element itself by the parsed markup.
MutationResult SetOuterHtml(Element& target, std::u16string_view markup, const ParseOptions& options = {});

}  // namespace vellum::engine

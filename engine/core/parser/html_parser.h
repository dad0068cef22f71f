#pragma once
// Entry points of the HTML parser. Input is decoded text (UTF-16); parsing never fails, it
// recovers as the HTML tree-construction rules say, with the engine's own exceptions (see
// TreeBuilder). The resulting tree respects the element nesting cap.

#include <string_view>

#include "dom/document.h"
#include "parser/parse_options.h"

namespace vellum::engine {

struct ParseReport {
  // Re-opened formatting elements ran past their budget and were left out.
  bool budgetExhausted = false;
};

// A new document holding the parsed text.
RefPtr<Document> ParseDocument(std::u16string_view text, const ParseOptions& options = {});
// Replaces the whole content of `document` with the parsed text.
ParseReport ParseInto(Document& document, std::u16string_view text, const ParseOptions& options = {});
// Parses markup in the context of `context` (innerHTML, insertAdjacentHTML). The nodes belong to
// the context's document and wait in the returned fragment until the caller inserts them.
RefPtr<DocumentFragment> ParseFragment(Element& context, std::u16string_view text, const ParseOptions& options = {});

}  // namespace vellum::engine

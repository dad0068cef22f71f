#include "parser/html_parser.h"

#include "dom/nesting_cap.h"
#include "parser/input_text.h"
#include "parser/tokenizer.h"
#include "parser/tree_builder.h"

namespace vellum::engine {

namespace {
ParseOptions withInputBudget(const ParseOptions& options, size_t inputLength) {
  ParseOptions adjusted = options;
  adjusted.extraElementBudget += inputLength / 2;
  return adjusted;
}
}  // namespace

RefPtr<Document> parseDocument(std::u16string_view text, const ParseOptions& options) {
  RefPtr<Document> document = Document::create();
  parseInto(*document, text, options);
  return document;
}

ParseReport parseInto(Document& document, std::u16string_view text, const ParseOptions& options) {
  document.removeAllChildren();
  document.setMode(DocumentMode::NoQuirks);
  InputText input(text);
  TreeBuilder builder(document, withInputBudget(options, text.size()));
  Tokenizer tokenizer(input.view(), builder);
  builder.attach(tokenizer);
  tokenizer.run();
  enforceNestingCap(document, 0);
  return ParseReport{builder.budgetExhausted()};
}

RefPtr<DocumentFragment> parseFragment(Element& context, std::u16string_view text, const ParseOptions& options) {
  Document& document = context.document();
  InputText input(text);
  RefPtr<DocumentFragment> fragment = document.createDocumentFragment();
  {
    TreeBuilder builder(document, withInputBudget(options, text.size()), &context);
    Tokenizer tokenizer(input.view(), builder);
    builder.attach(tokenizer);
    tokenizer.run();
    Element* root = builder.fragmentRoot();
    while (Node* child = root->firstChild()) NodeTreeAccess::insert(*fragment, *child, nullptr);
  }
  enforceNestingCap(*fragment, 0);
  return fragment;
}

}  // namespace vellum::engine

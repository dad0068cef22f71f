#include "parser/html_parser.h"

#include "dom/nesting_cap.h"
#include "parser/input_text.h"
#include "parser/tokenizer.h"
#include "parser/tree_builder.h"

namespace vellum::engine {

namespace {
ParseOptions WithInputBudget(const ParseOptions& options, size_t inputLength) {
  ParseOptions adjusted = options;
  adjusted.extraElementBudget += inputLength / 2;
  return adjusted;
}
}  // namespace

RefPtr<Document> ParseDocument(std::u16string_view text, const ParseOptions& options) {
  RefPtr<Document> document = Document::Create();
  ParseInto(*document, text, options);
  return document;
}

ParseReport ParseInto(Document& document, std::u16string_view text, const ParseOptions& options) {
  document.RemoveAllChildren();
  document.SetMode(DocumentMode::NoQuirks);
  InputText input(text);
  TreeBuilder builder(document, WithInputBudget(options, text.size()));
  Tokenizer tokenizer(input.View(), builder);
  builder.Attach(tokenizer);
  tokenizer.Run();
  EnforceNestingCap(document, 0);
  return ParseReport{builder.BudgetExhausted()};
}

RefPtr<DocumentFragment> ParseFragment(Element& context, std::u16string_view text, const ParseOptions& options) {
  Document& document = context.GetDocument();
  InputText input(text);
  RefPtr<DocumentFragment> fragment = document.CreateDocumentFragment();
  {
    TreeBuilder builder(document, WithInputBudget(options, text.size()), &context);
    Tokenizer tokenizer(input.View(), builder);
    builder.Attach(tokenizer);
    tokenizer.Run();
    Element* root = builder.FragmentRoot();
    while (Node* child = root->FirstChild()) NodeTreeAccess::Insert(*fragment, *child, nullptr);
  }
  EnforceNestingCap(*fragment, 0);
  return fragment;
}

}  // namespace vellum::engine

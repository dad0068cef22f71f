// Arbitrary bytes as a document and as a fragment: parsing must never crash, hang or break the
// tree's invariants, and the serialised markup must parse again.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dom/document.h"
#include "dom/nesting_cap.h"
#include "markup/fragment_ops.h"
#include "markup/inner_text.h"
#include "markup/serializer.h"
#include "parser/html_parser.h"
#include "encoding/utf.h"

using namespace vellum::engine;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The cap holds and the `all` list agrees with the tree's own pre-order.
void CheckInvariants(Document& document) {
  const auto& all = document.All();
  for (size_t i = 0; i < all.size(); ++i) {
    Check(all[i]->SourceIndex() == static_cast<int32_t>(i));
    Check(ElementLevel(*all[i]) <= kMaxElementNesting);
    if (const Element* e = AsElement(all[i]); e && e->HoldsTextAsProperty()) Check(!e->HasChildren());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256 * 1024) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::u16string text;
  encoding::DecodeUtf8(bytes, text);

  RefPtr<Document> document = ParseDocument(text);
  CheckInvariants(*document);
  std::u16string markup = OuterHtml(*document);

  // The engine's own markup must parse again; the second round must not need to repair anything
  // more than the first did.
  RefPtr<Document> again = ParseDocument(markup);
  CheckInvariants(*again);

  // The same bytes as markup inserted into the body, then taken out and put in again.
  if (Element* body = document->Body()) {
    InsertAdjacentHtml(*body, AdjacentPosition::AfterBegin, text);
    SetInnerText(*body, InnerText(*body));
    SetInnerHtml(*body, text);
    CheckInvariants(*document);
  }
  return 0;
}

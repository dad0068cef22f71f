#pragma once
// Shorthands for the engine core tests: UTF-8 in, UTF-8 out.

#include <algorithm>
#include <string>
#include <string_view>

#include "dom/document.h"
#include "parser/html_parser.h"
#include "support/tree_dump.h"
#include "support/utf_text.h"

namespace vellum::engine::test {

inline std::u16string U16(std::string_view utf8) { return Utf8ToUtf16(utf8); }
inline std::string U8(std::u16string_view text) { return Utf16ToUtf8(text); }

inline RefPtr<Document> Parse(std::string_view utf8) { return ParseDocument(U16(utf8)); }

// Tree dump of a whole document, as the html5lib notation writes it.
inline std::string DumpOf(std::string_view utf8) { return DumpTree(*Parse(utf8)); }

// Joins dump lines written one per argument, so expected trees read like the notation.
template <class... Lines>
std::string Tree(Lines... lines) {
  std::string out;
  ((out += (out.empty() ? "| " : "\n| "), out += lines), ...);
  return out;
}

// First element named `tag` in document order.
inline Element* FirstByTag(Document& document, TagId tag) {
  for (Node* n : document.All())
    if (Element* e = AsElement(n); e && e->Is(tag)) return e;
  return nullptr;
}

// Greatest number of elements on any path from `root` down, in one linear walk.
inline int DeepestElementLevel(const Node& root) {
  int deepest = 0, level = 0;
  const Node* n = root.FirstChild();
  while (n) {
    if (n->IsElement()) deepest = std::max(deepest, level + 1);
    if (n->FirstChild()) {
      level += n->IsElement() ? 1 : 0;
      n = n->FirstChild();
      continue;
    }
    while (n && n != &root && !n->NextSibling()) {
      n = n->Parent();
      if (n && n != &root && n->IsElement()) --level;
    }
    n = (n && n != &root) ? n->NextSibling() : nullptr;
  }
  return deepest;
}

}  // namespace vellum::engine::test

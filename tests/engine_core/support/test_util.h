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

inline std::u16string u16(std::string_view utf8) { return utf8ToUtf16(utf8); }
inline std::string u8(std::u16string_view text) { return utf16ToUtf8(text); }

inline RefPtr<Document> parse(std::string_view utf8) { return parseDocument(u16(utf8)); }

// Tree dump of a whole document, as the html5lib notation writes it.
inline std::string dumpOf(std::string_view utf8) { return dumpTree(*parse(utf8)); }

// Joins dump lines written one per argument, so expected trees read like the notation.
template <class... Lines>
std::string tree(Lines... lines) {
  std::string out;
  ((out += (out.empty() ? "| " : "\n| "), out += lines), ...);
  return out;
}

// First element named `tag` in document order.
inline Element* firstByTag(Document& document, TagId tag) {
  for (Node* n : document.all())
    if (Element* e = asElement(n); e && e->is(tag)) return e;
  return nullptr;
}

// Greatest number of elements on any path from `root` down, in one linear walk.
inline int deepestElementLevel(const Node& root) {
  int deepest = 0, level = 0;
  const Node* n = root.firstChild();
  while (n) {
    if (n->isElement()) deepest = std::max(deepest, level + 1);
    if (n->firstChild()) {
      level += n->isElement() ? 1 : 0;
      n = n->firstChild();
      continue;
    }
    while (n && n != &root && !n->nextSibling()) {
      n = n->parent();
      if (n && n != &root && n->isElement()) --level;
    }
    n = (n && n != &root) ? n->nextSibling() : nullptr;
  }
  return deepest;
}

}  // namespace vellum::engine::test

#pragma once
// Small helpers shared by the tree builder's source files.

#include <string_view>

#include "dom/element.h"
#include "parser/token.h"

namespace vellum::engine::tb {

inline bool isWhitespace(char16_t c) { return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }

inline size_t leadingWhitespace(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && isWhitespace(s[i])) ++i;
  return i;
}

inline bool isAllWhitespace(std::u16string_view s) { return leadingWhitespace(s) == s.size(); }

inline bool isStart(const Token& t, TagId tag) { return t.type == TokenType::StartTag && t.tag == tag; }
inline bool isEnd(const Token& t, TagId tag) { return t.type == TokenType::EndTag && t.tag == tag; }

inline bool tagIn(TagId tag, std::initializer_list<TagId> tags) {
  for (TagId t : tags)
    if (t == tag) return true;
  return false;
}
inline bool isStartOneOf(const Token& t, std::initializer_list<TagId> tags) {
  return t.type == TokenType::StartTag && tagIn(t.tag, tags);
}
inline bool isEndOneOf(const Token& t, std::initializer_list<TagId> tags) {
  return t.type == TokenType::EndTag && tagIn(t.tag, tags);
}
inline bool isHtmlOneOf(const Element* e, std::initializer_list<TagId> tags) {
  return e && e->isHtml() && tagIn(e->tagId(), tags);
}

// Removes the characters a mode ignores (NUL) from a run.
inline void removeNulls(std::u16string& s) {
  if (s.find(u'\0') == std::u16string::npos) return;
  std::u16string kept;
  kept.reserve(s.size());
  for (char16_t c : s)
    if (c != 0) kept.push_back(c);
  s.swap(kept);
}

// Start tag token made up by the tree builder (implied html, head, body, tbody ...).
inline Token syntheticStartTag(TagId tag) {
  Token t;
  t.type = TokenType::StartTag;
  t.tag = tag;
  t.name.assign(tagName(tag));
  return t;
}

}  // namespace vellum::engine::tb

namespace vellum::engine {
// The tree builder's "special" category, MathML and SVG members included.
inline bool isSpecial(const Element& e) {
  switch (e.ns()) {
    case Namespace::Html:
      return (tagFlags(e.tagId()) & kSpecial) != 0;
    case Namespace::MathMl:
      return tb::tagIn(e.tagId(), {TagId::Mi, TagId::Mo, TagId::Mn, TagId::Ms, TagId::Mtext, TagId::AnnotationXml});
    case Namespace::Svg:
      return tb::tagIn(e.tagId(), {TagId::ForeignObject, TagId::Desc, TagId::Title});
  }
  return false;
}
// annotation-xml with an HTML encoding, and SVG foreignObject, desc and title.
bool isHtmlIntegrationPoint(const Element& e);
}  // namespace vellum::engine

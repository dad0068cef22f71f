#pragma once
// Small helpers shared by the tree builder's source files.

#include <string_view>

#include "dom/element.h"
#include "parser/token.h"

namespace vellum::engine::tb {

inline bool IsWhitespace(char16_t c) { return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }

inline size_t LeadingWhitespace(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && IsWhitespace(s[i])) ++i;
  return i;
}

inline bool IsAllWhitespace(std::u16string_view s) { return LeadingWhitespace(s) == s.size(); }

inline bool IsStart(const Token& t, TagId tag) { return t.type == TokenType::StartTag && t.tag == tag; }
inline bool IsEnd(const Token& t, TagId tag) { return t.type == TokenType::EndTag && t.tag == tag; }

inline bool TagIn(TagId tag, std::initializer_list<TagId> tags) {
  for (TagId t : tags)
    if (t == tag) return true;
  return false;
}
inline bool IsStartOneOf(const Token& t, std::initializer_list<TagId> tags) {
  return t.type == TokenType::StartTag && TagIn(t.tag, tags);
}
inline bool IsEndOneOf(const Token& t, std::initializer_list<TagId> tags) {
  return t.type == TokenType::EndTag && TagIn(t.tag, tags);
}
inline bool IsHtmlOneOf(const Element* e, std::initializer_list<TagId> tags) {
  return e && e->IsHtml() && TagIn(e->GetTagId(), tags);
}

// Removes the characters a mode ignores (NUL) from a run.
inline void RemoveNulls(std::u16string& s) {
  if (s.find(u'\0') == std::u16string::npos) return;
  std::u16string kept;
  kept.reserve(s.size());
  for (char16_t c : s)
    if (c != 0) kept.push_back(c);
  s.swap(kept);
}

// Start tag token made up by the tree builder (implied html, head, body, tbody ...).
inline Token SyntheticStartTag(TagId tag) {
  Token t;
  t.type = TokenType::StartTag;
  t.tag = tag;
  t.name.assign(TagName(tag));
  return t;
}

}  // namespace vellum::engine::tb

namespace vellum::engine {
// The tree builder's "special" category, MathML and SVG members included.
inline bool IsSpecial(const Element& e) {
  switch (e.Ns()) {
    case Namespace::Html:
      return (TagFlags(e.GetTagId()) & kSpecial) != 0;
    case Namespace::MathMl:
      return tb::TagIn(e.GetTagId(), {TagId::Mi, TagId::Mo, TagId::Mn, TagId::Ms, TagId::Mtext, TagId::AnnotationXml});
    case Namespace::Svg:
      return tb::TagIn(e.GetTagId(), {TagId::ForeignObject, TagId::Desc, TagId::Title});
  }
  return false;
}
// annotation-xml with an HTML encoding, and SVG foreignObject, desc and title.
bool IsHtmlIntegrationPoint(const Element& e);
}  // namespace vellum::engine

// Tokens met inside SVG or MathML content.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

namespace {

bool BreaksOutOfForeignContent(const Token& t) {
  if (t.type == TokenType::EndTag) return t.tag == TagId::Br || t.tag == TagId::P;
  if (t.type != TokenType::StartTag) return false;
  if (t.tag == TagId::Font) return t.FindAttribute(u"color") || t.FindAttribute(u"face") || t.FindAttribute(u"size");
  return TagIn(
      t.tag, {TagId::B,      TagId::Big,    TagId::Blockquote, TagId::Body,    TagId::Br,    TagId::Center, TagId::Code,
              TagId::Dd,     TagId::Div,    TagId::Dl,         TagId::Dt,      TagId::Em,    TagId::Embed,  TagId::H1,
              TagId::H2,     TagId::H3,     TagId::H4,         TagId::H5,      TagId::H6,    TagId::Head,   TagId::Hr,
              TagId::I,      TagId::Img,    TagId::Li,         TagId::Listing, TagId::Menu,  TagId::Meta,   TagId::Nobr,
              TagId::Ol,     TagId::P,      TagId::Pre,        TagId::Ruby,    TagId::S,     TagId::Small,  TagId::Span,
              TagId::Strong, TagId::Strike, TagId::Sub,        TagId::Sup,     TagId::Table, TagId::Tt,     TagId::U,
              TagId::Ul,     TagId::Var});
}

bool IsMathMlTextIntegrationPointElement(const Element& e) {
  return e.Ns() == Namespace::MathMl && TagIn(e.GetTagId(), {TagId::Mi, TagId::Mo, TagId::Mn, TagId::Ms, TagId::Mtext});
}

}  // namespace

void TreeBuilder::ForeignContent(Token& t) {
  switch (t.type) {
    case TokenType::Characters: {
      bool content = false;
      for (char16_t& c : t.data) {
        if (c == 0)
          c = u'\uFFFD';
        else if (!IsWhitespace(c))
          content = true;
      }
      InsertCharacters(t.data);
      if (content) framesetOk_ = false;
      return;
    }
    case TokenType::Comment:
      return InsertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag: {
      if (BreaksOutOfForeignContent(t)) {
        open_.PopWhile([](const Element& e) {
          return !(e.IsHtml() || IsMathMlTextIntegrationPointElement(e) || IsHtmlIntegrationPoint(e));
        });
        return ProcessInMode(mode_, t);
      }
      Element* adjusted = AdjustedCurrentNode();
      Namespace ns = adjusted ? adjusted->Ns() : Namespace::Html;
      InsertElement(t, ns);
      if (t.selfClosing) open_.Pop();
      return;
    }
    case TokenType::EndTag:
      return ForeignEndTag(t);
    case TokenType::EndOfFile:
      return;
  }
}

void TreeBuilder::ForeignEndTag(Token& t) {
  if (BreaksOutOfForeignContent(t)) {
    open_.PopWhile([](const Element& e) {
      return !(e.IsHtml() || IsMathMlTextIntegrationPointElement(e) || IsHtmlIntegrationPoint(e));
    });
    return ProcessInMode(mode_, t);
  }
  for (size_t i = open_.size(); i-- > 0;) {
    Element* node = open_.at(i);
    if (i == 0) return;
    if (EqualsIgnoringAsciiCase(node->LocalName(), t.name)) {
      open_.PopUntilPopped(node);
      return;
    }
    if (open_.at(i - 1)->IsHtml()) return ProcessInMode(mode_, t);
  }
}

}  // namespace vellum::engine

// Tokens met inside SVG or MathML content.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

namespace {

bool breaksOutOfForeignContent(const Token& t) {
  if (t.type == TokenType::EndTag) return t.tag == TagId::Br || t.tag == TagId::P;
  if (t.type != TokenType::StartTag) return false;
  if (t.tag == TagId::Font) return t.findAttribute(u"color") || t.findAttribute(u"face") || t.findAttribute(u"size");
  return tagIn(
      t.tag, {TagId::B,      TagId::Big,    TagId::Blockquote, TagId::Body,    TagId::Br,    TagId::Center, TagId::Code,
              TagId::Dd,     TagId::Div,    TagId::Dl,         TagId::Dt,      TagId::Em,    TagId::Embed,  TagId::H1,
              TagId::H2,     TagId::H3,     TagId::H4,         TagId::H5,      TagId::H6,    TagId::Head,   TagId::Hr,
              TagId::I,      TagId::Img,    TagId::Li,         TagId::Listing, TagId::Menu,  TagId::Meta,   TagId::Nobr,
              TagId::Ol,     TagId::P,      TagId::Pre,        TagId::Ruby,    TagId::S,     TagId::Small,  TagId::Span,
              TagId::Strong, TagId::Strike, TagId::Sub,        TagId::Sup,     TagId::Table, TagId::Tt,     TagId::U,
              TagId::Ul,     TagId::Var});
}

bool isMathMlTextIntegrationPointElement(const Element& e) {
  return e.ns() == Namespace::MathMl && tagIn(e.tagId(), {TagId::Mi, TagId::Mo, TagId::Mn, TagId::Ms, TagId::Mtext});
}

}  // namespace

void TreeBuilder::foreignContent(Token& t) {
  switch (t.type) {
    case TokenType::Characters: {
      bool content = false;
      for (char16_t& c : t.data) {
        if (c == 0)
          c = u'\uFFFD';
        else if (!isWhitespace(c))
          content = true;
      }
      insertCharacters(t.data);
      if (content) framesetOk_ = false;
      return;
    }
    case TokenType::Comment:
      return insertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag: {
      if (breaksOutOfForeignContent(t)) {
        open_.popWhile([](const Element& e) {
          return !(e.isHtml() || isMathMlTextIntegrationPointElement(e) || isHtmlIntegrationPoint(e));
        });
        return processInMode(mode_, t);
      }
      Element* adjusted = adjustedCurrentNode();
      Namespace ns = adjusted ? adjusted->ns() : Namespace::Html;
      insertElement(t, ns);
      if (t.selfClosing) open_.pop();
      return;
    }
    case TokenType::EndTag:
      return foreignEndTag(t);
    case TokenType::EndOfFile:
      return;
  }
}

void TreeBuilder::foreignEndTag(Token& t) {
  if (breaksOutOfForeignContent(t)) {
    open_.popWhile([](const Element& e) {
      return !(e.isHtml() || isMathMlTextIntegrationPointElement(e) || isHtmlIntegrationPoint(e));
    });
    return processInMode(mode_, t);
  }
  for (size_t i = open_.size(); i-- > 0;) {
    Element* node = open_.at(i);
    if (i == 0) return;
    if (equalsIgnoringAsciiCase(node->localName(), t.name)) {
      open_.popUntilPopped(node);
      return;
    }
    if (open_.at(i - 1)->isHtml()) return processInMode(mode_, t);
  }
}

}  // namespace vellum::engine

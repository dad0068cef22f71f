// The "in body" insertion mode.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

void TreeBuilder::inBodyCharacters(Token& t) {
  removeNulls(t.data);
  if (t.data.empty()) return;
  reconstructActiveFormattingElements();
  insertCharacters(t.data);
  if (!isAllWhitespace(t.data)) framesetOk_ = false;
}

void TreeBuilder::inBodyMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      return inBodyCharacters(t);
    case TokenType::Comment:
      return insertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      return inBodyStartTag(t);
    case TokenType::EndTag:
      return inBodyEndTag(t);
    case TokenType::EndOfFile:
      if (!templateModes_.empty()) return inTemplateMode(t);
      return stopParsing();
  }
}

namespace {
// A repeated <html> or <body> start tag adds the attributes the element does not have yet.
void addMissingAttributes(const Token& t, std::vector<Attribute>& attributes) {
  for (const TokenAttribute& a : t.attributes) {
    bool present = false;
    for (const Attribute& existing : attributes)
      present = present || (existing.ns == AttributeNamespace::None && existing.name == a.name);
    if (!present) attributes.push_back(Attribute{a.name, a.value});
  }
}
}  // namespace

// A select may not hold another select or an input: either closes the open one.
void TreeBuilder::closeSelectIfOpen() {
  if (open_.hasInScope(TagId::Select)) open_.popUntilPopped(TagId::Select);
}

void TreeBuilder::inBodyStartTag(Token& t) {
  switch (t.tag) {
    case TagId::Html:
      if (open_.containsTag(TagId::Template)) return;
      if (Element* top = open_.top()) {
        addMissingAttributes(t, top->attributes_);
        top->attributesChanged();
      }
      return;
    case TagId::Base:
    case TagId::Basefont:
    case TagId::Bgsound:
    case TagId::Link:
    case TagId::Meta:
    case TagId::Noframes:
    case TagId::Script:
    case TagId::Style:
    case TagId::Template:
    case TagId::Title:
      return inHeadMode(t);
    case TagId::Body: {
      if (open_.size() < 2 || !open_.at(1)->is(TagId::Body) || open_.containsTag(TagId::Template)) return;
      framesetOk_ = false;
      Element* body = open_.at(1);
      addMissingAttributes(t, body->attributes_);
      body->attributesChanged();
      return;
    }
    case TagId::Frameset: {
      if (open_.size() < 2 || !open_.at(1)->is(TagId::Body) || !framesetOk_) return;
      open_.at(1)->remove();
      while (open_.size() > 1) open_.pop();
      insertElement(t);
      mode_ = InsertionMode::InFrameset;
      return;
    }
    case TagId::Address:
    case TagId::Article:
    case TagId::Aside:
    case TagId::Blockquote:
    case TagId::Center:
    case TagId::Details:
    case TagId::Dialog:
    case TagId::Dir:
    case TagId::Div:
    case TagId::Dl:
    case TagId::Fieldset:
    case TagId::Figcaption:
    case TagId::Figure:
    case TagId::Footer:
    case TagId::Header:
    case TagId::Hgroup:
    case TagId::Main:
    case TagId::Menu:
    case TagId::Nav:
    case TagId::Ol:
    case TagId::P:
    case TagId::Search:
    case TagId::Section:
    case TagId::Summary:
    case TagId::Ul:
      if (open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      insertElement(t);
      return;
    case TagId::H1:
    case TagId::H2:
    case TagId::H3:
    case TagId::H4:
    case TagId::H5:
    case TagId::H6:
      if (open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      if (Element* c = open_.current(); c && c->isHtml() && isHeading(c->tagId())) open_.pop();
      insertElement(t);
      return;
    case TagId::Pre:
    case TagId::Listing:
      if (open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      insertElement(t);
      skipNextNewline_ = true;
      framesetOk_ = false;
      return;
    case TagId::Form: {
      bool templateOpen = open_.containsTag(TagId::Template);
      if (form_ && !templateOpen) return;
      if (open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      Element* form = insertElement(t);
      if (!templateOpen) form_ = form;
      return;
    }
    case TagId::Li:
    case TagId::Dd:
    case TagId::Dt: {
      framesetOk_ = false;
      for (size_t i = open_.size(); i-- > 0;) {
        Element* node = open_.at(i);
        bool sameKind = t.tag == TagId::Li ? node->is(TagId::Li) : (node->is(TagId::Dd) || node->is(TagId::Dt));
        if (sameKind) {
          TagId kind = node->tagId();
          generateImpliedEndTags(kind);
          open_.popUntilPopped(kind);
          break;
        }
        if (isSpecial(*node) && !isHtmlOneOf(node, {TagId::Address, TagId::Div, TagId::P})) break;
      }
      if (open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      insertElement(t);
      return;
    }
    case TagId::Plaintext:
      if (open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      insertElement(t);
      if (tokenizer_) tokenizer_->setState(TokenizerState::Plaintext);
      return;
    case TagId::Button:
      if (open_.hasInScope(TagId::Button)) {
        generateImpliedEndTags();
        open_.popUntilPopped(TagId::Button);
      }
      reconstructActiveFormattingElements();
      insertElement(t);
      framesetOk_ = false;
      return;
    case TagId::A:
      if (Element* open = formatting_.lastAfterMarker(TagId::A)) {
        RefPtr<Element> keep(open);
        Token end;
        end.type = TokenType::EndTag;
        end.tag = TagId::A;
        end.name = u"a";
        adoptionAgency(end);
        formatting_.remove(keep.get());
        open_.remove(keep.get());
      }
      reconstructActiveFormattingElements();
      formatting_.push(insertElement(t));
      return;
    case TagId::B:
    case TagId::Big:
    case TagId::Code:
    case TagId::Em:
    case TagId::Font:
    case TagId::I:
    case TagId::S:
    case TagId::Small:
    case TagId::Strike:
    case TagId::Strong:
    case TagId::Tt:
    case TagId::U:
      reconstructActiveFormattingElements();
      formatting_.push(insertElement(t));
      return;
    case TagId::Nobr:
      reconstructActiveFormattingElements();
      if (open_.hasInScope(TagId::Nobr)) {
        Token end;
        end.type = TokenType::EndTag;
        end.tag = TagId::Nobr;
        end.name = u"nobr";
        adoptionAgency(end);
        reconstructActiveFormattingElements();
      }
      formatting_.push(insertElement(t));
      return;
    case TagId::Applet:
    case TagId::Marquee:
    case TagId::Object:
      reconstructActiveFormattingElements();
      insertElement(t);
      formatting_.pushMarker();
      framesetOk_ = false;
      return;
    case TagId::Table:
      if (document_.mode() != DocumentMode::Quirks && open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      insertElement(t);
      framesetOk_ = false;
      mode_ = InsertionMode::InTable;
      return;
    case TagId::Area:
    case TagId::Br:
    case TagId::Embed:
    case TagId::Img:
    case TagId::Keygen:
    case TagId::Wbr:
      reconstructActiveFormattingElements();
      insertVoidElement(t);
      framesetOk_ = false;
      return;
    case TagId::Input: {
      if (context_ && context_->is(TagId::Select)) return;
      closeSelectIfOpen();
      reconstructActiveFormattingElements();
      insertVoidElement(t);
      const TokenAttribute* type = t.findAttribute(u"type");
      if (!type || !equalsIgnoringAsciiCase(type->value, u"hidden")) framesetOk_ = false;
      return;
    }
    case TagId::Param:
    case TagId::Source:
    case TagId::Track:
      return insertVoidElement(t);
    case TagId::Hr:
      if (open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      if (open_.hasInScope(TagId::Select)) generateImpliedEndTags();
      insertVoidElement(t);
      framesetOk_ = false;
      return;
    case TagId::Image:
      t.tag = TagId::Img;
      t.name = u"img";
      return reprocess(mode_, t);
    case TagId::Textarea:
      insertElement(t);
      skipNextNewline_ = true;
      if (tokenizer_) tokenizer_->setState(TokenizerState::Rcdata);
      originalMode_ = mode_;
      framesetOk_ = false;
      mode_ = InsertionMode::Text;
      return;
    case TagId::Xmp:
      if (open_.hasInScope(TagId::P, Scope::Button)) closePElement();
      reconstructActiveFormattingElements();
      framesetOk_ = false;
      return startRawText(t, TokenizerState::Rawtext);
    case TagId::Iframe:
      framesetOk_ = false;
      return startRawText(t, TokenizerState::Rawtext);
    case TagId::Noembed:
      return startRawText(t, TokenizerState::Rawtext);
    case TagId::Noscript:
      if (options_.scripting == Scripting::On) return startRawText(t, TokenizerState::Rawtext);
      break;
    case TagId::Select:
      if (context_ && context_->is(TagId::Select)) return;
      if (open_.hasInScope(TagId::Select)) {
        open_.popUntilPopped(TagId::Select);
        return;
      }
      reconstructActiveFormattingElements();
      insertElement(t);
      framesetOk_ = false;
      return;
    case TagId::Option:
      if (open_.hasInScope(TagId::Select))
        generateImpliedEndTags(TagId::Optgroup);
      else if (currentIs(TagId::Option))
        open_.pop();
      reconstructActiveFormattingElements();
      insertElement(t);
      return;
    case TagId::Optgroup:
      if (open_.hasInScope(TagId::Select))
        generateImpliedEndTags();
      else if (currentIs(TagId::Option))
        open_.pop();
      reconstructActiveFormattingElements();
      insertElement(t);
      return;
    case TagId::Rb:
    case TagId::Rtc:
      if (open_.hasInScope(TagId::Ruby)) generateImpliedEndTags();
      insertElement(t);
      return;
    case TagId::Rp:
    case TagId::Rt:
      if (open_.hasInScope(TagId::Ruby)) generateImpliedEndTags(TagId::Rtc);
      insertElement(t);
      return;
    case TagId::Math:
    case TagId::Svg:
      reconstructActiveFormattingElements();
      insertElement(t, t.tag == TagId::Math ? Namespace::MathMl : Namespace::Svg);
      if (t.selfClosing) open_.pop();
      return;
    case TagId::Caption:
    case TagId::Col:
    case TagId::Colgroup:
    case TagId::Frame:
    case TagId::Head:
    case TagId::Tbody:
    case TagId::Td:
    case TagId::Tfoot:
    case TagId::Th:
    case TagId::Thead:
    case TagId::Tr:
      return;
    default:
      break;
  }
  reconstructActiveFormattingElements();
  insertElement(t);
}

void TreeBuilder::inBodyEndTag(Token& t) {
  switch (t.tag) {
    case TagId::Template:
      return inHeadMode(t);
    case TagId::Body:
      if (!open_.hasInScope(TagId::Body)) return;
      mode_ = InsertionMode::AfterBody;
      return;
    case TagId::Html:
      if (!open_.hasInScope(TagId::Body)) return;
      return reprocess(InsertionMode::AfterBody, t);
    case TagId::Address:
    case TagId::Article:
    case TagId::Aside:
    case TagId::Blockquote:
    case TagId::Button:
    case TagId::Center:
    case TagId::Details:
    case TagId::Dialog:
    case TagId::Dir:
    case TagId::Div:
    case TagId::Dl:
    case TagId::Fieldset:
    case TagId::Figcaption:
    case TagId::Figure:
    case TagId::Footer:
    case TagId::Header:
    case TagId::Hgroup:
    case TagId::Listing:
    case TagId::Main:
    case TagId::Menu:
    case TagId::Nav:
    case TagId::Ol:
    case TagId::Pre:
    case TagId::Search:
    case TagId::Section:
    case TagId::Select:
    case TagId::Summary:
    case TagId::Ul:
      if (!open_.hasInScope(t.tag)) return;
      generateImpliedEndTags();
      open_.popUntilPopped(t.tag);
      return;
    case TagId::Form:
      if (!open_.containsTag(TagId::Template)) {
        RefPtr<Element> node = form_;
        form_ = nullptr;
        if (!node || !open_.hasElementInScope(node.get())) return;
        generateImpliedEndTags();
        open_.remove(node.get());
        return;
      }
      if (!open_.hasInScope(TagId::Form)) return;
      generateImpliedEndTags();
      open_.popUntilPopped(TagId::Form);
      return;
    case TagId::P:
      if (!open_.hasInScope(TagId::P, Scope::Button)) {
        Token p = syntheticStartTag(TagId::P);
        insertElement(p);
      }
      closePElement();
      return;
    case TagId::Li:
      if (!open_.hasInScope(TagId::Li, Scope::ListItem)) return;
      generateImpliedEndTags(TagId::Li);
      open_.popUntilPopped(TagId::Li);
      return;
    case TagId::Dd:
    case TagId::Dt:
      if (!open_.hasInScope(t.tag)) return;
      generateImpliedEndTags(t.tag);
      open_.popUntilPopped(t.tag);
      return;
    case TagId::H1:
    case TagId::H2:
    case TagId::H3:
    case TagId::H4:
    case TagId::H5:
    case TagId::H6:
      if (!open_.hasHeadingInScope()) return;
      generateImpliedEndTags();
      open_.popUntilHeadingPopped();
      return;
    case TagId::A:
    case TagId::B:
    case TagId::Big:
    case TagId::Code:
    case TagId::Em:
    case TagId::Font:
    case TagId::I:
    case TagId::Nobr:
    case TagId::S:
    case TagId::Small:
    case TagId::Strike:
    case TagId::Strong:
    case TagId::Tt:
    case TagId::U:
      return adoptionAgency(t);
    case TagId::Applet:
    case TagId::Marquee:
    case TagId::Object:
      if (!open_.hasInScope(t.tag)) return;
      generateImpliedEndTags();
      open_.popUntilPopped(t.tag);
      formatting_.clearUpToLastMarker();
      return;
    case TagId::Br: {
      Token br = syntheticStartTag(TagId::Br);
      reconstructActiveFormattingElements();
      insertVoidElement(br);
      framesetOk_ = false;
      return;
    }
    default:
      return anyOtherEndTagInBody(t);
  }
}

void TreeBuilder::anyOtherEndTagInBody(Token& t) {
  for (size_t i = open_.size(); i-- > 0;) {
    Element* node = open_.at(i);
    if (node->isHtml() && node->localName() == t.name) {
      generateImpliedEndTags(t.tag);
      open_.popUntilPopped(node);
      return;
    }
    if (isSpecial(*node)) return;
  }
}

}  // namespace vellum::engine

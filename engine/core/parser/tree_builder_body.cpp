// The "in body" insertion mode.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

void TreeBuilder::InBodyCharacters(Token& t) {
  RemoveNulls(t.data);
  if (t.data.empty()) return;
  ReconstructActiveFormattingElements();
  InsertCharacters(t.data);
  if (!IsAllWhitespace(t.data)) framesetOk_ = false;
}

void TreeBuilder::InBodyMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      return InBodyCharacters(t);
    case TokenType::Comment:
      return InsertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      return InBodyStartTag(t);
    case TokenType::EndTag:
      return InBodyEndTag(t);
    case TokenType::EndOfFile:
      if (!templateModes_.empty()) return InTemplateMode(t);
      return StopParsing();
  }
}

namespace {
// A repeated <html> or <body> start tag adds the attributes the element does not have yet.
void AddMissingAttributes(const Token& t, std::vector<Attribute>& attributes) {
  for (const TokenAttribute& a : t.attributes) {
    bool present = false;
    for (const Attribute& existing : attributes)
      present = present || (existing.ns == AttributeNamespace::None && existing.name == a.name);
    if (!present) attributes.push_back(Attribute{a.name, a.value});
  }
}
}  // namespace

// A select may not hold another select or an input: either closes the open one.
void TreeBuilder::CloseSelectIfOpen() {
  if (open_.HasInScope(TagId::Select)) open_.PopUntilPopped(TagId::Select);
}

void TreeBuilder::InBodyStartTag(Token& t) {
  switch (t.tag) {
    case TagId::Html:
      if (open_.ContainsTag(TagId::Template)) return;
      if (Element* top = open_.Top()) {
        AddMissingAttributes(t, top->attributes_);
        top->AttributesChanged();
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
      return InHeadMode(t);
    case TagId::Body: {
      if (open_.size() < 2 || !open_.at(1)->Is(TagId::Body) || open_.ContainsTag(TagId::Template)) return;
      framesetOk_ = false;
      Element* body = open_.at(1);
      AddMissingAttributes(t, body->attributes_);
      body->AttributesChanged();
      return;
    }
    case TagId::Frameset: {
      if (open_.size() < 2 || !open_.at(1)->Is(TagId::Body) || !framesetOk_) return;
      open_.at(1)->Remove();
      while (open_.size() > 1) open_.Pop();
      InsertElement(t);
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
      if (open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      InsertElement(t);
      return;
    case TagId::H1:
    case TagId::H2:
    case TagId::H3:
    case TagId::H4:
    case TagId::H5:
    case TagId::H6:
      if (open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      if (Element* c = open_.Current(); c && c->IsHtml() && IsHeading(c->GetTagId())) open_.Pop();
      InsertElement(t);
      return;
    case TagId::Pre:
    case TagId::Listing:
      if (open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      InsertElement(t);
      skipNextNewline_ = true;
      framesetOk_ = false;
      return;
    case TagId::Form: {
      bool templateOpen = open_.ContainsTag(TagId::Template);
      if (form_ && !templateOpen) return;
      if (open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      Element* form = InsertElement(t);
      if (!templateOpen) form_ = form;
      return;
    }
    case TagId::Li:
    case TagId::Dd:
    case TagId::Dt: {
      framesetOk_ = false;
      for (size_t i = open_.size(); i-- > 0;) {
        Element* node = open_.at(i);
        bool sameKind = t.tag == TagId::Li ? node->Is(TagId::Li) : (node->Is(TagId::Dd) || node->Is(TagId::Dt));
        if (sameKind) {
          TagId kind = node->GetTagId();
          GenerateImpliedEndTags(kind);
          open_.PopUntilPopped(kind);
          break;
        }
        if (IsSpecial(*node) && !IsHtmlOneOf(node, {TagId::Address, TagId::Div, TagId::P})) break;
      }
      if (open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      InsertElement(t);
      return;
    }
    case TagId::Plaintext:
      if (open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      InsertElement(t);
      if (tokenizer_) tokenizer_->SetState(TokenizerState::Plaintext);
      return;
    case TagId::Button:
      if (open_.HasInScope(TagId::Button)) {
        GenerateImpliedEndTags();
        open_.PopUntilPopped(TagId::Button);
      }
      ReconstructActiveFormattingElements();
      InsertElement(t);
      framesetOk_ = false;
      return;
    case TagId::A:
      if (Element* open = formatting_.LastAfterMarker(TagId::A)) {
        RefPtr<Element> keep(open);
        Token end;
        end.type = TokenType::EndTag;
        end.tag = TagId::A;
        end.name = u"a";
        AdoptionAgency(end);
        formatting_.Remove(keep.get());
        open_.Remove(keep.get());
      }
      ReconstructActiveFormattingElements();
      formatting_.Push(InsertElement(t));
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
      ReconstructActiveFormattingElements();
      formatting_.Push(InsertElement(t));
      return;
    case TagId::Nobr:
      ReconstructActiveFormattingElements();
      if (open_.HasInScope(TagId::Nobr)) {
        Token end;
        end.type = TokenType::EndTag;
        end.tag = TagId::Nobr;
        end.name = u"nobr";
        AdoptionAgency(end);
        ReconstructActiveFormattingElements();
      }
      formatting_.Push(InsertElement(t));
      return;
    case TagId::Applet:
    case TagId::Marquee:
    case TagId::Object:
      ReconstructActiveFormattingElements();
      InsertElement(t);
      formatting_.PushMarker();
      framesetOk_ = false;
      return;
    case TagId::Table:
      if (document_.Mode() != DocumentMode::Quirks && open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      InsertElement(t);
      framesetOk_ = false;
      mode_ = InsertionMode::InTable;
      return;
    case TagId::Area:
    case TagId::Br:
    case TagId::Embed:
    case TagId::Img:
    case TagId::Keygen:
    case TagId::Wbr:
      ReconstructActiveFormattingElements();
      InsertVoidElement(t);
      framesetOk_ = false;
      return;
    case TagId::Input: {
      if (context_ && context_->Is(TagId::Select)) return;
      CloseSelectIfOpen();
      ReconstructActiveFormattingElements();
      InsertVoidElement(t);
      const TokenAttribute* type = t.FindAttribute(u"type");
      if (!type || !EqualsIgnoringAsciiCase(type->value, u"hidden")) framesetOk_ = false;
      return;
    }
    case TagId::Param:
    case TagId::Source:
    case TagId::Track:
      return InsertVoidElement(t);
    case TagId::Hr:
      if (open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      if (open_.HasInScope(TagId::Select)) GenerateImpliedEndTags();
      InsertVoidElement(t);
      framesetOk_ = false;
      return;
    case TagId::Image:
      t.tag = TagId::Img;
      t.name = u"img";
      return Reprocess(mode_, t);
    case TagId::Textarea:
      InsertElement(t);
      skipNextNewline_ = true;
      if (tokenizer_) tokenizer_->SetState(TokenizerState::Rcdata);
      originalMode_ = mode_;
      framesetOk_ = false;
      mode_ = InsertionMode::Text;
      return;
    case TagId::Xmp:
      if (open_.HasInScope(TagId::P, Scope::Button)) ClosePElement();
      ReconstructActiveFormattingElements();
      framesetOk_ = false;
      return StartRawText(t, TokenizerState::Rawtext);
    case TagId::Iframe:
      framesetOk_ = false;
      return StartRawText(t, TokenizerState::Rawtext);
    case TagId::Noembed:
      return StartRawText(t, TokenizerState::Rawtext);
    case TagId::Noscript:
      if (options_.scripting == Scripting::On) return StartRawText(t, TokenizerState::Rawtext);
      break;
    case TagId::Select:
      if (context_ && context_->Is(TagId::Select)) return;
      if (open_.HasInScope(TagId::Select)) {
        open_.PopUntilPopped(TagId::Select);
        return;
      }
      ReconstructActiveFormattingElements();
      InsertElement(t);
      framesetOk_ = false;
      return;
    case TagId::Option:
      if (open_.HasInScope(TagId::Select))
        GenerateImpliedEndTags(TagId::Optgroup);
      else if (CurrentIs(TagId::Option))
        open_.Pop();
      ReconstructActiveFormattingElements();
      InsertElement(t);
      return;
    case TagId::Optgroup:
      if (open_.HasInScope(TagId::Select))
        GenerateImpliedEndTags();
      else if (CurrentIs(TagId::Option))
        open_.Pop();
      ReconstructActiveFormattingElements();
      InsertElement(t);
      return;
    case TagId::Rb:
    case TagId::Rtc:
      if (open_.HasInScope(TagId::Ruby)) GenerateImpliedEndTags();
      InsertElement(t);
      return;
    case TagId::Rp:
    case TagId::Rt:
      if (open_.HasInScope(TagId::Ruby)) GenerateImpliedEndTags(TagId::Rtc);
      InsertElement(t);
      return;
    case TagId::Math:
    case TagId::Svg:
      ReconstructActiveFormattingElements();
      InsertElement(t, t.tag == TagId::Math ? Namespace::MathMl : Namespace::Svg);
      if (t.selfClosing) open_.Pop();
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
  ReconstructActiveFormattingElements();
  InsertElement(t);
}

void TreeBuilder::InBodyEndTag(Token& t) {
  switch (t.tag) {
    case TagId::Template:
      return InHeadMode(t);
    case TagId::Body:
      if (!open_.HasInScope(TagId::Body)) return;
      mode_ = InsertionMode::AfterBody;
      return;
    case TagId::Html:
      if (!open_.HasInScope(TagId::Body)) return;
      return Reprocess(InsertionMode::AfterBody, t);
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
      if (!open_.HasInScope(t.tag)) return;
      GenerateImpliedEndTags();
      open_.PopUntilPopped(t.tag);
      return;
    case TagId::Form:
      if (!open_.ContainsTag(TagId::Template)) {
        RefPtr<Element> node = form_;
        form_ = nullptr;
        if (!node || !open_.HasElementInScope(node.get())) return;
        GenerateImpliedEndTags();
        open_.Remove(node.get());
        return;
      }
      if (!open_.HasInScope(TagId::Form)) return;
      GenerateImpliedEndTags();
      open_.PopUntilPopped(TagId::Form);
      return;
    case TagId::P:
      if (!open_.HasInScope(TagId::P, Scope::Button)) {
        Token p = SyntheticStartTag(TagId::P);
        InsertElement(p);
      }
      ClosePElement();
      return;
    case TagId::Li:
      if (!open_.HasInScope(TagId::Li, Scope::ListItem)) return;
      GenerateImpliedEndTags(TagId::Li);
      open_.PopUntilPopped(TagId::Li);
      return;
    case TagId::Dd:
    case TagId::Dt:
      if (!open_.HasInScope(t.tag)) return;
      GenerateImpliedEndTags(t.tag);
      open_.PopUntilPopped(t.tag);
      return;
    case TagId::H1:
    case TagId::H2:
    case TagId::H3:
    case TagId::H4:
    case TagId::H5:
    case TagId::H6:
      if (!open_.HasHeadingInScope()) return;
      GenerateImpliedEndTags();
      open_.PopUntilHeadingPopped();
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
      return AdoptionAgency(t);
    case TagId::Applet:
    case TagId::Marquee:
    case TagId::Object:
      if (!open_.HasInScope(t.tag)) return;
      GenerateImpliedEndTags();
      open_.PopUntilPopped(t.tag);
      formatting_.ClearUpToLastMarker();
      return;
    case TagId::Br: {
      Token br = SyntheticStartTag(TagId::Br);
      ReconstructActiveFormattingElements();
      InsertVoidElement(br);
      framesetOk_ = false;
      return;
    }
    default:
      return AnyOtherEndTagInBody(t);
  }
}

void TreeBuilder::AnyOtherEndTagInBody(Token& t) {
  for (size_t i = open_.size(); i-- > 0;) {
    Element* node = open_.at(i);
    if (node->IsHtml() && node->LocalName() == t.name) {
      GenerateImpliedEndTags(t.tag);
      open_.PopUntilPopped(node);
      return;
    }
    if (IsSpecial(*node)) return;
  }
}

}  // namespace vellum::engine

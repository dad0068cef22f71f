// Insertion modes from the start of the document to the body, and the text mode.

#include "parser/quirks.h"
#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

namespace {
// Splits a character run: inserts or drops its leading whitespace and reports whether anything else
// is left in the token for the mode's "anything else" rule.
template <class WhitespaceAction>
bool HandleLeadingWhitespace(Token& t, WhitespaceAction onWhitespace) {
  size_t ws = LeadingWhitespace(t.data);
  if (ws) onWhitespace(std::u16string_view(t.data).substr(0, ws));
  if (ws == t.data.size()) return false;
  t.data.erase(0, ws);
  return true;
}
}  // namespace

void TreeBuilder::InitialMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (!HandleLeadingWhitespace(t, [](std::u16string_view) {})) return;
      break;
    case TokenType::Comment:
      InsertComment(t, &document_);
      return;
    case TokenType::Doctype:
      NodeTreeAccess::Insert(document_, *CreateComment(t), nullptr);
      document_.SetMode(DocumentModeForDoctype(t));
      mode_ = InsertionMode::BeforeHtml;
      return;
    default:
      break;
  }
  document_.SetMode(DocumentMode::Quirks);
  Reprocess(InsertionMode::BeforeHtml, t);
}

void TreeBuilder::BeforeHtmlMode(Token& t) {
  switch (t.type) {
    case TokenType::Doctype:
      return;
    case TokenType::Comment:
      InsertComment(t, &document_);
      return;
    case TokenType::Characters:
      if (!HandleLeadingWhitespace(t, [](std::u16string_view) {})) return;
      break;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) {
        RefPtr<Element> html = CreateElement(t, Namespace::Html);
        NodeTreeAccess::Insert(document_, *html, nullptr);
        open_.Push(html.get());
        mode_ = InsertionMode::BeforeHead;
        return;
      }
      break;
    case TokenType::EndTag:
      if (!TagIn(t.tag, {TagId::Head, TagId::Body, TagId::Html, TagId::Br})) return;
      break;
    default:
      break;
  }
  RefPtr<Element> html = document_.CreateElement(Namespace::Html, TagId::Html, u"html");
  NodeTreeAccess::Insert(document_, *html, nullptr);
  open_.Push(html.get());
  Reprocess(InsertionMode::BeforeHead, t);
}

void TreeBuilder::InsertHeadElement(Token& t) {
  head_ = InsertElement(t);
  mode_ = InsertionMode::InHead;
}

void TreeBuilder::BeforeHeadMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (!HandleLeadingWhitespace(t, [](std::u16string_view) {})) return;
      break;
    case TokenType::Comment:
      InsertComment(t);
      return;
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return InBodyMode(t);
      if (t.tag == TagId::Head) return InsertHeadElement(t);
      break;
    case TokenType::EndTag:
      if (!TagIn(t.tag, {TagId::Head, TagId::Body, TagId::Html, TagId::Br})) return;
      break;
    default:
      break;
  }
  Token head = SyntheticStartTag(TagId::Head);
  InsertHeadElement(head);
  Reprocess(InsertionMode::InHead, t);
}

void TreeBuilder::InHeadMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (!HandleLeadingWhitespace(t, [this](std::u16string_view ws) { InsertCharacters(ws); })) return;
      break;
    case TokenType::Comment:
      InsertComment(t);
      return;
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      switch (t.tag) {
        case TagId::Html:
          return InBodyMode(t);
        case TagId::Base:
        case TagId::Basefont:
        case TagId::Bgsound:
        case TagId::Link:
        case TagId::Meta:
          return InsertVoidElement(t);
        case TagId::Title:
          return StartRawText(t, TokenizerState::Rcdata);
        case TagId::Noscript:
          if (options_.scripting == Scripting::Off) {
            InsertElement(t);
            mode_ = InsertionMode::InHeadNoscript;
            return;
          }
          return StartRawText(t, TokenizerState::Rawtext);
        case TagId::Noframes:
        case TagId::Style:
          return StartRawText(t, TokenizerState::Rawtext);
        case TagId::Script:
          return StartRawText(t, TokenizerState::ScriptData);
        case TagId::Template:
          InsertElement(t);
          formatting_.PushMarker();
          framesetOk_ = false;
          mode_ = InsertionMode::InTemplate;
          templateModes_.push_back(InsertionMode::InTemplate);
          return;
        case TagId::Head:
          return;
        default:
          break;
      }
      break;
    case TokenType::EndTag:
      switch (t.tag) {
        case TagId::Head:
          open_.Pop();
          mode_ = InsertionMode::AfterHead;
          return;
        case TagId::Body:
        case TagId::Html:
        case TagId::Br:
          break;
        case TagId::Template:
          if (!open_.ContainsTag(TagId::Template)) return;
          GenerateImpliedEndTagsThoroughly();
          open_.PopUntilPopped(TagId::Template);
          formatting_.ClearUpToLastMarker();
          if (!templateModes_.empty()) templateModes_.pop_back();
          ResetInsertionMode();
          return;
        default:
          return;
      }
      break;
    default:
      break;
  }
  open_.Pop();
  Reprocess(InsertionMode::AfterHead, t);
}

void TreeBuilder::InHeadNoscriptMode(Token& t) {
  switch (t.type) {
    case TokenType::Doctype:
      return;
    case TokenType::Comment:
      return InHeadMode(t);
    case TokenType::Characters:
      if (!HandleLeadingWhitespace(t, [this](std::u16string_view ws) { InsertCharacters(ws); })) return;
      break;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return InBodyMode(t);
      if (TagIn(t.tag, {TagId::Basefont, TagId::Bgsound, TagId::Link, TagId::Meta, TagId::Noframes, TagId::Style}))
        return InHeadMode(t);
      if (t.tag == TagId::Head || t.tag == TagId::Noscript) return;
      break;
    case TokenType::EndTag:
      if (t.tag == TagId::Noscript) {
        open_.Pop();
        mode_ = InsertionMode::InHead;
        return;
      }
      if (t.tag != TagId::Br) return;
      break;
    default:
      break;
  }
  open_.Pop();
  Reprocess(InsertionMode::InHead, t);
}

void TreeBuilder::AfterHeadMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (!HandleLeadingWhitespace(t, [this](std::u16string_view ws) { InsertCharacters(ws); })) return;
      break;
    case TokenType::Comment:
      InsertComment(t);
      return;
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      switch (t.tag) {
        case TagId::Html:
          return InBodyMode(t);
        case TagId::Body:
          InsertElement(t);
          framesetOk_ = false;
          mode_ = InsertionMode::InBody;
          return;
        case TagId::Frameset:
          InsertElement(t);
          mode_ = InsertionMode::InFrameset;
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
        case TagId::Title: {
          if (!head_) break;
          RefPtr<Element> head = head_;
          open_.Push(head.get());
          InHeadMode(t);
          open_.Remove(head.get());
          return;
        }
        case TagId::Head:
          return;
        default:
          break;
      }
      break;
    case TokenType::EndTag:
      if (t.tag == TagId::Template) return InHeadMode(t);
      if (!TagIn(t.tag, {TagId::Body, TagId::Html, TagId::Br})) return;
      break;
    default:
      break;
  }
  Token body = SyntheticStartTag(TagId::Body);
  InsertElement(body);
  Reprocess(InsertionMode::InBody, t);
}

void TreeBuilder::TextMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      InsertCharacters(t.data);
      return;
    case TokenType::EndOfFile:
      open_.Pop();
      Reprocess(originalMode_, t);
      return;
    case TokenType::EndTag:
      open_.Pop();
      mode_ = originalMode_;
      return;
    default:
      return;
  }
}

}  // namespace vellum::engine

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
bool handleLeadingWhitespace(Token& t, WhitespaceAction onWhitespace) {
  size_t ws = leadingWhitespace(t.data);
  if (ws) onWhitespace(std::u16string_view(t.data).substr(0, ws));
  if (ws == t.data.size()) return false;
  t.data.erase(0, ws);
  return true;
}
}  // namespace

void TreeBuilder::initialMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (!handleLeadingWhitespace(t, [](std::u16string_view) {})) return;
      break;
    case TokenType::Comment:
      insertComment(t, &document_);
      return;
    case TokenType::Doctype:
      NodeTreeAccess::insert(document_, *createComment(t), nullptr);
      document_.setMode(documentModeForDoctype(t));
      mode_ = InsertionMode::BeforeHtml;
      return;
    default:
      break;
  }
  document_.setMode(DocumentMode::Quirks);
  reprocess(InsertionMode::BeforeHtml, t);
}

void TreeBuilder::beforeHtmlMode(Token& t) {
  switch (t.type) {
    case TokenType::Doctype:
      return;
    case TokenType::Comment:
      insertComment(t, &document_);
      return;
    case TokenType::Characters:
      if (!handleLeadingWhitespace(t, [](std::u16string_view) {})) return;
      break;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) {
        RefPtr<Element> html = createElement(t, Namespace::Html);
        NodeTreeAccess::insert(document_, *html, nullptr);
        open_.push(html.get());
        mode_ = InsertionMode::BeforeHead;
        return;
      }
      break;
    case TokenType::EndTag:
      if (!tagIn(t.tag, {TagId::Head, TagId::Body, TagId::Html, TagId::Br})) return;
      break;
    default:
      break;
  }
  RefPtr<Element> html = document_.createElement(Namespace::Html, TagId::Html, u"html");
  NodeTreeAccess::insert(document_, *html, nullptr);
  open_.push(html.get());
  reprocess(InsertionMode::BeforeHead, t);
}

void TreeBuilder::insertHeadElement(Token& t) {
  head_ = insertElement(t);
  mode_ = InsertionMode::InHead;
}

void TreeBuilder::beforeHeadMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (!handleLeadingWhitespace(t, [](std::u16string_view) {})) return;
      break;
    case TokenType::Comment:
      insertComment(t);
      return;
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return inBodyMode(t);
      if (t.tag == TagId::Head) return insertHeadElement(t);
      break;
    case TokenType::EndTag:
      if (!tagIn(t.tag, {TagId::Head, TagId::Body, TagId::Html, TagId::Br})) return;
      break;
    default:
      break;
  }
  Token head = syntheticStartTag(TagId::Head);
  insertHeadElement(head);
  reprocess(InsertionMode::InHead, t);
}

void TreeBuilder::inHeadMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (!handleLeadingWhitespace(t, [this](std::u16string_view ws) { insertCharacters(ws); })) return;
      break;
    case TokenType::Comment:
      insertComment(t);
      return;
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      switch (t.tag) {
        case TagId::Html:
          return inBodyMode(t);
        case TagId::Base:
        case TagId::Basefont:
        case TagId::Bgsound:
        case TagId::Link:
        case TagId::Meta:
          return insertVoidElement(t);
        case TagId::Title:
          return startRawText(t, TokenizerState::Rcdata);
        case TagId::Noscript:
          if (options_.scripting == Scripting::Off) {
            insertElement(t);
            mode_ = InsertionMode::InHeadNoscript;
            return;
          }
          return startRawText(t, TokenizerState::Rawtext);
        case TagId::Noframes:
        case TagId::Style:
          return startRawText(t, TokenizerState::Rawtext);
        case TagId::Script:
          return startRawText(t, TokenizerState::ScriptData);
        case TagId::Template:
          insertElement(t);
          formatting_.pushMarker();
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
          open_.pop();
          mode_ = InsertionMode::AfterHead;
          return;
        case TagId::Body:
        case TagId::Html:
        case TagId::Br:
          break;
        case TagId::Template:
          if (!open_.containsTag(TagId::Template)) return;
          generateImpliedEndTagsThoroughly();
          open_.popUntilPopped(TagId::Template);
          formatting_.clearUpToLastMarker();
          if (!templateModes_.empty()) templateModes_.pop_back();
          resetInsertionMode();
          return;
        default:
          return;
      }
      break;
    default:
      break;
  }
  open_.pop();
  reprocess(InsertionMode::AfterHead, t);
}

void TreeBuilder::inHeadNoscriptMode(Token& t) {
  switch (t.type) {
    case TokenType::Doctype:
      return;
    case TokenType::Comment:
      return inHeadMode(t);
    case TokenType::Characters:
      if (!handleLeadingWhitespace(t, [this](std::u16string_view ws) { insertCharacters(ws); })) return;
      break;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return inBodyMode(t);
      if (tagIn(t.tag, {TagId::Basefont, TagId::Bgsound, TagId::Link, TagId::Meta, TagId::Noframes, TagId::Style}))
        return inHeadMode(t);
      if (t.tag == TagId::Head || t.tag == TagId::Noscript) return;
      break;
    case TokenType::EndTag:
      if (t.tag == TagId::Noscript) {
        open_.pop();
        mode_ = InsertionMode::InHead;
        return;
      }
      if (t.tag != TagId::Br) return;
      break;
    default:
      break;
  }
  open_.pop();
  reprocess(InsertionMode::InHead, t);
}

void TreeBuilder::afterHeadMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (!handleLeadingWhitespace(t, [this](std::u16string_view ws) { insertCharacters(ws); })) return;
      break;
    case TokenType::Comment:
      insertComment(t);
      return;
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      switch (t.tag) {
        case TagId::Html:
          return inBodyMode(t);
        case TagId::Body:
          insertElement(t);
          framesetOk_ = false;
          mode_ = InsertionMode::InBody;
          return;
        case TagId::Frameset:
          insertElement(t);
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
          open_.push(head.get());
          inHeadMode(t);
          open_.remove(head.get());
          return;
        }
        case TagId::Head:
          return;
        default:
          break;
      }
      break;
    case TokenType::EndTag:
      if (t.tag == TagId::Template) return inHeadMode(t);
      if (!tagIn(t.tag, {TagId::Body, TagId::Html, TagId::Br})) return;
      break;
    default:
      break;
  }
  Token body = syntheticStartTag(TagId::Body);
  insertElement(body);
  reprocess(InsertionMode::InBody, t);
}

void TreeBuilder::textMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      insertCharacters(t.data);
      return;
    case TokenType::EndOfFile:
      open_.pop();
      reprocess(originalMode_, t);
      return;
    case TokenType::EndTag:
      open_.pop();
      mode_ = originalMode_;
      return;
    default:
      return;
  }
}

}  // namespace vellum::engine

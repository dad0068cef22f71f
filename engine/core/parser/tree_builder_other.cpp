// The template, after-body and frameset insertion modes.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

void TreeBuilder::inTemplateMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
    case TokenType::Comment:
    case TokenType::Doctype:
      return inBodyMode(t);
    case TokenType::StartTag: {
      InsertionMode next;
      switch (t.tag) {
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
        case TagId::Caption:
        case TagId::Colgroup:
        case TagId::Tbody:
        case TagId::Tfoot:
        case TagId::Thead:
          next = InsertionMode::InTable;
          break;
        case TagId::Col:
          next = InsertionMode::InColumnGroup;
          break;
        case TagId::Tr:
          next = InsertionMode::InTableBody;
          break;
        case TagId::Td:
        case TagId::Th:
          next = InsertionMode::InRow;
          break;
        default:
          next = InsertionMode::InBody;
          break;
      }
      if (!templateModes_.empty()) templateModes_.pop_back();
      templateModes_.push_back(next);
      return reprocess(next, t);
    }
    case TokenType::EndTag:
      if (t.tag == TagId::Template) return inHeadMode(t);
      return;
    case TokenType::EndOfFile:
      if (!open_.containsTag(TagId::Template)) return stopParsing();
      // Every mode the end of input meets while a template is open sends it back here without
      // touching the tree, so all open templates close in one go instead of one reprocessing each.
      while (open_.containsTag(TagId::Template)) {
        open_.popUntilPopped(TagId::Template);
        formatting_.clearUpToLastMarker();
        if (!templateModes_.empty()) templateModes_.pop_back();
      }
      resetInsertionMode();
      return reprocess(mode_, t);
  }
}

void TreeBuilder::afterBodyMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters: {
      size_t ws = leadingWhitespace(t.data);
      if (ws == t.data.size()) return inBodyMode(t);
      if (ws) {
        Token white;
        white.type = TokenType::Characters;
        white.data = t.data.substr(0, ws);
        inBodyMode(white);
        t.data.erase(0, ws);
      }
      break;
    }
    case TokenType::Comment:
      return insertComment(t, open_.top());
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return inBodyMode(t);
      break;
    case TokenType::EndTag:
      if (t.tag == TagId::Html) {
        if (!context_) mode_ = InsertionMode::AfterAfterBody;
        return;
      }
      break;
    case TokenType::EndOfFile:
      return stopParsing();
  }
  reprocess(InsertionMode::InBody, t);
}

namespace {
// Frameset modes keep only the whitespace of a character run.
std::u16string whitespaceOnly(std::u16string_view run) {
  std::u16string kept;
  for (char16_t c : run)
    if (isWhitespace(c)) kept.push_back(c);
  return kept;
}
}  // namespace

void TreeBuilder::inFramesetMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      return insertCharacters(whitespaceOnly(t.data));
    case TokenType::Comment:
      return insertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      switch (t.tag) {
        case TagId::Html:
          return inBodyMode(t);
        case TagId::Frameset:
          insertElement(t);
          return;
        case TagId::Frame:
          return insertVoidElement(t);
        case TagId::Noframes:
          return inHeadMode(t);
        default:
          return;
      }
    case TokenType::EndTag:
      if (t.tag == TagId::Frameset) {
        if (open_.size() <= 1) return;
        open_.pop();
        if (!context_ && !currentIs(TagId::Frameset)) mode_ = InsertionMode::AfterFrameset;
      }
      return;
    case TokenType::EndOfFile:
      return stopParsing();
  }
}

void TreeBuilder::afterFramesetMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      return insertCharacters(whitespaceOnly(t.data));
    case TokenType::Comment:
      return insertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return inBodyMode(t);
      if (t.tag == TagId::Noframes) return inHeadMode(t);
      return;
    case TokenType::EndTag:
      if (t.tag == TagId::Html) mode_ = InsertionMode::AfterAfterFrameset;
      return;
    case TokenType::EndOfFile:
      return stopParsing();
  }
}

void TreeBuilder::afterAfterBodyMode(Token& t) {
  switch (t.type) {
    case TokenType::Comment:
      return insertComment(t, &document_);
    case TokenType::Doctype:
      return inBodyMode(t);
    case TokenType::Characters: {
      size_t ws = leadingWhitespace(t.data);
      if (ws == t.data.size()) return inBodyMode(t);
      if (ws) {
        Token white;
        white.type = TokenType::Characters;
        white.data = t.data.substr(0, ws);
        inBodyMode(white);
        t.data.erase(0, ws);
      }
      break;
    }
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return inBodyMode(t);
      break;
    case TokenType::EndOfFile:
      return stopParsing();
    default:
      break;
  }
  reprocess(InsertionMode::InBody, t);
}

void TreeBuilder::afterAfterFramesetMode(Token& t) {
  switch (t.type) {
    case TokenType::Comment:
      return insertComment(t, &document_);
    case TokenType::Doctype:
      return inBodyMode(t);
    case TokenType::Characters: {
      std::u16string ws = whitespaceOnly(t.data);
      if (!ws.empty()) {
        Token white;
        white.type = TokenType::Characters;
        white.data = ws;
        inBodyMode(white);
      }
      return;
    }
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return inBodyMode(t);
      if (t.tag == TagId::Noframes) return inHeadMode(t);
      return;
    case TokenType::EndOfFile:
      return stopParsing();
    default:
      return;
  }
}

}  // namespace vellum::engine

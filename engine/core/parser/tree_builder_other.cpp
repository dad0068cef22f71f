// The template, after-body and frameset insertion modes.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

void TreeBuilder::InTemplateMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
    case TokenType::Comment:
    case TokenType::Doctype:
      return InBodyMode(t);
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
          return InHeadMode(t);
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
      return Reprocess(next, t);
    }
    case TokenType::EndTag:
      if (t.tag == TagId::Template) return InHeadMode(t);
      return;
    case TokenType::EndOfFile:
      if (!open_.ContainsTag(TagId::Template)) return StopParsing();
      // Every mode the end of input meets while a template is open sends it back here without
      // touching the tree, so all open templates close in one go instead of one reprocessing each.
      while (open_.ContainsTag(TagId::Template)) {
        open_.PopUntilPopped(TagId::Template);
        formatting_.ClearUpToLastMarker();
        if (!templateModes_.empty()) templateModes_.pop_back();
      }
      ResetInsertionMode();
      return Reprocess(mode_, t);
  }
}

void TreeBuilder::AfterBodyMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters: {
      size_t ws = LeadingWhitespace(t.data);
      if (ws == t.data.size()) return InBodyMode(t);
      if (ws) {
        Token white;
        white.type = TokenType::Characters;
        white.data = t.data.substr(0, ws);
        InBodyMode(white);
        t.data.erase(0, ws);
      }
      break;
    }
    case TokenType::Comment:
      return InsertComment(t, open_.Top());
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return InBodyMode(t);
      break;
    case TokenType::EndTag:
      if (t.tag == TagId::Html) {
        if (!context_) mode_ = InsertionMode::AfterAfterBody;
        return;
      }
      break;
    case TokenType::EndOfFile:
      return StopParsing();
  }
  Reprocess(InsertionMode::InBody, t);
}

namespace {
// Frameset modes keep only the whitespace of a character run.
std::u16string WhitespaceOnly(std::u16string_view run) {
  std::u16string kept;
  for (char16_t c : run)
    if (IsWhitespace(c)) kept.push_back(c);
  return kept;
}
}  // namespace

void TreeBuilder::InFramesetMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      return InsertCharacters(WhitespaceOnly(t.data));
    case TokenType::Comment:
      return InsertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      switch (t.tag) {
        case TagId::Html:
          return InBodyMode(t);
        case TagId::Frameset:
          InsertElement(t);
          return;
        case TagId::Frame:
          return InsertVoidElement(t);
        case TagId::Noframes:
          return InHeadMode(t);
        default:
          return;
      }
    case TokenType::EndTag:
      if (t.tag == TagId::Frameset) {
        if (open_.size() <= 1) return;
        open_.Pop();
        if (!context_ && !CurrentIs(TagId::Frameset)) mode_ = InsertionMode::AfterFrameset;
      }
      return;
    case TokenType::EndOfFile:
      return StopParsing();
  }
}

void TreeBuilder::AfterFramesetMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      return InsertCharacters(WhitespaceOnly(t.data));
    case TokenType::Comment:
      return InsertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return InBodyMode(t);
      if (t.tag == TagId::Noframes) return InHeadMode(t);
      return;
    case TokenType::EndTag:
      if (t.tag == TagId::Html) mode_ = InsertionMode::AfterAfterFrameset;
      return;
    case TokenType::EndOfFile:
      return StopParsing();
  }
}

void TreeBuilder::AfterAfterBodyMode(Token& t) {
  switch (t.type) {
    case TokenType::Comment:
      return InsertComment(t, &document_);
    case TokenType::Doctype:
      return InBodyMode(t);
    case TokenType::Characters: {
      size_t ws = LeadingWhitespace(t.data);
      if (ws == t.data.size()) return InBodyMode(t);
      if (ws) {
        Token white;
        white.type = TokenType::Characters;
        white.data = t.data.substr(0, ws);
        InBodyMode(white);
        t.data.erase(0, ws);
      }
      break;
    }
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return InBodyMode(t);
      break;
    case TokenType::EndOfFile:
      return StopParsing();
    default:
      break;
  }
  Reprocess(InsertionMode::InBody, t);
}

void TreeBuilder::AfterAfterFramesetMode(Token& t) {
  switch (t.type) {
    case TokenType::Comment:
      return InsertComment(t, &document_);
    case TokenType::Doctype:
      return InBodyMode(t);
    case TokenType::Characters: {
      std::u16string ws = WhitespaceOnly(t.data);
      if (!ws.empty()) {
        Token white;
        white.type = TokenType::Characters;
        white.data = ws;
        InBodyMode(white);
      }
      return;
    }
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return InBodyMode(t);
      if (t.tag == TagId::Noframes) return InHeadMode(t);
      return;
    case TokenType::EndOfFile:
      return StopParsing();
    default:
      return;
  }
}

}  // namespace vellum::engine

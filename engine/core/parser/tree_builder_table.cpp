// The table insertion modes: table, table text, caption, column group, table body, row and cell.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

void TreeBuilder::inTableAnythingElse(Token& t) {
  fosterParenting_ = true;
  inBodyMode(t);
  fosterParenting_ = false;
}

void TreeBuilder::inTableMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (isHtmlOneOf(open_.current(),
                      {TagId::Table, TagId::Tbody, TagId::Template, TagId::Tfoot, TagId::Thead, TagId::Tr})) {
        pendingTableText_.clear();
        pendingTableTextHasContent_ = false;
        originalMode_ = mode_;
        return reprocess(InsertionMode::InTableText, t);
      }
      break;
    case TokenType::Comment:
      return insertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      switch (t.tag) {
        case TagId::Caption:
          clearStackBackTo({TagId::Table, TagId::Template});
          formatting_.pushMarker();
          insertElement(t);
          mode_ = InsertionMode::InCaption;
          return;
        case TagId::Colgroup:
          clearStackBackTo({TagId::Table, TagId::Template});
          insertElement(t);
          mode_ = InsertionMode::InColumnGroup;
          return;
        case TagId::Col: {
          clearStackBackTo({TagId::Table, TagId::Template});
          Token colgroup = syntheticStartTag(TagId::Colgroup);
          insertElement(colgroup);
          return reprocess(InsertionMode::InColumnGroup, t);
        }
        case TagId::Tbody:
        case TagId::Tfoot:
        case TagId::Thead:
          clearStackBackTo({TagId::Table, TagId::Template});
          insertElement(t);
          mode_ = InsertionMode::InTableBody;
          return;
        case TagId::Td:
        case TagId::Th:
        case TagId::Tr: {
          clearStackBackTo({TagId::Table, TagId::Template});
          Token tbody = syntheticStartTag(TagId::Tbody);
          insertElement(tbody);
          return reprocess(InsertionMode::InTableBody, t);
        }
        case TagId::Table:
          if (!open_.hasInScope(TagId::Table, Scope::Table)) return;
          open_.popUntilPopped(TagId::Table);
          resetInsertionMode();
          return reprocess(mode_, t);
        case TagId::Style:
        case TagId::Script:
        case TagId::Template:
          return inHeadMode(t);
        case TagId::Input: {
          const TokenAttribute* type = t.findAttribute(u"type");
          if (!type || !equalsIgnoringAsciiCase(type->value, u"hidden")) break;
          insertVoidElement(t);
          return;
        }
        case TagId::Form:
          if (open_.containsTag(TagId::Template) || form_) return;
          form_ = insertElement(t);
          open_.pop();
          return;
        default:
          break;
      }
      break;
    case TokenType::EndTag:
      switch (t.tag) {
        case TagId::Table:
          if (!open_.hasInScope(TagId::Table, Scope::Table)) return;
          open_.popUntilPopped(TagId::Table);
          resetInsertionMode();
          return;
        case TagId::Body:
        case TagId::Caption:
        case TagId::Col:
        case TagId::Colgroup:
        case TagId::Html:
        case TagId::Tbody:
        case TagId::Td:
        case TagId::Tfoot:
        case TagId::Th:
        case TagId::Thead:
        case TagId::Tr:
          return;
        case TagId::Template:
          return inHeadMode(t);
        default:
          break;
      }
      break;
    case TokenType::EndOfFile:
      return inBodyMode(t);
  }
  inTableAnythingElse(t);
}

void TreeBuilder::inTableTextMode(Token& t) {
  if (t.type == TokenType::Characters) {
    removeNulls(t.data);
    pendingTableText_.append(t.data);
    if (!pendingTableTextHasContent_ && !isAllWhitespace(t.data)) pendingTableTextHasContent_ = true;
    return;
  }
  if (!pendingTableText_.empty()) {
    Token chars;
    chars.type = TokenType::Characters;
    chars.data.swap(pendingTableText_);
    if (pendingTableTextHasContent_) {
      fosterParenting_ = true;
      inBodyCharacters(chars);
      fosterParenting_ = false;
    } else {
      insertCharacters(chars.data);
    }
    pendingTableText_.clear();
  }
  reprocess(originalMode_, t);
}

void TreeBuilder::inCaptionMode(Token& t) {
  bool endCaption = isEnd(t, TagId::Caption);
  bool closesCaption = isStartOneOf(t, {TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Tbody, TagId::Td,
                                        TagId::Tfoot, TagId::Th, TagId::Thead, TagId::Tr}) ||
                       isEnd(t, TagId::Table);
  if (endCaption || closesCaption) {
    if (!open_.hasInScope(TagId::Caption, Scope::Table)) return;
    generateImpliedEndTags();
    open_.popUntilPopped(TagId::Caption);
    formatting_.clearUpToLastMarker();
    mode_ = InsertionMode::InTable;
    if (closesCaption) reprocess(mode_, t);
    return;
  }
  if (isEndOneOf(t, {TagId::Body, TagId::Col, TagId::Colgroup, TagId::Html, TagId::Tbody, TagId::Td, TagId::Tfoot,
                     TagId::Th, TagId::Thead, TagId::Tr}))
    return;
  inBodyMode(t);
}

void TreeBuilder::inColumnGroupMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters: {
      size_t ws = leadingWhitespace(t.data);
      if (ws) insertCharacters(std::u16string_view(t.data).substr(0, ws));
      if (ws == t.data.size()) return;
      t.data.erase(0, ws);
      break;
    }
    case TokenType::Comment:
      return insertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return inBodyMode(t);
      if (t.tag == TagId::Col) return insertVoidElement(t);
      if (t.tag == TagId::Template) return inHeadMode(t);
      break;
    case TokenType::EndTag:
      if (t.tag == TagId::Colgroup) {
        if (!currentIs(TagId::Colgroup)) return;
        open_.pop();
        mode_ = InsertionMode::InTable;
        return;
      }
      if (t.tag == TagId::Col) return;
      if (t.tag == TagId::Template) return inHeadMode(t);
      break;
    case TokenType::EndOfFile:
      return inBodyMode(t);
  }
  if (!currentIs(TagId::Colgroup)) return;
  open_.pop();
  reprocess(InsertionMode::InTable, t);
}

void TreeBuilder::inTableBodyMode(Token& t) {
  static constexpr std::initializer_list<TagId> kBodyContext = {TagId::Tbody, TagId::Tfoot, TagId::Thead,
                                                                TagId::Template};
  if (isStart(t, TagId::Tr)) {
    clearStackBackTo(kBodyContext);
    insertElement(t);
    mode_ = InsertionMode::InRow;
    return;
  }
  if (isStartOneOf(t, {TagId::Th, TagId::Td})) {
    clearStackBackTo(kBodyContext);
    Token tr = syntheticStartTag(TagId::Tr);
    insertElement(tr);
    return reprocess(InsertionMode::InRow, t);
  }
  if (isEndOneOf(t, {TagId::Tbody, TagId::Tfoot, TagId::Thead})) {
    if (!open_.hasInScope(t.tag, Scope::Table)) return;
    clearStackBackTo(kBodyContext);
    open_.pop();
    mode_ = InsertionMode::InTable;
    return;
  }
  if (isStartOneOf(t, {TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Tbody, TagId::Tfoot, TagId::Thead}) ||
      isEnd(t, TagId::Table)) {
    if (!open_.hasAnyInTableScope({TagId::Tbody, TagId::Thead, TagId::Tfoot})) return;
    clearStackBackTo(kBodyContext);
    open_.pop();
    return reprocess(InsertionMode::InTable, t);
  }
  if (isEndOneOf(
          t, {TagId::Body, TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Html, TagId::Td, TagId::Th, TagId::Tr}))
    return;
  inTableMode(t);
}

void TreeBuilder::inRowMode(Token& t) {
  static constexpr std::initializer_list<TagId> kRowContext = {TagId::Tr, TagId::Template};
  if (isStartOneOf(t, {TagId::Th, TagId::Td})) {
    clearStackBackTo(kRowContext);
    insertElement(t);
    mode_ = InsertionMode::InCell;
    formatting_.pushMarker();
    return;
  }
  if (isEnd(t, TagId::Tr)) {
    if (!open_.hasInScope(TagId::Tr, Scope::Table)) return;
    clearStackBackTo(kRowContext);
    open_.pop();
    mode_ = InsertionMode::InTableBody;
    return;
  }
  if (isStartOneOf(
          t, {TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Tbody, TagId::Tfoot, TagId::Thead, TagId::Tr}) ||
      isEnd(t, TagId::Table)) {
    if (!open_.hasInScope(TagId::Tr, Scope::Table)) return;
    clearStackBackTo(kRowContext);
    open_.pop();
    return reprocess(InsertionMode::InTableBody, t);
  }
  if (isEndOneOf(t, {TagId::Tbody, TagId::Tfoot, TagId::Thead})) {
    if (!open_.hasInScope(t.tag, Scope::Table) || !open_.hasInScope(TagId::Tr, Scope::Table)) return;
    clearStackBackTo(kRowContext);
    open_.pop();
    return reprocess(InsertionMode::InTableBody, t);
  }
  if (isEndOneOf(t, {TagId::Body, TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Html, TagId::Td, TagId::Th}))
    return;
  inTableMode(t);
}

void TreeBuilder::inCellMode(Token& t) {
  if (isEndOneOf(t, {TagId::Td, TagId::Th})) {
    if (!open_.hasInScope(t.tag, Scope::Table)) return;
    generateImpliedEndTags();
    open_.popUntilPopped(t.tag);
    formatting_.clearUpToLastMarker();
    mode_ = InsertionMode::InRow;
    return;
  }
  if (isStartOneOf(t, {TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Tbody, TagId::Td, TagId::Tfoot, TagId::Th,
                       TagId::Thead, TagId::Tr})) {
    if (!open_.hasAnyInTableScope({TagId::Td, TagId::Th})) return;
    closeCell();
    return reprocess(mode_, t);
  }
  if (isEndOneOf(t, {TagId::Body, TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Html})) return;
  if (isEndOneOf(t, {TagId::Table, TagId::Tbody, TagId::Tfoot, TagId::Thead, TagId::Tr})) {
    if (!open_.hasInScope(t.tag, Scope::Table)) return;
    closeCell();
    return reprocess(mode_, t);
  }
  inBodyMode(t);
}

}  // namespace vellum::engine

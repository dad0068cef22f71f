// The table insertion modes: table, table text, caption, column group, table body, row and cell.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

void TreeBuilder::InTableAnythingElse(Token& t) {
  fosterParenting_ = true;
  InBodyMode(t);
  fosterParenting_ = false;
}

void TreeBuilder::InTableMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters:
      if (IsHtmlOneOf(open_.Current(),
                      {TagId::Table, TagId::Tbody, TagId::Template, TagId::Tfoot, TagId::Thead, TagId::Tr})) {
        pendingTableText_.clear();
        pendingTableTextHasContent_ = false;
        originalMode_ = mode_;
        return Reprocess(InsertionMode::InTableText, t);
      }
      break;
    case TokenType::Comment:
      return InsertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      switch (t.tag) {
        case TagId::Caption:
          ClearStackBackTo({TagId::Table, TagId::Template});
          formatting_.PushMarker();
          InsertElement(t);
          mode_ = InsertionMode::InCaption;
          return;
        case TagId::Colgroup:
          ClearStackBackTo({TagId::Table, TagId::Template});
          InsertElement(t);
          mode_ = InsertionMode::InColumnGroup;
          return;
        case TagId::Col: {
          ClearStackBackTo({TagId::Table, TagId::Template});
          Token colgroup = SyntheticStartTag(TagId::Colgroup);
          InsertElement(colgroup);
          return Reprocess(InsertionMode::InColumnGroup, t);
        }
        case TagId::Tbody:
        case TagId::Tfoot:
        case TagId::Thead:
          ClearStackBackTo({TagId::Table, TagId::Template});
          InsertElement(t);
          mode_ = InsertionMode::InTableBody;
          return;
        case TagId::Td:
        case TagId::Th:
        case TagId::Tr: {
          ClearStackBackTo({TagId::Table, TagId::Template});
          Token tbody = SyntheticStartTag(TagId::Tbody);
          InsertElement(tbody);
          return Reprocess(InsertionMode::InTableBody, t);
        }
        case TagId::Table:
          if (!open_.HasInScope(TagId::Table, Scope::Table)) return;
          open_.PopUntilPopped(TagId::Table);
          ResetInsertionMode();
          return Reprocess(mode_, t);
        case TagId::Style:
        case TagId::Script:
        case TagId::Template:
          return InHeadMode(t);
        case TagId::Input: {
          const TokenAttribute* type = t.FindAttribute(u"type");
          if (!type || !EqualsIgnoringAsciiCase(type->value, u"hidden")) break;
          InsertVoidElement(t);
          return;
        }
        case TagId::Form:
          if (open_.ContainsTag(TagId::Template) || form_) return;
          form_ = InsertElement(t);
          open_.Pop();
          return;
        default:
          break;
      }
      break;
    case TokenType::EndTag:
      switch (t.tag) {
        case TagId::Table:
          if (!open_.HasInScope(TagId::Table, Scope::Table)) return;
          open_.PopUntilPopped(TagId::Table);
          ResetInsertionMode();
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
          return InHeadMode(t);
        default:
          break;
      }
      break;
    case TokenType::EndOfFile:
      return InBodyMode(t);
  }
  InTableAnythingElse(t);
}

void TreeBuilder::InTableTextMode(Token& t) {
  if (t.type == TokenType::Characters) {
    RemoveNulls(t.data);
    pendingTableText_.append(t.data);
    if (!pendingTableTextHasContent_ && !IsAllWhitespace(t.data)) pendingTableTextHasContent_ = true;
    return;
  }
  if (!pendingTableText_.empty()) {
    Token chars;
    chars.type = TokenType::Characters;
    chars.data.swap(pendingTableText_);
    if (pendingTableTextHasContent_) {
      fosterParenting_ = true;
      InBodyCharacters(chars);
      fosterParenting_ = false;
    } else {
      InsertCharacters(chars.data);
    }
    pendingTableText_.clear();
  }
  Reprocess(originalMode_, t);
}

void TreeBuilder::InCaptionMode(Token& t) {
  bool endCaption = IsEnd(t, TagId::Caption);
  bool closesCaption = IsStartOneOf(t, {TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Tbody, TagId::Td,
                                        TagId::Tfoot, TagId::Th, TagId::Thead, TagId::Tr}) ||
                       IsEnd(t, TagId::Table);
  if (endCaption || closesCaption) {
    if (!open_.HasInScope(TagId::Caption, Scope::Table)) return;
    GenerateImpliedEndTags();
    open_.PopUntilPopped(TagId::Caption);
    formatting_.ClearUpToLastMarker();
    mode_ = InsertionMode::InTable;
    if (closesCaption) Reprocess(mode_, t);
    return;
  }
  if (IsEndOneOf(t, {TagId::Body, TagId::Col, TagId::Colgroup, TagId::Html, TagId::Tbody, TagId::Td, TagId::Tfoot,
                     TagId::Th, TagId::Thead, TagId::Tr}))
    return;
  InBodyMode(t);
}

void TreeBuilder::InColumnGroupMode(Token& t) {
  switch (t.type) {
    case TokenType::Characters: {
      size_t ws = LeadingWhitespace(t.data);
      if (ws) InsertCharacters(std::u16string_view(t.data).substr(0, ws));
      if (ws == t.data.size()) return;
      t.data.erase(0, ws);
      break;
    }
    case TokenType::Comment:
      return InsertComment(t);
    case TokenType::Doctype:
      return;
    case TokenType::StartTag:
      if (t.tag == TagId::Html) return InBodyMode(t);
      if (t.tag == TagId::Col) return InsertVoidElement(t);
      if (t.tag == TagId::Template) return InHeadMode(t);
      break;
    case TokenType::EndTag:
      if (t.tag == TagId::Colgroup) {
        if (!CurrentIs(TagId::Colgroup)) return;
        open_.Pop();
        mode_ = InsertionMode::InTable;
        return;
      }
      if (t.tag == TagId::Col) return;
      if (t.tag == TagId::Template) return InHeadMode(t);
      break;
    case TokenType::EndOfFile:
      return InBodyMode(t);
  }
  if (!CurrentIs(TagId::Colgroup)) return;
  open_.Pop();
  Reprocess(InsertionMode::InTable, t);
}

void TreeBuilder::InTableBodyMode(Token& t) {
  static constexpr std::initializer_list<TagId> kBodyContext = {TagId::Tbody, TagId::Tfoot, TagId::Thead,
                                                                TagId::Template};
  if (IsStart(t, TagId::Tr)) {
    ClearStackBackTo(kBodyContext);
    InsertElement(t);
    mode_ = InsertionMode::InRow;
    return;
  }
  if (IsStartOneOf(t, {TagId::Th, TagId::Td})) {
    ClearStackBackTo(kBodyContext);
    Token tr = SyntheticStartTag(TagId::Tr);
    InsertElement(tr);
    return Reprocess(InsertionMode::InRow, t);
  }
  if (IsEndOneOf(t, {TagId::Tbody, TagId::Tfoot, TagId::Thead})) {
    if (!open_.HasInScope(t.tag, Scope::Table)) return;
    ClearStackBackTo(kBodyContext);
    open_.Pop();
    mode_ = InsertionMode::InTable;
    return;
  }
  if (IsStartOneOf(t, {TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Tbody, TagId::Tfoot, TagId::Thead}) ||
      IsEnd(t, TagId::Table)) {
    if (!open_.HasAnyInTableScope({TagId::Tbody, TagId::Thead, TagId::Tfoot})) return;
    ClearStackBackTo(kBodyContext);
    open_.Pop();
    return Reprocess(InsertionMode::InTable, t);
  }
  if (IsEndOneOf(
          t, {TagId::Body, TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Html, TagId::Td, TagId::Th, TagId::Tr}))
    return;
  InTableMode(t);
}

void TreeBuilder::InRowMode(Token& t) {
  static constexpr std::initializer_list<TagId> kRowContext = {TagId::Tr, TagId::Template};
  if (IsStartOneOf(t, {TagId::Th, TagId::Td})) {
    ClearStackBackTo(kRowContext);
    InsertElement(t);
    mode_ = InsertionMode::InCell;
    formatting_.PushMarker();
    return;
  }
  if (IsEnd(t, TagId::Tr)) {
    if (!open_.HasInScope(TagId::Tr, Scope::Table)) return;
    ClearStackBackTo(kRowContext);
    open_.Pop();
    mode_ = InsertionMode::InTableBody;
    return;
  }
  if (IsStartOneOf(
          t, {TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Tbody, TagId::Tfoot, TagId::Thead, TagId::Tr}) ||
      IsEnd(t, TagId::Table)) {
    if (!open_.HasInScope(TagId::Tr, Scope::Table)) return;
    ClearStackBackTo(kRowContext);
    open_.Pop();
    return Reprocess(InsertionMode::InTableBody, t);
  }
  if (IsEndOneOf(t, {TagId::Tbody, TagId::Tfoot, TagId::Thead})) {
    if (!open_.HasInScope(t.tag, Scope::Table) || !open_.HasInScope(TagId::Tr, Scope::Table)) return;
    ClearStackBackTo(kRowContext);
    open_.Pop();
    return Reprocess(InsertionMode::InTableBody, t);
  }
  if (IsEndOneOf(t, {TagId::Body, TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Html, TagId::Td, TagId::Th}))
    return;
  InTableMode(t);
}

void TreeBuilder::InCellMode(Token& t) {
  if (IsEndOneOf(t, {TagId::Td, TagId::Th})) {
    if (!open_.HasInScope(t.tag, Scope::Table)) return;
    GenerateImpliedEndTags();
    open_.PopUntilPopped(t.tag);
    formatting_.ClearUpToLastMarker();
    mode_ = InsertionMode::InRow;
    return;
  }
  if (IsStartOneOf(t, {TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Tbody, TagId::Td, TagId::Tfoot, TagId::Th,
                       TagId::Thead, TagId::Tr})) {
    if (!open_.HasAnyInTableScope({TagId::Td, TagId::Th})) return;
    CloseCell();
    return Reprocess(mode_, t);
  }
  if (IsEndOneOf(t, {TagId::Body, TagId::Caption, TagId::Col, TagId::Colgroup, TagId::Html})) return;
  if (IsEndOneOf(t, {TagId::Table, TagId::Tbody, TagId::Tfoot, TagId::Thead, TagId::Tr})) {
    if (!open_.HasInScope(t.tag, Scope::Table)) return;
    CloseCell();
    return Reprocess(mode_, t);
  }
  InBodyMode(t);
}

}  // namespace vellum::engine

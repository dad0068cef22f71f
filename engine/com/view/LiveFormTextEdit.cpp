#include "engine/com/view/LiveFormTextEdit.h"

#include <algorithm>

namespace vellum::engine::com {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// True when a caret at `position` would split a CR LF or a surrogate pair.
bool InsidePair(std::u16string_view text, std::size_t position) {
  if (position == 0 || position >= text.size()) return false;
  char16_t before = text[position - 1], after = text[position];
  return (before == u'\r' && after == u'\n') || (IsHighSurrogate(before) && IsLowSurrogate(after));
}

std::size_t PreviousPosition(std::u16string_view text, std::size_t position) {
  if (position == 0) return 0;
  --position;
  return InsidePair(text, position) ? position - 1 : position;
}

std::size_t NextPosition(std::u16string_view text, std::size_t position) {
  if (position >= text.size()) return text.size();
  ++position;
  return InsidePair(text, position) ? position + 1 : position;
}

std::size_t LineStartOf(std::u16string_view text, std::size_t position) {
  while (position > 0 && text[position - 1] != u'\n' && text[position - 1] != u'\r') --position;
  return position;
}

std::size_t LineEndOf(std::u16string_view text, std::size_t position) {
  while (position < text.size() && text[position] != u'\r' && text[position] != u'\n') ++position;
  return position;
}

// Past the line break that ends the line at `lineEnd`.
std::size_t AfterBreak(std::u16string_view text, std::size_t lineEnd) {
  if (lineEnd >= text.size()) return text.size();
  return text[lineEnd] == u'\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == u'\n' ? lineEnd + 2 : lineEnd + 1;
}

// The caret in the line above or below at the same column (or the line's end when it is shorter).
std::size_t VerticalMove(std::u16string_view text, std::size_t caret, CaretMove move) {
  std::size_t start = LineStartOf(text, caret);
  std::size_t column = caret - start;
  std::size_t target;
  if (move == CaretMove::LineUp) {
    if (start == 0) return 0;
    std::size_t previousEnd = PreviousPosition(text, start);  // on the break before this line
    target = LineStartOf(text, previousEnd);
  } else {
    std::size_t end = LineEndOf(text, caret);
    if (end >= text.size()) return text.size();
    target = AfterBreak(text, end);
  }
  std::size_t position = std::min(target + column, LineEndOf(text, target));
  return InsidePair(text, position) ? position - 1 : position;
}

// The typed text as the control takes it: one-line controls drop line breaks; a lone LF or CR
// becomes CR LF in a multi-line one.
std::u16string Normalized(std::u16string_view typed, LineMode lines) {
  std::u16string out;
  out.reserve(typed.size());
  for (std::size_t i = 0; i < typed.size(); ++i) {
    char16_t c = typed[i];
    if (c != u'\r' && c != u'\n') {
      out += c;
      continue;
    }
    if (lines == LineMode::Single) continue;
    out += u"\r\n";
    if (c == u'\r' && i + 1 < typed.size() && typed[i + 1] == u'\n') ++i;
  }
  return out;
}

// Cuts `text` to at most `room` units without splitting a pair.
void CutToRoom(std::u16string& text, std::size_t room) {
  if (text.size() <= room) return;
  if (InsidePair(text, room)) --room;
  text.resize(room);
}

}  // namespace

bool InsertTyped(TextEdit& edit, std::u16string_view typed, const TextRules& rules) {
  std::u16string inserted = Normalized(typed, rules.lines);
  std::size_t start = edit.SelectionStart(), end = edit.SelectionEnd();
  std::size_t kept = edit.text.size() - (end - start);
  if (rules.maxLength) CutToRoom(inserted, *rules.maxLength > kept ? *rules.maxLength - kept : 0);
  if (inserted.empty()) return false;  // no room left: the selection stays too, as in an edit box
  edit.text.replace(start, end - start, inserted);
  edit.caret = edit.anchor = start + inserted.size();
  return true;
}

bool DeleteAtCaret(TextEdit& edit, DeleteDirection direction) {
  std::size_t start = edit.SelectionStart(), end = edit.SelectionEnd();
  if (start == end) {
    if (direction == DeleteDirection::Backward)
      start = PreviousPosition(edit.text, start);
    else
      end = NextPosition(edit.text, end);
  }
  if (start == end) return false;
  edit.text.erase(start, end - start);
  edit.caret = edit.anchor = start;
  return true;
}

void MoveCaret(TextEdit& edit, CaretMove move, Selecting selecting) {
  std::u16string_view text = edit.text;
  std::size_t caret = std::min(edit.caret, text.size());
  bool collapseSelection = selecting == Selecting::Collapse && edit.HasSelection();
  switch (move) {
    case CaretMove::Left:
      caret = collapseSelection ? edit.SelectionStart() : PreviousPosition(text, caret);
      break;
    case CaretMove::Right:
      caret = collapseSelection ? edit.SelectionEnd() : NextPosition(text, caret);
      break;
    case CaretMove::LineStart:
      caret = LineStartOf(text, caret);
      break;
    case CaretMove::LineEnd:
      caret = LineEndOf(text, caret);
      break;
    case CaretMove::LineUp:
    case CaretMove::LineDown:
      caret = VerticalMove(text, caret, move);
      break;
    case CaretMove::TextStart:
      caret = 0;
      break;
    case CaretMove::TextEnd:
      caret = text.size();
      break;
  }
  edit.caret = caret;
  if (selecting == Selecting::Collapse) edit.anchor = caret;
}

void SelectAll(TextEdit& edit) {
  edit.anchor = 0;
  edit.caret = edit.text.size();
}

void PlaceCaret(TextEdit& edit, std::size_t position, Selecting selecting) {
  position = std::min(position, edit.text.size());
  if (InsidePair(edit.text, position)) --position;
  edit.caret = position;
  if (selecting == Selecting::Collapse) edit.anchor = position;
}

}  // namespace vellum::engine::com

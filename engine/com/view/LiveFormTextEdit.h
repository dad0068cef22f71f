// Editing a text control's value the way an edit box does: the typed text replaces the selection,
// Backspace and Delete remove it or one character, the caret moves and can drag a selection along.
// Pure text operations; the live form applies the result to the form state.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vellum::engine::com {

struct TextEdit {
  std::u16string text;
  std::size_t caret = 0;   // in UTF-16 units, never inside a CR LF pair or a surrogate pair
  std::size_t anchor = 0;  // the selection's other end (equal to caret: no selection)

  std::size_t SelectionStart() const { return caret < anchor ? caret : anchor; }
  std::size_t SelectionEnd() const { return caret < anchor ? anchor : caret; }
  bool HasSelection() const { return caret != anchor; }
};

enum class LineMode { Single, Multi };  // a multi-line control keeps line breaks as CR LF

struct TextRules {
  LineMode lines = LineMode::Single;
  std::optional<std::size_t> maxLength;  // typing never makes the text longer than this
};

// Replaces the selection by the typed text (line breaks dropped from a one-line control, cut to the
// room maxlength leaves). False when nothing changed.
bool InsertTyped(TextEdit& edit, std::u16string_view typed, const TextRules& rules);
enum class DeleteDirection { Backward, Forward };
// Removes the selection, else the character before (Backward) or after (Forward) the caret.
bool DeleteAtCaret(TextEdit& edit, DeleteDirection direction);

enum class CaretMove { Left, Right, LineStart, LineEnd, LineUp, LineDown, TextStart, TextEnd };
enum class Selecting { Collapse, Extend };  // Extend: Shift held, the anchor stays
// Without Extend a selection collapses to its edge in the direction of a left or right move.
void MoveCaret(TextEdit& edit, CaretMove move, Selecting selecting);
void SelectAll(TextEdit& edit);
// Puts the caret at `position` (clamped, moved off the middle of a pair).
void PlaceCaret(TextEdit& edit, std::size_t position, Selecting selecting);

}  // namespace vellum::engine::com

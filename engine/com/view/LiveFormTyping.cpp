// Text entry in the focused text box, password box or text area.
#include <optional>

#include "engine/com/HtmlDocument.h"
#include "engine/com/view/LiveForm.h"
#include "engine/com/view/LiveFormClipboard.h"
#include "engine/com/view/LiveFormTextGeometry.h"

namespace vellum::engine::com {

using vellum::engine::Element;

namespace {

bool IsEditable(const Element& control) { return !IsReadOnly(control) && !IsDisabled(control); }

TextRules RulesFor(const Element& control) {
  TextRules rules;
  rules.lines = ControlKindOf(control) == ControlKind::TextArea ? LineMode::Multi : LineMode::Single;
  rules.maxLength = MaxLengthOf(control);
  return rules;
}

// The caret movement a key asks for in a control; none for keys that do not move it.
std::optional<CaretMove> MoveForKey(UINT key, ControlKind kind, Modifiers modifiers) {
  bool multiLine = kind == ControlKind::TextArea;
  bool control = Has(modifiers, Modifiers::Control);
  switch (key) {
    case VK_LEFT:
      return CaretMove::Left;
    case VK_RIGHT:
      return CaretMove::Right;
    case VK_HOME:
      return multiLine && !control ? CaretMove::LineStart : CaretMove::TextStart;
    case VK_END:
      return multiLine && !control ? CaretMove::LineEnd : CaretMove::TextEnd;
    case VK_UP:
      return multiLine ? std::optional(CaretMove::LineUp) : std::nullopt;
    case VK_DOWN:
      return multiLine ? std::optional(CaretMove::LineDown) : std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace

TextEdit CLiveForm::CurrentEdit(const Element& control) {
  const CViewFocus& focus = document_.ViewFocus();
  TextEdit edit;
  edit.text = document_.FormState().Value(control);
  if (focus.element.get() == &control) {
    PlaceCaret(edit, focus.selectionAnchor, Selecting::Collapse);
    PlaceCaret(edit, focus.caret, Selecting::Extend);
  }
  return edit;
}

void CLiveForm::ApplyEdit(Element& control, const TextEdit& edit, bool textChanged) {
  if (textChanged) document_.FormState().SetValue(control, edit.text);
  CViewFocus& focus = document_.ViewFocus();
  focus.caret = edit.caret;
  focus.selectionAnchor = edit.anchor;
  if (const vellum::engine::layout::Rect* box = BoxOf(control)) {
    focus.firstVisible = FirstVisibleForCaret(ControlKindOf(control), *box, edit.text, edit.caret, focus.firstVisible);
    if (ControlKindOf(control) == ControlKind::TextArea) {
      // The caret's line stays in sight, and lines removed from the end do not leave the area blank.
      const ScrollExtent extent = TextAreaExtent(*box, edit.text);
      focus.scroll.SetFirstShown(control,
                                 extent.Showing(focus.scroll.FirstShown(control), LineIndexOf(edit.text, edit.caret)));
    }
  }
  Changed();
}

void CLiveForm::PlaceCaretAt(Element& control, POINT point, Selecting selecting) {
  const vellum::engine::layout::Rect* box = BoxOf(control);
  if (!box) return;
  TextEdit edit = CurrentEdit(control);
  const CViewFocus& focus = document_.ViewFocus();
  const ControlKind kind = ControlKindOf(control);
  const std::size_t firstShown = kind == ControlKind::TextArea
                                     ? TextAreaExtent(*box, edit.text).Clamped(focus.scroll.FirstShown(control))
                                     : focus.firstVisible;
  std::size_t position = CaretFromPoint(kind, *box, edit.text, firstShown, point);
  PlaceCaret(edit, position, selecting);
  ApplyEdit(control, edit, false);
}

bool CLiveForm::TypeText(Element& control, std::u16string_view typed) {
  if (!IsEditable(control)) return false;
  TextEdit edit = CurrentEdit(control);
  if (!InsertTyped(edit, typed, RulesFor(control))) return true;  // no room: the key is still the box's
  ApplyEdit(control, edit, true);
  return true;
}

bool CLiveForm::TextKeyDown(Element& control, UINT key, Modifiers modifiers) {
  ControlKind kind = ControlKindOf(control);
  Selecting selecting = Has(modifiers, Modifiers::Shift) ? Selecting::Extend : Selecting::Collapse;
  if (std::optional<CaretMove> move = MoveForKey(key, kind, modifiers)) {
    TextEdit edit = CurrentEdit(control);
    MoveCaret(edit, *move, selecting);
    ApplyEdit(control, edit, false);
    return true;
  }
  switch (key) {
    case VK_BACK:
    case VK_DELETE: {
      if (!IsEditable(control)) return true;
      TextEdit edit = CurrentEdit(control);
      if (DeleteAtCaret(edit, key == VK_BACK ? DeleteDirection::Backward : DeleteDirection::Forward))
        ApplyEdit(control, edit, true);
      return true;
    }
    case VK_RETURN:
      // A text area takes Enter as a line break; a one-line box leaves it to the container.
      if (kind != ControlKind::TextArea) return false;
      TypeText(control, u"\r\n");
      return true;
    default:
      return Has(modifiers, Modifiers::Control) && ShortcutKeyDown(control, key);
  }
}

bool CLiveForm::ShortcutKeyDown(Element& control, UINT key) {
  HWND view = document_.ViewWindow();
  TextEdit edit = CurrentEdit(control);
  std::u16string_view selected =
      std::u16string_view(edit.text).substr(edit.SelectionStart(), edit.SelectionEnd() - edit.SelectionStart());
  // A password box keeps its text off the clipboard, as the platform's password edit does.
  bool mayCopy = ControlKindOf(control) != ControlKind::Password && !selected.empty();
  switch (key) {
    case 'A':
      SelectAll(edit);
      ApplyEdit(control, edit, false);
      return true;
    case 'C':
      if (mayCopy) WriteClipboardText(view, selected);
      return true;
    case 'X':
      if (mayCopy && IsEditable(control) && WriteClipboardText(view, selected) &&
          DeleteAtCaret(edit, DeleteDirection::Backward))
        ApplyEdit(control, edit, true);
      return true;
    case 'V':
      if (std::optional<std::u16string> pasted = ReadClipboardText(view)) TypeText(control, *pasted);
      return true;
    default:
      return false;
  }
}

bool CLiveForm::OnChar(wchar_t typed) {
  Element* control = FocusedControl();
  if (!control || !IsTextEntry(ControlKindOf(*control))) return false;
  // Control characters (Backspace, Enter, Tab, Escape, Ctrl+letters) were keys, handled as such.
  if (typed < 0x20 || typed == 0x7f) return false;
  char16_t unit = static_cast<char16_t>(typed);
  return TypeText(*control, std::u16string_view(&unit, 1));
}

}  // namespace vellum::engine::com

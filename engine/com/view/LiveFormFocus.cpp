// The live form's focus: which control has it, moving it with Tab, losing it with the view.
#include "engine/com/HtmlDocument.h"
#include "engine/com/view/LiveForm.h"
#include "engine/com/view/LiveFormDropDown.h"
#include "engine/com/view/LiveFormTextGeometry.h"

namespace vellum::engine::com {

using vellum::engine::Element;

CLiveForm::CLiveForm(CHtmlDocument& document) : document_(document) {}

void CLiveForm::Changed() { document_.RepaintView(); }

const vellum::engine::layout::Rect* CLiveForm::BoxOf(const Element& element) {
  const vellum::engine::layout::Box* box = document_.Layout().BoxOf(element);
  return box ? &box->border : nullptr;
}

Element* CLiveForm::FocusedControl() {
  CViewFocus& focus = document_.ViewFocus();
  Element* element = focus.element.get();
  if (!element) return nullptr;
  if (&element->GetDocument() != &document_.Tree() || !IsFocusable(*element, document_.Layout())) {
    focus.Blur();
    Changed();
    return nullptr;
  }
  return element;
}

void CLiveForm::Focus(Element* control, FocusOrigin origin) {
  CViewFocus& focus = document_.ViewFocus();
  if (focus.element.get() == control) return;
  CloseDropDown(document_.ViewWindow());
  focus.Blur();
  focus.element = control;
  if (control && IsTextEntry(ControlKindOf(*control))) {
    // Tab into a one-line box selects its text, as edit boxes in dialogs do; a text area or a click
    // starts with the caret at the beginning (a click then places it).
    TextEdit edit = CurrentEdit(*control);
    if (origin == FocusOrigin::Keyboard && ControlKindOf(*control) != ControlKind::TextArea) SelectAll(edit);
    ApplyEdit(*control, edit, false);
  }
  Changed();
}

bool CLiveForm::MoveFocus(TabDirection direction) {
  Element* next =
      NextInTabOrder(document_.Tree(), document_.Layout(), document_.FormState(), FocusedControl(), direction);
  // Past the last control (or before the first) the focus leaves the page: the container moves it
  // on to its next control, and the next Tab into the page starts over at an end.
  Focus(next, FocusOrigin::Keyboard);
  return next != nullptr;
}

void CLiveForm::OnViewFocusLost() {
  // The control keeps the focus for when the view gets it back; a held button is let go.
  SetPressed(false);
}

void CLiveForm::OnViewDestroyed() {
  CloseDropDown(document_.ViewWindow());
  document_.ViewFocus().Clear();
}

void CLiveForm::SetPressed(bool pressed) {
  CViewFocus& focus = document_.ViewFocus();
  if (focus.pressed == pressed) return;
  focus.pressed = pressed;
  Changed();
}

}  // namespace vellum::engine::com

// The mouse on the page's controls: a click focuses the control under it and works it; a button
// held down shows pressed while the mouse stays on it and acts when let go there.
#include "engine/com/HtmlDocument.h"
#include "engine/com/FormState.h"
#include "engine/com/view/LiveForm.h"
#include "engine/com/view/LiveFormDropDown.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::Node;
using vellum::engine::TagId;

namespace {

// The node after `node` in document order, staying inside `root`.
Node* NextWithin(Node* node, const Node& root) {
  if (node->FirstChild()) return node->FirstChild();
  for (; node && node != &root; node = node->Parent())
    if (node->NextSibling()) return node->NextSibling();
  return nullptr;
}

// The control a label stands for: the element its for attribute names, else the first control in it.
Element* LabelledControl(Element& label) {
  if (const vellum::engine::Attribute* target = label.FindAttribute(u"for")) {
    for (Node* node : label.GetDocument().All()) {
      Element* element = vellum::engine::AsElement(node);
      if (element && AttributeText(*element, u"id") == target->value)
        return ControlKindOf(*element) != ControlKind::None ? element : nullptr;
    }
    return nullptr;
  }
  for (Node* node = label.FirstChild(); node; node = NextWithin(node, label))
    if (Element* element = vellum::engine::AsElement(node); element && ControlKindOf(*element) != ControlKind::None)
      return element;
  return nullptr;
}

bool Contains(const vellum::engine::layout::Rect* box, POINT point) { return box && box->Contains(point.x, point.y); }

}  // namespace

Element* CLiveForm::ControlAt(POINT point, bool& throughLabel) {
  throughLabel = false;
  for (Element* element = document_.Layout().HitTest(point.x, point.y); element; element = element->ParentElement()) {
    if (ControlKindOf(*element) != ControlKind::None) return element;
    if (element->Is(TagId::Label)) {
      throughLabel = true;
      return LabelledControl(*element);
    }
  }
  return nullptr;
}

void CLiveForm::OnButtonDown(POINT point, Modifiers modifiers) {
  HWND view = document_.ViewWindow();
  if (!view) return;
  // A click on a drop-down whose list is open only closes the list, as with a combo box.
  bool listWasOpen = DropDownList(view) != nullptr;
  CloseDropDown(view);
  if (GetFocus() != view) SetFocus(view);
  bool throughLabel = false;
  Element* control = ControlAt(point, throughLabel);
  if (!control || !IsFocusable(*control, document_.Layout())) {
    Focus(nullptr, FocusOrigin::Mouse);  // a click beside the controls (or on a disabled one) blurs
    return;
  }
  Focus(control, FocusOrigin::Mouse);
  ControlKind kind = ControlKindOf(*control);
  if (throughLabel) {
    // A label focuses its control; check boxes and radios also change, as if clicked themselves.
    if (kind == ControlKind::CheckBox || kind == ControlKind::Radio) Activate(*control);
    return;
  }
  if ((kind == ControlKind::ListBox || kind == ControlKind::TextArea) && ClickScrollBar(*control, point)) return;
  if (IsTextEntry(kind)) {
    PlaceCaretAt(*control, point, Has(modifiers, Modifiers::Shift) ? Selecting::Extend : Selecting::Collapse);
    SetCapture(view);  // dragging selects
  } else if (IsPressable(kind)) {
    SetPressed(true);
    SetCapture(view);
  } else if (kind == ControlKind::ListBox) {
    ChooseListRow(*control, point, modifiers);
  } else if (kind == ControlKind::DropDown && !listWasOpen) {
    if (const vellum::engine::layout::Rect* box = BoxOf(*control)) OpenDropDown(document_, *control, *box);
  }
}

void CLiveForm::OnMouseMove(POINT point) {
  HWND view = document_.ViewWindow();
  if (!view || GetCapture() != view) return;
  Element* control = FocusedControl();
  if (!control) return;
  ControlKind kind = ControlKindOf(*control);
  if (IsTextEntry(kind))
    PlaceCaretAt(*control, point, Selecting::Extend);
  else if (IsPressable(kind))
    SetPressed(Contains(BoxOf(*control), point));
}

void CLiveForm::OnButtonUp(POINT point) {
  HWND view = document_.ViewWindow();
  if (!view || GetCapture() != view) return;
  Element* control = FocusedControl();
  bool activate = control && document_.ViewFocus().pressed && Contains(BoxOf(*control), point);
  ReleaseCapture();
  SetPressed(false);
  if (activate) Activate(*control);
}

void CLiveForm::OnCaptureLost() { SetPressed(false); }

}  // namespace vellum::engine::com

// Check boxes, radio buttons, push buttons and selects: what a click or a key does to them.
#include <algorithm>
#include <vector>

#include "engine/com/HtmlDocument.h"
#include "engine/com/view/LiveForm.h"
#include "engine/com/view/LiveFormDropDown.h"
#include "engine/com/view/PaintControlParts.h"  // where the painter puts a list's rows

namespace vellum::engine::com {

using vellum::engine::Element;

namespace {

bool IsChoosable(const Element& option) { return !option.HasAttribute(u"disabled"); }

// Makes `chosen` the only selected option of the select.
void SelectOnly(CFormState& state, const Element& select, Element& chosen) {
  if (!select.HasAttribute(u"multiple")) {
    state.SetSelected(chosen, true);
    return;
  }
  for (Element* option : CFormState::Options(select)) state.SetSelected(*option, option == &chosen);
}

// The index the key moves the choice to, skipping disabled options; `current` may be -1 (none).
// Page Up and Page Down move by `page` rows, stopping at the ends.
long SteppedIndex(const std::vector<Element*>& options, long current, UINT key, long page) {
  long count = static_cast<long>(options.size());
  long start = current + 1, step = 1;
  switch (key) {
    case VK_HOME:
      start = 0;
      break;
    case VK_END:
      start = count - 1;
      step = -1;
      break;
    case VK_UP:
      start = current < 0 ? 0 : current - 1;
      step = -1;
      break;
    case VK_PRIOR:
      start = std::max(0L, current - page);
      break;
    case VK_NEXT:
      start = std::min(count - 1, std::max(0L, current + page));
      step = -1;
      break;
    default:
      break;  // VK_DOWN
  }
  for (long i = start; i >= 0 && i < count; i += step) {
    if (i == current && (key == VK_PRIOR || key == VK_NEXT)) break;  // nothing choosable in between
    if (IsChoosable(*options[i])) return i;
  }
  return current;  // at the end already: the choice stays
}

}  // namespace

void CLiveForm::Activate(Element& control) {
  CFormState& state = document_.FormState();
  switch (ControlKindOf(control)) {
    case ControlKind::CheckBox:
      state.SetChecked(control, !state.Checked(control));
      break;
    case ControlKind::Radio:
      state.SetChecked(control, true);
      break;
    default:
      return;  // buttons run no script; a file input opens no dialog in the page
  }
  Changed();
}

bool CLiveForm::StepSelection(Element& select, UINT key) {
  CFormState& state = document_.FormState();
  std::vector<Element*> options = CFormState::Options(select);
  if (options.empty()) return true;
  long current = state.SelectedIndex(select);
  long page = 1;
  if (const vellum::engine::layout::Rect* box = BoxOf(select); box && ControlKindOf(select) == ControlKind::ListBox)
    page = std::max(1L, static_cast<long>(ListRowsShown(box->height)) - 1);
  long next = SteppedIndex(options, current, key, page);
  if (next >= 0 && next != current) {
    SelectOnly(state, select, *options[next]);
    Changed();
  }
  KeepRowInSight(select, next);
  return true;
}

void CLiveForm::ChooseListRow(Element& select, POINT point, Modifiers modifiers) {
  const vellum::engine::layout::Rect* box = BoxOf(select);
  if (!box || point.y < box->y + kListFrame) return;
  std::vector<Element*> options = CFormState::Options(select);
  const std::size_t first = ScrollExtentOf(select, *box).Clamped(document_.ViewFocus().scroll.FirstShown(select));
  std::size_t row = first + static_cast<std::size_t>((point.y - box->y - kListFrame) / kListRowHeight);
  if (row >= options.size() || !IsChoosable(*options[row])) return;
  CFormState& state = document_.FormState();
  if (select.HasAttribute(u"multiple") && Has(modifiers, Modifiers::Control))
    state.SetSelected(*options[row], !state.Selected(*options[row]));
  else
    SelectOnly(state, select, *options[row]);
  KeepRowInSight(select, static_cast<long>(row));  // a row shown in part scrolls into sight
  Changed();
}

bool CLiveForm::StepRadio(Element& radio, UINT key) {
  // Arrows go round the group, checking the radio they reach, as in a dialog's radio group.
  std::vector<Element*> group = RadioGroup(radio);
  auto at = std::find(group.begin(), group.end(), &radio);
  if (at == group.end()) return false;
  std::size_t count = group.size(), index = static_cast<std::size_t>(at - group.begin());
  std::size_t step = key == VK_UP || key == VK_LEFT ? count - 1 : 1;
  for (std::size_t tried = 1; tried < count; ++tried) {
    index = (index + step) % count;
    if (!IsFocusable(*group[index], document_.Layout())) continue;
    Focus(group[index], FocusOrigin::Keyboard);
    Activate(*group[index]);
    return true;
  }
  return true;
}

bool CLiveForm::ChoiceKeyDown(Element& control, UINT key, Modifiers) {
  ControlKind kind = ControlKindOf(control);
  if (kind == ControlKind::Radio && (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT))
    return StepRadio(control, key);
  if (IsPressable(kind)) {
    if (key != VK_SPACE) return false;
    SetPressed(true);  // the key's release activates it, as a button does
    return true;
  }
  if (kind != ControlKind::ListBox && kind != ControlKind::DropDown) return false;
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
      return StepSelection(control, key);
    case VK_F4:
      if (kind != ControlKind::DropDown) return false;
      if (const vellum::engine::layout::Rect* box = BoxOf(control)) OpenDropDown(document_, control, *box);
      return true;
    default:
      return false;
  }
}

bool CLiveForm::OnKeyUp(UINT key) {
  Element* control = FocusedControl();
  if (!control || key != VK_SPACE || !IsPressable(ControlKindOf(*control))) return false;
  bool wasPressed = document_.ViewFocus().pressed;
  SetPressed(false);
  if (wasPressed) Activate(*control);
  return true;
}

bool CLiveForm::OnKeyDown(UINT key, Modifiers modifiers) {
  Element* control = FocusedControl();
  if (!control) return false;
  return IsTextEntry(ControlKindOf(*control)) ? TextKeyDown(*control, key, modifiers)
                                              : ChoiceKeyDown(*control, key, modifiers);
}

}  // namespace vellum::engine::com

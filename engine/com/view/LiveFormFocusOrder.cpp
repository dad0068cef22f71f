#include "engine/com/view/LiveFormFocusOrder.h"

#include <vector>

#include "engine/com/FormState.h"
#include "engine/com/view/LiveFormControls.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::Node;

namespace {

bool HasNegativeTabIndex(const Element& element) {
  std::u16string_view text = AttributeText(element, u"tabindex");
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  return text.size() >= 2 && text[0] == u'-' && text[1] >= u'0' && text[1] <= u'9';
}

// The next node in document order, optionally stepping over the node's children: the contents of a
// control (options, a button's label) are part of it, never stops of their own.
enum class Descend { Into, Over };
Node* NextInDocument(Node* node, Descend descend) {
  if (descend == Descend::Into && node->FirstChild()) return node->FirstChild();
  for (; node; node = node->Parent())
    if (node->NextSibling()) return node->NextSibling();
  return nullptr;
}

// A radio whose group has a checked member is reached by Tab only when it is that member.
bool IsPassedOverRadio(Element& radio, const CFormState& state) {
  if (ControlKindOf(radio) != ControlKind::Radio || state.Checked(radio)) return false;
  for (Element* member : RadioGroup(radio))
    if (state.Checked(*member)) return true;
  return false;
}

// The page's tab stops in document order.
std::vector<Element*> TabStops(vellum::engine::Document& document, const vellum::engine::layout::LayoutTree& layout,
                               const CFormState& state) {
  std::vector<Element*> stops;
  for (Node* node = document.FirstChild(); node;) {
    Element* element = vellum::engine::AsElement(node);
    bool control = element && ControlKindOf(*element) != ControlKind::None;
    if (control && IsFocusable(*element, layout) && !HasNegativeTabIndex(*element) &&
        !IsPassedOverRadio(*element, state))
      stops.push_back(element);
    node = NextInDocument(node, control ? Descend::Over : Descend::Into);
  }
  return stops;
}

}  // namespace

bool IsFocusable(const Element& element, const vellum::engine::layout::LayoutTree& layout) {
  if (ControlKindOf(element) == ControlKind::None || IsDisabled(element) || !element.IsConnected()) return false;
  const vellum::engine::layout::Box* box = layout.BoxOf(element);
  return box && box->border.width > 0 && box->border.height > 0;
}

Element* NextInTabOrder(vellum::engine::Document& document, const vellum::engine::layout::LayoutTree& layout,
                        const CFormState& state, const Element* current, TabDirection direction) {
  std::vector<Element*> stops = TabStops(document, layout, state);
  if (stops.empty()) return nullptr;
  // Where the current control would stand among the stops, even when it is not one itself (a
  // control clicked while it has a negative tabindex, a radio just unchecked by the object model).
  std::size_t before = stops.size();  // index of the first stop after `current` in document order
  bool currentIsStop = false;
  if (current) {
    for (std::size_t i = 0; i < stops.size(); ++i) {
      if (stops[i] == current) {
        before = i + 1;
        currentIsStop = true;
        break;
      }
    }
    if (!currentIsStop) {
      // Document order by position in the `all` list.
      int position = current->SourceIndex();
      before = 0;
      while (before < stops.size() && stops[before]->SourceIndex() < position) ++before;
    }
  }
  if (direction == TabDirection::Forward) {
    if (!current) return stops.front();
    return before < stops.size() ? stops[before] : nullptr;
  }
  if (!current) return stops.back();
  std::size_t previousEnd = currentIsStop ? before - 1 : before;  // stops [0, previousEnd) come before
  return previousEnd > 0 ? stops[previousEnd - 1] : nullptr;
}

}  // namespace vellum::engine::com

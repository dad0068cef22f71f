#include "engine/com/FormState.h"

#include "dom/character_data.h"
#include "dom/document.h"
#include "markup/inner_text.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::Node;
using vellum::engine::TagId;

namespace {

// The node after `node` in tree order, staying below `root`.
Node* NextBelow(const Node* node, const Node* root) {
  if (node->FirstChild()) return node->FirstChild();
  for (; node && node != root; node = node->Parent())
    if (node->NextSibling()) return node->NextSibling();
  return nullptr;
}

bool IsRadio(const Element& input) {
  return input.Is(TagId::Input) && vellum::engine::EqualsIgnoringAsciiCase(AttributeText(input, u"type"), u"radio");
}

// The form that holds the control, or the top of its tree: the scope of a radio group.
const Node& GroupScope(const Element& input) {
  const Node* scope = &input;
  while (scope->Parent()) {
    scope = scope->Parent();
    if (const Element* e = vellum::engine::AsElement(scope); e && e->Is(TagId::Form)) break;
  }
  return *scope;
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

}  // namespace

std::u16string_view AttributeText(const Element& element, std::u16string_view name) {
  const vellum::engine::Attribute* attribute = element.FindAttribute(name);
  return attribute ? std::u16string_view(attribute->value) : std::u16string_view();
}

std::u16string TextContent(const Node& node) {
  std::u16string text;
  for (const Node* n = node.FirstChild(); n; n = NextBelow(n, &node))
    if (const vellum::engine::Text* t = vellum::engine::AsText(n)) text += t->Data();
  return text;
}

void ReplaceChildrenWithText(Element& element, std::u16string_view text) {
  element.RemoveAllChildren();
  if (!text.empty()) element.AppendChild(element.GetDocument().CreateText(text));
}

std::u16string OptionText(const Element& option) {
  std::u16string text;
  bool pendingSpace = false;
  for (char16_t c : TextContent(option)) {
    if (IsSpace(c)) {
      pendingSpace = !text.empty();
      continue;
    }
    if (pendingSpace) text += u' ';
    pendingSpace = false;
    text += c;
  }
  return text;
}

std::u16string OptionValue(const Element& option) {
  if (const vellum::engine::Attribute* value = option.FindAttribute(u"value")) return value->value;
  return OptionText(option);
}

Element* SelectOf(const Element& option) {
  Element* parent = option.ParentElement();
  if (parent && parent->Is(TagId::Optgroup)) parent = parent->ParentElement();
  return parent && parent->Is(TagId::Select) ? parent : nullptr;
}

bool IsDropDown(const Element& select) {
  if (select.HasAttribute(u"multiple")) return false;
  std::u16string_view size = AttributeText(select, u"size");
  long lines = 0;
  for (char16_t c : size) {
    if (c < u'0' || c > u'9') break;
    lines = lines * 10 + (c - u'0');
    if (lines > 1) return false;
  }
  return true;
}

const CFormState::Entry* CFormState::Find(const Element& element) const {
  auto found = entries_.find(&element);
  return found == entries_.end() ? nullptr : &found->second;
}

CFormState::Entry& CFormState::Ensure(Element& element) {
  ++version_;  // only the setters ask, each to change the entry
  Entry& entry = entries_[&element];
  if (!entry.element) entry.element = &element;
  return entry;
}

std::u16string CFormState::Value(const Element& control) const {
  if (control.Is(TagId::Textarea)) return TextContent(control);
  if (const Entry* entry = Find(control); entry && entry->value) return *entry->value;
  return std::u16string(AttributeText(control, u"value"));
}

void CFormState::SetValue(Element& control, std::u16string_view value) {
  if (control.Is(TagId::Textarea)) {
    vellum::engine::SetInnerText(control, value);
    return;
  }
  Ensure(control).value = std::u16string(value);
}

bool CFormState::Checked(const Element& input) const {
  if (const Entry* entry = Find(input); entry && entry->checked) return *entry->checked;
  return input.HasAttribute(u"checked");
}

std::vector<Element*> RadioGroup(Element& radio) {
  std::u16string_view group = AttributeText(radio, u"name");
  if (group.empty() || !IsRadio(radio)) return {&radio};
  std::vector<Element*> members;
  const Node& scope = GroupScope(radio);
  for (Node* n = scope.FirstChild(); n; n = NextBelow(n, &scope)) {
    Element* other = vellum::engine::AsElement(n);
    if (other && IsRadio(*other) && AttributeText(*other, u"name") == group) members.push_back(other);
  }
  if (members.empty()) members.push_back(&radio);  // a radio outside any tree
  return members;
}

void CFormState::SetChecked(Element& input, bool checked) {
  Ensure(input).checked = checked;
  if (!checked || !IsRadio(input)) return;
  for (Element* other : RadioGroup(input))
    if (other != &input) Ensure(*other).checked = false;
}

std::vector<Element*> CFormState::Options(const Element& select) {
  std::vector<Element*> options;
  for (Node* n = select.FirstChild(); n; n = NextBelow(n, &select))
    if (Element* e = vellum::engine::AsElement(n); e && e->Is(TagId::Option)) options.push_back(e);
  return options;
}

bool CFormState::SelectednessOf(const Element& option) const {
  if (const Entry* entry = Find(option); entry && entry->selected) return *entry->selected;
  return option.HasAttribute(u"selected");
}

long CFormState::SelectedIndex(const Element& select) const {
  std::vector<Element*> options = Options(select);
  bool multiple = select.HasAttribute(u"multiple");
  long found = -1;
  for (size_t i = 0; i < options.size(); ++i) {
    if (!SelectednessOf(*options[i])) continue;
    found = static_cast<long>(i);
    if (multiple) break;  // the first; a single-choice list shows the last one marked
  }
  if (found < 0 && !options.empty() && IsDropDown(select)) found = 0;
  return found;
}

bool CFormState::Selected(const Element& option) const {
  Element* select = SelectOf(option);
  if (!select || select->HasAttribute(u"multiple")) return SelectednessOf(option);
  long index = SelectedIndex(*select);
  std::vector<Element*> options = Options(*select);
  return index >= 0 && static_cast<size_t>(index) < options.size() && options[index] == &option;
}

void CFormState::SetSelected(Element& option, bool selected) {
  Element* select = SelectOf(option);
  if (selected && select && !select->HasAttribute(u"multiple")) {
    for (Element* other : Options(*select)) Ensure(*other).selected = false;
  }
  Ensure(option).selected = selected;
}

}  // namespace vellum::engine::com

#include "engine/com/view/LiveFormControls.h"

#include "engine/com/FormState.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::TagId;

namespace {

ControlKind InputKind(const Element& input) {
  std::u16string type = vellum::engine::ToAsciiLower(AttributeText(input, u"type"));
  if (type == u"hidden") return ControlKind::None;
  if (type == u"password") return ControlKind::Password;
  if (type == u"checkbox") return ControlKind::CheckBox;
  if (type == u"radio") return ControlKind::Radio;
  if (type == u"file") return ControlKind::FileInput;
  if (type == u"submit" || type == u"reset" || type == u"button" || type == u"image") return ControlKind::PushButton;
  return ControlKind::TextBox;  // "text" and every type the engine does not know
}

bool IsInFirstLegendOf(const Element& control, const Element& fieldset) {
  for (vellum::engine::Node* child = fieldset.FirstChild(); child; child = child->NextSibling()) {
    const Element* legend = vellum::engine::AsElement(child);
    if (legend && legend->Is(TagId::Legend)) return legend->IsInclusiveAncestorOf(&control);
  }
  return false;
}

}  // namespace

ControlKind ControlKindOf(const Element& element) {
  if (!element.IsHtml()) return ControlKind::None;
  switch (element.GetTagId()) {
    case TagId::Input:
      return InputKind(element);
    case TagId::Textarea:
      return ControlKind::TextArea;
    case TagId::Button:
      return ControlKind::PushButton;
    case TagId::Select:
      return IsDropDown(element) ? ControlKind::DropDown : ControlKind::ListBox;
    default:
      return ControlKind::None;
  }
}

bool IsDisabled(const Element& control) {
  if (control.HasAttribute(u"disabled")) return true;
  for (const Element* e = control.ParentElement(); e; e = e->ParentElement())
    if (e->Is(TagId::Fieldset) && e->HasAttribute(u"disabled") && !IsInFirstLegendOf(control, *e)) return true;
  return false;
}

bool IsReadOnly(const Element& control) { return control.HasAttribute(u"readonly"); }

std::optional<std::size_t> MaxLengthOf(const Element& control) {
  const vellum::engine::Attribute* attribute = control.FindAttribute(u"maxlength");
  if (!attribute) return std::nullopt;
  std::u16string_view text = attribute->value;
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  std::size_t value = 0, digits = 0;
  constexpr std::size_t kLimit = 1u << 30;  // beyond any text a form holds
  for (; digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9'; ++digits)
    value = value < kLimit ? value * 10 + (text[digits] - u'0') : kLimit;
  if (digits == 0) return std::nullopt;
  return value;
}

}  // namespace vellum::engine::com

// The element object as a form control: input, textarea, select and option. Their current state
// lives in the document's form-state store; their markup is touched only by the attribute-backed
// properties (name, disabled, defaultValue ...).
#include "dom/document.h"
#include "engine/com/Collections.h"
#include "engine/com/ComValues.h"
#include "engine/com/ElementObject.h"
#include "engine/com/FormState.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/WrapperCache.h"

namespace engine {

using vellum::engine::Element;
using vellum::engine::Node;
using vellum::engine::RefPtr;
using vellum::engine::TagId;

namespace {

// The type an input reports: its type attribute in lower case when it names a known type, else "text".
std::u16string InputType(const Element& input) {
  static const char16_t* const kKnownTypes[] = {u"text",  u"password", u"checkbox", u"radio",  u"submit",
                                                u"reset", u"file",     u"hidden",   u"image",  u"button"};
  std::u16string type = vellum::engine::toAsciiLower(AttributeText(input, u"type"));
  for (const char16_t* known : kKnownTypes)
    if (type == known) return type;
  return u"text";
}

// The option at `index` of the select, or null.
Element* OptionAt(const Element& select, LONG index) {
  std::vector<Element*> options = CFormState::Options(select);
  return index >= 0 && static_cast<size_t>(index) < options.size() ? options[static_cast<size_t>(index)] : nullptr;
}

}  // namespace

// --- shared by several control interfaces ------------------------------------------------------------

HRESULT CElement::get_type(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  Element* e = element();
  return Guarded([&] {
    switch (kind_) {
      case ElementObjectKind::Input: return ReturnString(InputType(*e), p);
      case ElementObjectKind::TextArea: return ReturnString(u"textarea", p);
      case ElementObjectKind::Select:
        return ReturnString(e->hasAttribute(u"multiple") ? u"select-multiple" : u"select-one", p);
      case ElementObjectKind::Style:
      case ElementObjectKind::Script: return GetAttributeText(u"type", p);
      default: return NotForThisTag("get_type");
    }
  });
}

HRESULT CElement::put_type(BSTR v) {
  switch (kind_) {
    case ElementObjectKind::Input:
    case ElementObjectKind::Style:
    case ElementObjectKind::Script: return SetAttributeText(u"type", v);
    default: return NotForThisTag("put_type");
  }
}

HRESULT CElement::get_value(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  Element* e = element();
  CFormState& state = document().FormState();
  return Guarded([&] {
    switch (kind_) {
      case ElementObjectKind::Input:
      case ElementObjectKind::TextArea: return ReturnString(state.Value(*e), p);
      case ElementObjectKind::Option: return ReturnString(OptionValue(*e), p);
      case ElementObjectKind::Select: {
        Element* selected = OptionAt(*e, state.SelectedIndex(*e));
        return ReturnString(selected ? OptionValue(*selected) : std::u16string(), p);
      }
      default: return NotForThisTag("get_value");
    }
  });
}

HRESULT CElement::put_value(BSTR v) {
  Element* e = element();
  CFormState& state = document().FormState();
  return Guarded([&] {
    switch (kind_) {
      case ElementObjectKind::Input:
      case ElementObjectKind::TextArea:
        state.SetValue(*e, TextOf(v));
        document().RepaintView();
        return S_OK;
      case ElementObjectKind::Option: return SetAttributeText(u"value", v);
      case ElementObjectKind::Select: {
        // The first option with that value is chosen; no such option leaves nothing chosen.
        bool found = false;
        for (Element* option : CFormState::Options(*e)) {
          bool match = !found && OptionValue(*option) == TextOf(v);
          state.SetSelected(*option, match);
          found = found || match;
        }
        document().RepaintView();
        return S_OK;
      }
      default: return NotForThisTag("put_value");
    }
  });
}

HRESULT CElement::get_name(BSTR* p) {
  switch (kind_) {
    case ElementObjectKind::Input:
    case ElementObjectKind::TextArea:
    case ElementObjectKind::Select:
    case ElementObjectKind::Meta:
    case ElementObjectKind::Img: return GetAttributeText(u"name", p);
    default:
      if (p) *p = nullptr;
      return NotForThisTag("get_name");
  }
}

HRESULT CElement::put_name(BSTR v) {
  switch (kind_) {
    case ElementObjectKind::Input:
    case ElementObjectKind::TextArea:
    case ElementObjectKind::Select:
    case ElementObjectKind::Meta:
    case ElementObjectKind::Img: return SetAttributeText(u"name", v);
    default: return NotForThisTag("put_name");
  }
}

// Every element can be disabled through its attribute.
HRESULT CElement::get_disabled(VARIANT_BOOL* p) { return GetAttributeFlag(u"disabled", p); }
HRESULT CElement::put_disabled(VARIANT_BOOL v) { return SetAttributeFlag(u"disabled", v); }

HRESULT CElement::get_readOnly(VARIANT_BOOL* p) {
  if (kind_ != ElementObjectKind::Input && kind_ != ElementObjectKind::TextArea) {
    if (p) *p = VARIANT_FALSE;
    return NotForThisTag("get_readOnly");
  }
  return GetAttributeFlag(u"readonly", p);
}

HRESULT CElement::put_readOnly(VARIANT_BOOL v) {
  if (kind_ != ElementObjectKind::Input && kind_ != ElementObjectKind::TextArea) return NotForThisTag("put_readOnly");
  return SetAttributeFlag(u"readonly", v);
}

// The markup's value: an input's value attribute, a textarea's text.
HRESULT CElement::get_defaultValue(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  Element* e = element();
  return Guarded([&] {
    switch (kind_) {
      case ElementObjectKind::Input: return GetAttributeText(u"value", p);
      case ElementObjectKind::TextArea: return ReturnString(TextContent(*e), p);
      default: return NotForThisTag("get_defaultValue");
    }
  });
}

HRESULT CElement::put_defaultValue(BSTR v) {
  Element* e = element();
  return Guarded([&] {
    switch (kind_) {
      case ElementObjectKind::Input: return SetAttributeText(u"value", v);
      case ElementObjectKind::TextArea:
        ReplaceChildrenWithText(*e, TextOf(v));
        return S_OK;
      default: return NotForThisTag("put_defaultValue");
    }
  });
}

HRESULT CElement::get_size(LONG* p) {
  switch (kind_) {
    case ElementObjectKind::Input: return GetAttributeNumber(u"size", 20, p);
    case ElementObjectKind::Select: return GetAttributeNumber(u"size", 0, p);
    default:
      if (p) *p = 0;
      return NotForThisTag("get_size");
  }
}

HRESULT CElement::put_size(LONG v) {
  if (kind_ != ElementObjectKind::Input && kind_ != ElementObjectKind::Select) return NotForThisTag("put_size");
  return SetAttributeNumber(u"size", v);
}

// --- input -------------------------------------------------------------------------------------------

HRESULT CElement::get_checked(VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  *p = VARIANT_FALSE;
  if (kind_ != ElementObjectKind::Input) return NotForThisTag("get_checked");
  *p = ToVariantBool(document().FormState().Checked(*element()));
  return S_OK;
}

HRESULT CElement::put_checked(VARIANT_BOOL v) {
  if (kind_ != ElementObjectKind::Input) return NotForThisTag("put_checked");
  return Guarded([&] {
    document().FormState().SetChecked(*element(), v != VARIANT_FALSE);
    document().RepaintView();
    return S_OK;
  });
}

HRESULT CElement::get_defaultChecked(VARIANT_BOOL* p) { return GetAttributeFlag(u"checked", p); }
HRESULT CElement::put_defaultChecked(VARIANT_BOOL v) { return SetAttributeFlag(u"checked", v); }
HRESULT CElement::get_maxLength(LONG* p) { return GetAttributeNumber(u"maxlength", 0x7fffffff, p); }
HRESULT CElement::put_maxLength(LONG v) { return SetAttributeNumber(u"maxlength", v); }

// --- textarea ----------------------------------------------------------------------------------------

HRESULT CElement::get_rows(LONG* p) { return GetAttributeNumber(u"rows", 2, p); }
HRESULT CElement::put_rows(LONG v) { return SetAttributeNumber(u"rows", v); }
HRESULT CElement::get_cols(LONG* p) { return GetAttributeNumber(u"cols", 20, p); }
HRESULT CElement::put_cols(LONG v) { return SetAttributeNumber(u"cols", v); }

// --- select ------------------------------------------------------------------------------------------

HRESULT CElement::get_multiple(VARIANT_BOOL* p) { return GetAttributeFlag(u"multiple", p); }
HRESULT CElement::put_multiple(VARIANT_BOOL v) { return SetAttributeFlag(u"multiple", v); }

HRESULT CElement::get_length(LONG* p) {
  if (!p) return E_POINTER;
  *p = 0;
  return Guarded([&] {
    *p = static_cast<LONG>(CFormState::Options(*element()).size());
    return S_OK;
  });
}

HRESULT CElement::get_options(IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    NodeList options;
    for (Element* option : CFormState::Options(*element())) options.emplace_back(option);
    return CElementCollection::CreateList(document(), std::move(options), IID_IDispatch, reinterpret_cast<void**>(p));
  });
}

HRESULT CElement::get_selectedIndex(LONG* p) {
  if (!p) return E_POINTER;
  *p = -1;
  return Guarded([&] {
    *p = document().FormState().SelectedIndex(*element());
    return S_OK;
  });
}

// An index outside the options leaves nothing chosen.
HRESULT CElement::put_selectedIndex(LONG v) {
  return Guarded([&] {
    CFormState& state = document().FormState();
    std::vector<Element*> options = CFormState::Options(*element());
    for (size_t i = 0; i < options.size(); ++i) state.SetSelected(*options[i], static_cast<LONG>(i) == v);
    document().RepaintView();
    return S_OK;
  });
}

// before: the index of the option to insert in front of; -1, an index past the end or nothing: at the end.
HRESULT CElement::add(IHTMLElement* option, VARIANT before) {
  return Guarded([&]() -> HRESULT {
    RefPtr<Node> added = NodeOf(option);
    Element* addedElement = vellum::engine::asElement(added.get());
    if (!addedElement || !(addedElement->is(TagId::Option) || addedElement->is(TagId::Optgroup))) return E_INVALIDARG;
    Element* reference = nullptr;
    if (IsNumber(before)) {
      LONG index = -1;
      HRESULT hr = LongOfVariant(before, index);
      if (FAILED(hr)) return hr;
      reference = OptionAt(*element(), index);
    } else if (!IsMissing(before)) {
      reference = vellum::engine::asElement(NodeOf(UnknownOfVariant(before)).get());
      if (!reference) return E_INVALIDARG;
    }
    if (reference == addedElement) return S_OK;
    Node* parent = reference ? reference->parent() : element();
    return parent->insertBefore(added, reference) == vellum::engine::MutationResult::Ok ? S_OK : E_INVALIDARG;
  });
}

// An index outside the options removes nothing.
HRESULT CElement::remove(LONG index) {
  return Guarded([&] {
    if (Element* option = OptionAt(*element(), index)) option->remove();
    return S_OK;
  });
}

// name: the index as a number, or an option's id or name; index: the index-th of several such options.
HRESULT CElement::item(VARIANT name, VARIANT index, IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&]() -> HRESULT {
    std::vector<Element*> options = CFormState::Options(*element());
    if (IsNumber(name)) {
      LONG position = -1;
      HRESULT hr = LongOfVariant(name, position);
      if (FAILED(hr)) return hr;
      return WrapNodeAs(document(), OptionAt(*element(), position), p);
    }
    if (V_VT(&name) != VT_BSTR) return E_INVALIDARG;
    LONG wanted = 0;
    if (IsNumber(index) && FAILED(LongOfVariant(index, wanted))) return E_INVALIDARG;
    for (Element* option : options) {
      std::u16string_view key = TextOf(V_BSTR(&name));
      if ((AttributeText(*option, u"id") == key || AttributeText(*option, u"name") == key) && wanted-- == 0)
        return WrapNodeAs(document(), option, p);
    }
    return S_OK;
  });
}

// --- option ------------------------------------------------------------------------------------------

HRESULT CElement::get_selected(VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  *p = VARIANT_FALSE;
  return Guarded([&] {
    *p = ToVariantBool(document().FormState().Selected(*element()));
    return S_OK;
  });
}

HRESULT CElement::put_selected(VARIANT_BOOL v) {
  return Guarded([&] {
    document().FormState().SetSelected(*element(), v != VARIANT_FALSE);
    document().RepaintView();
    return S_OK;
  });
}

HRESULT CElement::get_defaultSelected(VARIANT_BOOL* p) { return GetAttributeFlag(u"selected", p); }
HRESULT CElement::put_defaultSelected(VARIANT_BOOL v) { return SetAttributeFlag(u"selected", v); }

HRESULT CElement::get_index(LONG* p) {
  if (!p) return E_POINTER;
  *p = 0;
  return Guarded([&] {
    if (Element* select = SelectOf(*element())) {
      std::vector<Element*> options = CFormState::Options(*select);
      for (size_t i = 0; i < options.size(); ++i)
        if (options[i] == element()) *p = static_cast<LONG>(i);
    }
    return S_OK;
  });
}

}  // namespace engine

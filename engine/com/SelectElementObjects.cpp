// The objects of a select and its options: which options are chosen lives in the form-state store,
// the options themselves are the select's markup.
#include "engine/com/Collections.h"
#include "engine/com/ComValues.h"
#include "engine/com/ElementPropertyAccess.h"
#include "engine/com/FormElementObjects.h"
#include "engine/com/FormState.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/WrapperCache.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::Node;
using vellum::engine::RefPtr;
using vellum::engine::TagId;

namespace {

// The option at `index` of the select, or null.
Element* OptionAt(const Element& select, LONG index) {
  std::vector<Element*> options = CFormState::Options(select);
  return index >= 0 && static_cast<size_t>(index) < options.size() ? options[static_cast<size_t>(index)] : nullptr;
}

// A select's type follows its multiple attribute; writing it answers as an unsupported call does.
HRESULT PutType(CSelectElement&, const VARIANT&) { return NotImplTrace("IHTMLSelectElement", "put_type"); }

using S = CSelectElement;
using O = COptionElement;

const NamedProperty<CSelectElement> kSelectProperties[] = {
    {L"name", kNameProperty, GetText<S, &S::get_name>, PutText<S, &S::put_name>},
    {L"value", kValueProperty, GetText<S, &S::get_value>, PutText<S, &S::put_value>},
    {L"type", kTypeProperty, GetText<S, &S::get_type>, PutType},
};

const NamedProperty<COptionElement> kOptionProperties[] = {
    {L"value", kValueProperty, GetText<O, &O::get_value>, PutText<O, &O::put_value>},
    {L"text", kTextProperty, GetText<O, &O::get_text>, PutText<O, &O::put_text>},
};

}  // namespace

// --- select ------------------------------------------------------------------------------------------

const NamedPropertyTable<CSelectElement>& CSelectElement::Properties() {
  static const NamedPropertyTable<CSelectElement> kTable(kSelectProperties, CElement::ElementProperties());
  return kTable;
}

HRESULT CSelectElement::get_type(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded(
      [&] { return ReturnString(GetElement()->HasAttribute(u"multiple") ? u"select-multiple" : u"select-one", p); });
}

HRESULT CSelectElement::get_value(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    Element* selected = OptionAt(*GetElement(), GetDocument().FormState().SelectedIndex(*GetElement()));
    return ReturnString(selected ? OptionValue(*selected) : std::u16string(), p);
  });
}

// The first option with that value is chosen; no such option leaves nothing chosen.
HRESULT CSelectElement::put_value(BSTR v) {
  return Guarded([&] {
    CFormState& state = GetDocument().FormState();
    bool found = false;
    for (Element* option : CFormState::Options(*GetElement())) {
      bool match = !found && OptionValue(*option) == TextOf(v);
      state.SetSelected(*option, match);
      found = found || match;
    }
    GetDocument().RepaintView();
    return S_OK;
  });
}

HRESULT CSelectElement::get_name(BSTR* p) { return GetAttributeText(u"name", p); }
HRESULT CSelectElement::put_name(BSTR v) { return SetAttributeText(u"name", v); }
HRESULT CSelectElement::get_size(LONG* p) { return GetAttributeNumber(u"size", 0, p); }
HRESULT CSelectElement::put_size(LONG v) { return SetAttributeNumber(u"size", v); }
HRESULT CSelectElement::get_multiple(VARIANT_BOOL* p) { return GetAttributeFlag(u"multiple", p); }
HRESULT CSelectElement::put_multiple(VARIANT_BOOL v) { return SetAttributeFlag(u"multiple", v); }

HRESULT CSelectElement::get_length(LONG* p) {
  if (!p) return E_POINTER;
  *p = 0;
  return Guarded([&] {
    *p = static_cast<LONG>(CFormState::Options(*GetElement()).size());
    return S_OK;
  });
}

HRESULT CSelectElement::get_options(IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    NodeList options;
    for (Element* option : CFormState::Options(*GetElement())) options.emplace_back(option);
    return CElementCollection::CreateList(GetDocument(), std::move(options), IID_IDispatch,
                                          reinterpret_cast<void**>(p));
  });
}

HRESULT CSelectElement::get_selectedIndex(LONG* p) {
  if (!p) return E_POINTER;
  *p = -1;
  return Guarded([&] {
    *p = GetDocument().FormState().SelectedIndex(*GetElement());
    return S_OK;
  });
}

// An index outside the options leaves nothing chosen.
HRESULT CSelectElement::put_selectedIndex(LONG v) {
  return Guarded([&] {
    CFormState& state = GetDocument().FormState();
    std::vector<Element*> options = CFormState::Options(*GetElement());
    for (size_t i = 0; i < options.size(); ++i) state.SetSelected(*options[i], static_cast<LONG>(i) == v);
    GetDocument().RepaintView();
    return S_OK;
  });
}

// before: the index of the option to insert in front of; -1, an index past the end or nothing: at the end.
HRESULT CSelectElement::add(IHTMLElement* option, VARIANT before) {
  return Guarded([&]() -> HRESULT {
    RefPtr<Node> added = NodeOf(option);
    Element* addedElement = vellum::engine::AsElement(added.get());
    if (!addedElement || !(addedElement->Is(TagId::Option) || addedElement->Is(TagId::Optgroup))) return E_INVALIDARG;
    Element* reference = nullptr;
    if (IsNumber(before)) {
      LONG index = -1;
      HRESULT hr = LongOfVariant(before, index);
      if (FAILED(hr)) return hr;
      reference = OptionAt(*GetElement(), index);
    } else if (!IsMissing(before)) {
      reference = vellum::engine::AsElement(NodeOf(UnknownOfVariant(before)).get());
      if (!reference) return E_INVALIDARG;
    }
    if (reference == addedElement) return S_OK;
    Node* parent = reference ? reference->Parent() : GetElement();
    return parent->InsertBefore(added, reference) == vellum::engine::MutationResult::Ok ? S_OK : E_INVALIDARG;
  });
}

// An index outside the options removes nothing.
HRESULT CSelectElement::remove(LONG index) {
  return Guarded([&] {
    if (Element* option = OptionAt(*GetElement(), index)) option->Remove();
    return S_OK;
  });
}

// name: the index as a number, or an option's id or name; index: the index-th of several such options.
HRESULT CSelectElement::item(VARIANT name, VARIANT index, IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&]() -> HRESULT {
    std::vector<Element*> options = CFormState::Options(*GetElement());
    if (IsNumber(name)) {
      LONG position = -1;
      HRESULT hr = LongOfVariant(name, position);
      if (FAILED(hr)) return hr;
      return WrapNodeAs(GetDocument(), OptionAt(*GetElement(), position), p);
    }
    if (V_VT(&name) != VT_BSTR) return E_INVALIDARG;
    LONG wanted = 0;
    if (IsNumber(index) && FAILED(LongOfVariant(index, wanted))) return E_INVALIDARG;
    for (Element* option : options) {
      std::u16string_view key = TextOf(V_BSTR(&name));
      if ((AttributeText(*option, u"id") == key || AttributeText(*option, u"name") == key) && wanted-- == 0)
        return WrapNodeAs(GetDocument(), option, p);
    }
    return S_OK;
  });
}

// --- option ------------------------------------------------------------------------------------------

const NamedPropertyTable<COptionElement>& COptionElement::Properties() {
  static const NamedPropertyTable<COptionElement> kTable(kOptionProperties, CElement::ElementProperties());
  return kTable;
}

HRESULT COptionElement::get_value(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(OptionValue(*GetElement()), p); });
}

HRESULT COptionElement::put_value(BSTR v) { return SetAttributeText(u"value", v); }

HRESULT COptionElement::get_text(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(OptionText(*GetElement()), p); });
}

HRESULT COptionElement::put_text(BSTR v) {
  return Guarded([&] {
    ReplaceChildrenWithText(*GetElement(), TextOf(v));
    return S_OK;
  });
}

HRESULT COptionElement::get_selected(VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  *p = VARIANT_FALSE;
  return Guarded([&] {
    *p = ToVariantBool(GetDocument().FormState().Selected(*GetElement()));
    return S_OK;
  });
}

HRESULT COptionElement::put_selected(VARIANT_BOOL v) {
  return Guarded([&] {
    GetDocument().FormState().SetSelected(*GetElement(), v != VARIANT_FALSE);
    GetDocument().RepaintView();
    return S_OK;
  });
}

HRESULT COptionElement::get_defaultSelected(VARIANT_BOOL* p) { return GetAttributeFlag(u"selected", p); }
HRESULT COptionElement::put_defaultSelected(VARIANT_BOOL v) { return SetAttributeFlag(u"selected", v); }

HRESULT COptionElement::get_index(LONG* p) {
  if (!p) return E_POINTER;
  *p = 0;
  return Guarded([&] {
    if (Element* select = SelectOf(*GetElement())) {
      std::vector<Element*> options = CFormState::Options(*select);
      for (size_t i = 0; i < options.size(); ++i)
        if (options[i] == GetElement()) *p = static_cast<LONG>(i);
    }
    return S_OK;
  });
}

}  // namespace vellum::engine::com

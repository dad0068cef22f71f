// The textarea element's object: its value from the form-state store, its markup's value as its text.
#include "engine/com/ComValues.h"
#include "engine/com/ElementPropertyAccess.h"
#include "engine/com/FormElementObjects.h"
#include "engine/com/FormState.h"
#include "engine/com/HtmlDocument.h"

namespace vellum::engine::com {

namespace {

// A textarea's type is fixed; writing it answers as an unsupported call does, as it does for a select.
HRESULT PutType(CTextAreaElement&, const VARIANT&) { return NotImplTrace("IHTMLTextAreaElement", "put_type"); }

using T = CTextAreaElement;

const NamedProperty<CTextAreaElement> kTextAreaProperties[] = {
    {L"name", kNameProperty, GetText<T, &T::get_name>, PutText<T, &T::put_name>},
    {L"value", kValueProperty, GetText<T, &T::get_value>, PutText<T, &T::put_value>},
    {L"type", kTypeProperty, GetText<T, &T::get_type>, PutType},
    {L"readOnly", kReadOnlyProperty, GetFlag<T, &T::get_readOnly>, PutFlag<T, &T::put_readOnly>},
};

}  // namespace

const NamedPropertyTable<CTextAreaElement>& CTextAreaElement::Properties() {
  static const NamedPropertyTable<CTextAreaElement> kTable(kTextAreaProperties, CElement::ElementProperties());
  return kTable;
}

HRESULT CTextAreaElement::get_type(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return ReturnString(u"textarea", p);
}

HRESULT CTextAreaElement::get_value(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(GetDocument().FormState().Value(*GetElement()), p); });
}

HRESULT CTextAreaElement::put_value(BSTR v) {
  return Guarded([&] {
    GetDocument().FormState().SetValue(*GetElement(), TextOf(v));
    GetDocument().RepaintView();
    return S_OK;
  });
}

HRESULT CTextAreaElement::get_name(BSTR* p) { return GetAttributeText(u"name", p); }
HRESULT CTextAreaElement::put_name(BSTR v) { return SetAttributeText(u"name", v); }
HRESULT CTextAreaElement::get_readOnly(VARIANT_BOOL* p) { return GetAttributeFlag(u"readonly", p); }
HRESULT CTextAreaElement::put_readOnly(VARIANT_BOOL v) { return SetAttributeFlag(u"readonly", v); }

// The markup's value, where the current one starts from.
HRESULT CTextAreaElement::get_defaultValue(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(TextContent(*GetElement()), p); });
}

HRESULT CTextAreaElement::put_defaultValue(BSTR v) {
  return Guarded([&] {
    ReplaceChildrenWithText(*GetElement(), TextOf(v));
    return S_OK;
  });
}

HRESULT CTextAreaElement::get_rows(LONG* p) { return GetAttributeNumber(u"rows", 2, p); }
HRESULT CTextAreaElement::put_rows(LONG v) { return SetAttributeNumber(u"rows", v); }
HRESULT CTextAreaElement::get_cols(LONG* p) { return GetAttributeNumber(u"cols", 20, p); }
HRESULT CTextAreaElement::put_cols(LONG v) { return SetAttributeNumber(u"cols", v); }

}  // namespace vellum::engine::com

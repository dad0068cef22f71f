#include "engine/com/style/StyleSheetObject.h"

namespace vellum::engine::com::style {

namespace {
constexpr DISPID kCssTextDispid = 1;
}  // namespace

const StyleMember<CStyleSheetObject> CStyleSheetObject::kMembers[] = {
    {L"cssText", kCssTextDispid, &CStyleSheetObject::GetCssTextMember, &CStyleSheetObject::PutCssTextMember},
};
const StyleDispatch<CStyleSheetObject> CStyleSheetObject::kDispatch(CStyleSheetObject::kMembers);

HRESULT CStyleSheetObject::QueryInterfaceImpl(REFIID riid, void** out) {
  return QueryInterfaceOf<IHTMLStyleSheet, IDispatch>(this, riid, out);
}

HRESULT CStyleSheetObject::get_cssText(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnText(element_->Text(), p); });
}

HRESULT CStyleSheetObject::put_cssText(BSTR v) {
  return Guarded([&] {
    element_->SetText(TextOf(v));
    return S_OK;
  });
}

HRESULT CStyleSheetObject::GetCssTextMember(CStyleSheetObject& self, VARIANT* result) {
  return Guarded([&] { return ReturnTextVariant(self.element_->Text(), result); });
}

HRESULT CStyleSheetObject::PutCssTextMember(CStyleSheetObject& self, const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  HRESULT hr = VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR);
  if (FAILED(hr)) return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
  hr = self.put_cssText(V_BSTR(&text));
  VariantClear(&text);
  return hr;
}

HRESULT CStyleSheetObject::GetAttributeText(std::u16string_view name, std::u16string_view fallback, BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    const vellum::engine::Attribute* attribute = element_->FindAttribute(name);
    return ReturnText(attribute ? std::u16string_view(attribute->value) : fallback, p);
  });
}

HRESULT CStyleSheetObject::SetAttributeText(std::u16string_view name, BSTR value) {
  return Guarded([&] {
    element_->SetAttribute(name, TextOf(value));
    return S_OK;
  });
}

HRESULT CStyleSheetObject::get_type(BSTR* p) { return GetAttributeText(u"type", u"text/css", p); }
HRESULT CStyleSheetObject::put_media(BSTR v) { return SetAttributeText(u"media", v); }
HRESULT CStyleSheetObject::get_media(BSTR* p) { return GetAttributeText(u"media", u"", p); }
HRESULT CStyleSheetObject::put_title(BSTR v) { return SetAttributeText(u"title", v); }
HRESULT CStyleSheetObject::get_title(BSTR* p) { return GetAttributeText(u"title", u"", p); }
HRESULT CStyleSheetObject::get_id(BSTR* p) { return GetAttributeText(u"id", u"", p); }
HRESULT CStyleSheetObject::get_href(BSTR* p) { return ReturnText(u"", p); }

HRESULT CStyleSheetObject::get_disabled(VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  *p = VARIANT_FALSE;
  return S_OK;
}

HRESULT CStyleSheetObject::get_readOnly(VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  *p = VARIANT_FALSE;
  return S_OK;
}

HRESULT CStyleSheetObject::get_parentStyleSheet(IHTMLStyleSheet** p) {
  if (!p) return E_POINTER;
  *p = nullptr;  // a <style> element's sheet is a top-level sheet
  return S_OK;
}

}  // namespace vellum::engine::com::style

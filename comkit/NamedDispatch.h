// Properties reached by name through IDispatch: the rules every such property follows, shared by the
// table-driven dispatch of the engine's objects and by the style objects, whose names come from the CSS
// property table instead.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string_view>

namespace comkit {

// ASCII letters compare without regard to case, as script names do; anything else compares exactly.
inline bool NamesEqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}
inline std::u16string_view NameText(const wchar_t* name) {
  return name ? std::u16string_view(reinterpret_cast<const char16_t*>(name)) : std::u16string_view();
}

// These objects describe themselves by name alone: no type information.
inline HRESULT NoTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
inline HRESULT NoTypeInfo(ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

// GetIDsOfNames for one name found by `find` (a DISPID, or DISPID_UNKNOWN): properties take no named
// arguments, so more than one name is refused after the first is answered.
template <class Find>
HRESULT FindDispatchId(LPOLESTR* names, UINT count, DISPID* ids, Find&& find) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  const DISPID id = find(NameText(names[0]));
  if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
  ids[0] = id;
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

// Invoke of a found property: a put takes exactly its value, a get (or a call) nothing. A caller that
// wants no result still has the value made and cleared, so a getter never writes through null.
//   get: HRESULT(VARIANT* result)        put: HRESULT(const VARIANT& value)
// canPut false: the property is read-only.
template <class Get, class Put>
HRESULT InvokeProperty(WORD flags, DISPPARAMS* params, VARIANT* result, bool canPut, Get&& get, Put&& put) {
  const UINT arguments = params ? params->cArgs : 0;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (!canPut) return DISP_E_MEMBERNOTFOUND;
    if (arguments != 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
    return put(params->rgvarg[0]);
  }
  if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return DISP_E_MEMBERNOTFOUND;
  if (arguments != 0) return DISP_E_BADPARAMCOUNT;
  VARIANT discarded;
  VARIANT* out = result ? result : &discarded;
  VariantInit(out);
  const HRESULT hr = get(out);
  if (!result) VariantClear(&discarded);
  return hr;
}

}  // namespace comkit

#include "engine/com/style/StyleComSupport.h"

namespace engine::style {

HRESULT ReturnText(std::u16string_view text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  constexpr size_t kLongestBstr = 0x3fffffff;
  if (text.size() > kLongestBstr) return E_OUTOFMEMORY;
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnTextVariant(std::u16string_view text, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  BSTR value = nullptr;
  HRESULT hr = ReturnText(text, &value);
  if (FAILED(hr)) return hr;
  V_VT(out) = VT_BSTR;
  V_BSTR(out) = value;
  return S_OK;
}

HRESULT ReturnIntegerVariant(LONG value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  V_VT(out) = VT_I4;
  V_I4(out) = value;
  return S_OK;
}

HRESULT ReturnNullVariant(VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  V_VT(out) = VT_NULL;
  return S_OK;
}

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

}  // namespace engine::style

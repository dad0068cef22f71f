#include "engine/com/ComValues.h"

namespace vellum::engine::com {

HRESULT ReturnString(std::u16string_view text, BSTR* out) {
  if (!out) return E_POINTER;
  if (text.size() > 0x3fffffff) {
    *out = nullptr;
    return E_OUTOFMEMORY;
  }
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnAsciiUpper(std::u16string_view text, BSTR* out) {
  HRESULT hr = ReturnString(text, out);
  if (FAILED(hr)) return hr;
  for (size_t i = 0; i < text.size(); ++i)
    if ((*out)[i] >= L'a' && (*out)[i] <= L'z') (*out)[i] = static_cast<wchar_t>((*out)[i] - L'a' + L'A');
  return S_OK;
}

HRESULT ReturnStringVariant(std::u16string_view text, VARIANT* out) {
  if (!out) return E_POINTER;
  V_VT(out) = VT_EMPTY;
  BSTR value = nullptr;
  HRESULT hr = ReturnString(text, &value);
  if (FAILED(hr)) return hr;
  V_VT(out) = VT_BSTR;
  V_BSTR(out) = value;
  return S_OK;
}

HRESULT ReturnNullVariant(VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  V_VT(out) = VT_NULL;
  return S_OK;
}

HRESULT ReturnBoolVariant(bool value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  V_VT(out) = VT_BOOL;
  V_BOOL(out) = ToVariantBool(value);
  return S_OK;
}

namespace {

// Converts into `converted` (which the caller clears).
HRESULT Convert(const VARIANT& value, VARTYPE type, VARIANT& converted) {
  VariantInit(&converted);
  HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, type);
  if (hr == E_OUTOFMEMORY) return hr;
  return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

}  // namespace

HRESULT TextOfVariant(const VARIANT& value, std::u16string& text) {
  if (V_VT(&value) == VT_BSTR) {
    text.assign(TextOf(V_BSTR(&value)));
    return S_OK;
  }
  VARIANT converted;
  HRESULT hr = Convert(value, VT_BSTR, converted);
  if (FAILED(hr)) return hr;
  try {
    text.assign(TextOf(V_BSTR(&converted)));
  } catch (...) {
    VariantClear(&converted);
    throw;
  }
  VariantClear(&converted);
  return S_OK;
}

HRESULT BoolOfVariant(const VARIANT& value, bool& result) {
  VARIANT converted;
  HRESULT hr = Convert(value, VT_BOOL, converted);
  if (FAILED(hr)) return hr;
  result = V_BOOL(&converted) != VARIANT_FALSE;
  return S_OK;
}

HRESULT LongOfVariant(const VARIANT& value, LONG& result) {
  if (V_VT(&value) == VT_I4) {  // an index, as callers pass one: nothing to convert
    result = V_I4(&value);
    return S_OK;
  }
  VARIANT converted;
  HRESULT hr = Convert(value, VT_I4, converted);
  if (FAILED(hr)) return hr;
  result = V_I4(&converted);
  return S_OK;
}

bool IsMissing(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL:
      return true;
    case VT_ERROR:
      return V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
    default:
      return false;
  }
}

bool IsNumber(const VARIANT& value) {
  switch (V_VT(&value) & ~VT_BYREF) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_DECIMAL:
      return true;
    default:
      return false;
  }
}

IUnknown* UnknownOfVariant(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_UNKNOWN:
      return V_UNKNOWN(&value);
    case VT_DISPATCH:
      return V_DISPATCH(&value);
    case VT_UNKNOWN | VT_BYREF:
      return V_UNKNOWNREF(&value) ? *V_UNKNOWNREF(&value) : nullptr;
    case VT_DISPATCH | VT_BYREF:
      return V_DISPATCHREF(&value) ? *V_DISPATCHREF(&value) : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace vellum::engine::com

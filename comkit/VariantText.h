// Texts in and out of VARIANTs: what a value reads as text (the automation conversion to VT_BSTR), and a
// text made a VT_BSTR value. A string that cannot be allocated throws the out-of-memory status, as every
// engine string of the product does.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "comkit/ComText.h"

// The value as text; false when it has none (the text is then left empty).
inline bool VariantToText(const VARIANT& value, std::wstring& text) {
  text.clear();
  if (V_VT(&value) == VT_BSTR) {
    text.assign(V_BSTR(&value) ? V_BSTR(&value) : L"", static_cast<size_t>(BstrLength(V_BSTR(&value))));
    return true;
  }
  CVariant converted;
  if (FAILED(VariantChangeType(&converted.get(), const_cast<VARIANT*>(&value), 0, VT_BSTR)) ||
      converted.Type() != VT_BSTR)
    return false;
  const BSTR bstr = V_BSTR(&converted.get());
  text.assign(bstr ? bstr : L"", static_cast<size_t>(BstrLength(bstr)));
  return true;
}

// The value as text, empty when it has none.
inline std::wstring TextOfVariant(const VARIANT& value) {
  std::wstring text;
  VariantToText(value, text);
  return text;
}

// A VT_BSTR holding text, for the caller to own.
inline VARIANT TextVariant(const std::wstring& text) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!V_BSTR(&value)) throw ComOutOfMemory{};
  return value;
}

// value, cleared first, becomes a VT_BSTR holding text.
inline CVariant& AssignText(CVariant& value, const std::wstring& text) {
  VARIANT made = TextVariant(text);
  VariantClear(&value.get());
  value.get() = made;
  return value;
}

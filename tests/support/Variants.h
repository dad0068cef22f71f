// VARIANT values for tests, owned by the caller (VariantClear, or a CVariant that takes them).
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace vt {

inline VARIANT TextValue(const wchar_t* text) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocString(text);
  return value;
}

inline VARIANT NumberValue(int number) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I4;
  V_I4(&value) = number;
  return value;
}

}  // namespace vt

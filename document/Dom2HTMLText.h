// Small helpers the HTML writer's files share for engine strings and values.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cwchar>

#include "document/ComText.h"

namespace dom2html {

// Lower-cases an engine string in place, as the system does.
inline void LowerInPlace(BSTR text) {
  if (text) CharLowerBuffW(text, SysStringLen(text));
}

// A lower-cased copy of text (null stays null).
inline void LowerCopy(BSTR text, CBstr& lower) {
  if (!text) return;
  BSTR copy = SysAllocStringLen(text, SysStringLen(text));
  if (!copy) throw ComOutOfMemory{};
  *lower.out() = copy;
  LowerInPlace(copy);
}

// Exact, ordinal comparison (the system's lstrcmpW would compare by locale, and slowly).
inline bool Equals(const wchar_t* text, const wchar_t* literal) {
  return wcscmp(text ? text : L"", literal) == 0;
}

inline VARIANT IntVariant(long value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

// The value's text when it is one, or its conversion to text; false when it has none.
inline bool VariantText(VARIANT& value, CVariant& text) {
  if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)) || text.vt() != VT_BSTR) return false;
  return true;
}

}  // namespace dom2html

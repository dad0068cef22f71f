#include "engine/com/style/StyleComSupport.h"

namespace engine::style {

HRESULT ReturnIntegerVariant(LONG value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  V_VT(out) = VT_I4;
  V_I4(out) = value;
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

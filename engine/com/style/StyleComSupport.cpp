#include "engine/com/style/StyleComSupport.h"

namespace vellum::engine::com::style {

HRESULT ReturnIntegerVariant(LONG value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  V_VT(out) = VT_I4;
  V_I4(out) = value;
  return S_OK;
}

}  // namespace vellum::engine::com::style

#include "engine/com/style/CurrentStyle.h"

#include "css/element_style.h"
#include "engine/com/style/StyleValues.h"

namespace vellum::engine::com::style {

const StyleDispatch<CCurrentStyle> CCurrentStyle::kDispatch;

HRESULT CCurrentStyle::QueryInterfaceImpl(REFIID riid, void** out) {
  return QueryInterfaceOf<IHTMLCurrentStyle, IDispatch>(this, riid, out);
}

css::ComputedStyle CCurrentStyle::Compute() const { return css::ComputeElementStyle(*element_); }

HRESULT CCurrentStyle::GetText(css::PropertyId id, BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnText(Compute().Value(id), p); });
}

HRESULT CCurrentStyle::GetProperty(css::PropertyId id, VARIANT* result) {
  if (!result) return E_POINTER;
  VariantInit(result);
  return Guarded([&] {
    const css::ComputedStyle style = Compute();
    if (id == css::PropertyId::ZIndex) {
      const std::optional<int> zIndex = style.ZIndex();
      return zIndex ? ReturnIntegerVariant(*zIndex, result) : ReturnTextVariant(u"auto", result);
    }
    return ReturnTextVariant(style.Value(id), result);
  });
}

HRESULT CCurrentStyle::getAttribute(BSTR name, LONG, VARIANT* value) {
  if (!value) return E_POINTER;
  VariantInit(value);
  return Guarded([&] {
    const std::optional<css::PropertyId> id = css::FindProperty(TextOf(name));
    return id ? GetProperty(*id, value) : ReturnNullVariant(value);
  });
}

}  // namespace vellum::engine::com::style

// IHTMLCurrentStyle: the computed values of an element, worked out afresh on each read (inline style
// over the document's <style> sheets over the defaults), so that what was just written to the inline
// style reads back at once.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "css/computed_style.h"
#include "dom/element.h"
#include "engine/com/ComObject.h"
#include "engine/com/style/StyleAccessors.h"
#include "engine/com/style/StyleDispatch.h"
#include "notimpl.h"

namespace vellum::engine::com::style {

namespace css = vellum::engine::css;

class CCurrentStyle final : public IHTMLCurrentStyleNotImpl, private CLiveObject {
 public:
  explicit CCurrentStyle(vellum::engine::Element& element) : element_(&element) {}
  ENGINE_IUNKNOWN_METHODS
  ENGINE_STYLE_DISPATCH_METHODS

#define ENGINE_TEXT_GETTER(name, id) \
  HRESULT STDMETHODCALLTYPE get_##name(BSTR* p) override { return GetText(css::PropertyId::id, p); }
  ENGINE_CURRENT_STYLE_TEXT_PROPERTIES(ENGINE_TEXT_GETTER)
#undef ENGINE_TEXT_GETTER

#define ENGINE_VARIANT_GETTER(name, id) \
  HRESULT STDMETHODCALLTYPE get_##name(VARIANT* p) override { return GetProperty(css::PropertyId::id, p); }
  ENGINE_CURRENT_STYLE_VARIANT_PROPERTIES(ENGINE_VARIANT_GETTER)
#undef ENGINE_VARIANT_GETTER

  HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, LONG flags, VARIANT* value) override;

  // Served by name: the computed text, except z-index, which is VT_I4 when a number applies and the
  // text "auto" otherwise. Computed values cannot be written.
  HRESULT GetProperty(css::PropertyId id, VARIANT* result);
  HRESULT PutProperty(css::PropertyId, const VARIANT&) { return DISP_E_MEMBERNOTFOUND; }

 private:
  ~CCurrentStyle() = default;
  HRESULT QueryInterfaceImpl(REFIID riid, void** out);
  HRESULT GetText(css::PropertyId id, BSTR* p);
  css::ComputedStyle Compute() const;

  static const StyleDispatch<CCurrentStyle> kDispatch;

  LONG refs_ = 1;
  vellum::engine::RefPtr<vellum::engine::Element> element_;
};

}  // namespace vellum::engine::com::style

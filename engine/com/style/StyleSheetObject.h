// IHTMLStyleSheet over a <style> element: its text is the sheet's cssText, held by the element (the
// engine parses it again, by text, whenever computed values are asked for).
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "dom/element.h"
#include "engine/com/ComObject.h"
#include "engine/com/style/StyleDispatch.h"
#include "notimpl.h"

namespace vellum::engine::com::style {

class CStyleSheetObject final : public IHTMLStyleSheetNotImpl, private CLiveObject {
 public:
  explicit CStyleSheetObject(vellum::engine::Element& styleElement) : element_(&styleElement) {}
  ENGINE_IUNKNOWN_METHODS
  ENGINE_STYLE_DISPATCH_METHODS

  HRESULT STDMETHODCALLTYPE put_cssText(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_cssText(BSTR* p) override;
  // type, media, title and id are the element's attributes (type "text/css" when it has none).
  HRESULT STDMETHODCALLTYPE get_type(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_media(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_media(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_title(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_title(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_id(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_href(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_disabled(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE get_readOnly(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE get_parentStyleSheet(IHTMLStyleSheet** p) override;

  // No CSS property is a member of a sheet; only its own members are reached by name.
  HRESULT GetProperty(vellum::engine::css::PropertyId, VARIANT*) { return DISP_E_MEMBERNOTFOUND; }
  HRESULT PutProperty(vellum::engine::css::PropertyId, const VARIANT&) { return DISP_E_MEMBERNOTFOUND; }

 private:
  ~CStyleSheetObject() = default;
  HRESULT QueryInterfaceImpl(REFIID riid, void** out);
  HRESULT GetAttributeText(std::u16string_view name, std::u16string_view fallback, BSTR* p);
  HRESULT SetAttributeText(std::u16string_view name, BSTR value);

  static HRESULT GetCssTextMember(CStyleSheetObject& self, VARIANT* result);
  static HRESULT PutCssTextMember(CStyleSheetObject& self, const VARIANT& value);
  static const StyleMember<CStyleSheetObject> kMembers[];
  static const StyleDispatch<CStyleSheetObject> kDispatch;

  LONG refs_ = 1;
  vellum::engine::RefPtr<vellum::engine::Element> element_;
};

}  // namespace vellum::engine::com::style

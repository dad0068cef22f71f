// IHTMLStyle over an element's style attribute. The attribute is the one place the inline style
// lives: it is read on each access (parsed once per text, with the element: css/inline_style.h) and
// written back after each change, so that every style object of the element, the attribute
// collection and the markup agree. A style that becomes empty removes the attribute.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <string>

#include "css/declaration_block.h"
#include "dom/element.h"
#include "engine/com/ComObject.h"
#include "engine/com/Recycled.h"
#include "engine/com/style/StyleAccessors.h"
#include "engine/com/style/StyleDispatch.h"
#include "notimpl.h"

namespace vellum::engine::com::style {

namespace css = vellum::engine::css;

class CInlineStyle final : public IHTMLStyleNotImpl, public CRecycled<CInlineStyle>, private CLiveObject {
 public:
  explicit CInlineStyle(vellum::engine::Element& element) : element_(&element) {}
  ENGINE_IUNKNOWN_METHODS
  ENGINE_STYLE_DISPATCH_METHODS

#define ENGINE_TEXT_ACCESSORS(name, id)                                                             \
  HRESULT STDMETHODCALLTYPE put_##name(BSTR v) override { return PutText(css::PropertyId::id, v); } \
  HRESULT STDMETHODCALLTYPE get_##name(BSTR* p) override { return GetText(css::PropertyId::id, p); }
  ENGINE_INLINE_STYLE_TEXT_PROPERTIES(ENGINE_TEXT_ACCESSORS)
#undef ENGINE_TEXT_ACCESSORS

#define ENGINE_VARIANT_ACCESSORS(name, id)                                                                 \
  HRESULT STDMETHODCALLTYPE put_##name(VARIANT v) override { return PutProperty(css::PropertyId::id, v); } \
  HRESULT STDMETHODCALLTYPE get_##name(VARIANT* p) override { return GetProperty(css::PropertyId::id, p); }
  ENGINE_INLINE_STYLE_VARIANT_PROPERTIES(ENGINE_VARIANT_ACCESSORS)
#undef ENGINE_VARIANT_ACCESSORS

#define ENGINE_PIXEL_ACCESSORS(name, id)                                                                    \
  HRESULT STDMETHODCALLTYPE put_pixel##name(LONG v) override { return PutPixels(css::PropertyId::id, v); }  \
  HRESULT STDMETHODCALLTYPE get_pixel##name(LONG* p) override { return GetPixels(css::PropertyId::id, p); } \
  HRESULT STDMETHODCALLTYPE put_pos##name(float v) override { return PutPos(css::PropertyId::id, v); }      \
  HRESULT STDMETHODCALLTYPE get_pos##name(float* p) override { return GetPos(css::PropertyId::id, p); }
  ENGINE_INLINE_STYLE_PIXEL_PROPERTIES(ENGINE_PIXEL_ACCESSORS)
#undef ENGINE_PIXEL_ACCESSORS

  HRESULT STDMETHODCALLTYPE get_position(BSTR* p) override { return GetText(css::PropertyId::Position, p); }
  HRESULT STDMETHODCALLTYPE put_cssText(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_cssText(BSTR* p) override;

  // The style's attributes are its properties, by name as IDispatch knows them (the case flag is
  // not needed: names are matched without regard to case).
  HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value, LONG flags) override;
  HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, LONG flags, VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE removeAttribute(BSTR name, LONG flags, VARIANT_BOOL* removed) override;

  // Served by name: the text as stored (z-index as a number when it is one); a value as PropertyTextOf
  // reads it, the empty text removing the property.
  HRESULT GetProperty(css::PropertyId id, VARIANT* result);
  HRESULT PutProperty(css::PropertyId id, const VARIANT& value);

 private:
  ~CInlineStyle() = default;
  HRESULT QueryInterfaceImpl(REFIID riid, void** out);

  // The declarations of the style attribute as it is now (valid until the attribute changes).
  const css::DeclarationBlock& Declarations() const;
  const std::u16string& CssText() const;
  // Stores the declarations as the style attribute.
  void WriteBack(const css::DeclarationBlock& declarations);
  // Runs a change of the declarations and writes the result back.
  template <class Change>
  HRESULT Modify(Change&& change);

  HRESULT GetText(css::PropertyId id, BSTR* p);
  HRESULT PutText(css::PropertyId id, BSTR value);
  HRESULT SetValueText(css::PropertyId id, std::u16string_view text);
  HRESULT GetPixels(css::PropertyId id, LONG* p);
  HRESULT PutPixels(css::PropertyId id, LONG value);
  HRESULT GetPos(css::PropertyId id, float* p);
  HRESULT PutPos(css::PropertyId id, float value);

  static HRESULT GetCssTextMember(CInlineStyle& self, VARIANT* result);
  static HRESULT PutCssTextMember(CInlineStyle& self, const VARIANT& value);
  static const StyleMember<CInlineStyle> kMembers[];
  static const StyleDispatch<CInlineStyle> kDispatch;

  LONG refs_ = 1;
  vellum::engine::RefPtr<vellum::engine::Element> element_;
};

}  // namespace vellum::engine::com::style

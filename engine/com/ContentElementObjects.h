// The objects of a page's content outside the form controls: the body, images, comments, and every
// other element, which offers only what all elements share.
#pragma once

#include "engine/com/ElementObject.h"
#include "engine/com/Recycled.h"

namespace vellum::engine::com {

class CGenericElement final : public CElement, public CRecycled<CGenericElement> {
 public:
  static CGenericElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CGenericElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(ElementProperties())

 private:
  CGenericElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<>(this, riid, out); }
};

class CBodyElement final : public CElement, public CRecycled<CBodyElement>, public IHTMLBodyElementNotImpl {
 public:
  static CBodyElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CBodyElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CBodyElement>& Properties();

  HRESULT STDMETHODCALLTYPE put_background(BSTR v) override { return SetAttributeText(u"background", v); }
  HRESULT STDMETHODCALLTYPE get_background(BSTR* p) override { return GetAttributeText(u"background", p); }

 private:
  CBodyElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLBodyElement>(this, riid, out); }
};

class CImgElement final : public CElement, public CRecycled<CImgElement>, public IHTMLImgElementNotImpl {
 public:
  static CImgElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CImgElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CImgElement>& Properties();

  HRESULT STDMETHODCALLTYPE put_src(BSTR v) override { return SetAttributeText(u"src", v); }
  HRESULT STDMETHODCALLTYPE get_src(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_alt(BSTR v) override { return SetAttributeText(u"alt", v); }
  HRESULT STDMETHODCALLTYPE get_alt(BSTR* p) override { return GetAttributeText(u"alt", p); }
  HRESULT STDMETHODCALLTYPE put_name(BSTR v) override { return SetAttributeText(u"name", v); }
  HRESULT STDMETHODCALLTYPE get_name(BSTR* p) override { return GetAttributeText(u"name", p); }
  // The width and height of its box; setting them writes the attribute.
  HRESULT STDMETHODCALLTYPE put_width(LONG v) override { return SetAttributeNumber(u"width", v); }
  HRESULT STDMETHODCALLTYPE get_width(LONG* p) override { return get_offsetWidth(p); }
  HRESULT STDMETHODCALLTYPE put_height(LONG v) override { return SetAttributeNumber(u"height", v); }
  HRESULT STDMETHODCALLTYPE get_height(LONG* p) override { return get_offsetHeight(p); }

 private:
  CImgElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLImgElement>(this, riid, out); }
};

// A comment is an element object without attributes, style or content of its own: its text is its
// whole markup, and what would change an element's markup or style answers as unsupported.
class CCommentElement final : public CElement, public CRecycled<CCommentElement>, public IHTMLCommentElementNotImpl {
 public:
  static CCommentElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CCommentElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CCommentElement>& Properties();

  // IHTMLCommentElement
  HRESULT STDMETHODCALLTYPE put_text(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_text(BSTR* p) override;

  // IHTMLElement, IHTMLElement2: nothing to write, no style.
  HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value, LONG flags) override;
  HRESULT STDMETHODCALLTYPE put_className(BSTR v) override;
  HRESULT STDMETHODCALLTYPE put_id(BSTR v) override;
  HRESULT STDMETHODCALLTYPE put_title(BSTR v) override;
  HRESULT STDMETHODCALLTYPE put_lang(BSTR v) override;
  HRESULT STDMETHODCALLTYPE put_innerHTML(BSTR v) override;
  HRESULT STDMETHODCALLTYPE put_innerText(BSTR v) override;
  HRESULT STDMETHODCALLTYPE put_outerHTML(BSTR v) override;
  HRESULT STDMETHODCALLTYPE insertAdjacentHTML(BSTR where, BSTR html) override;
  HRESULT STDMETHODCALLTYPE insertAdjacentText(BSTR where, BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_style(IHTMLStyle** p) override;
  HRESULT STDMETHODCALLTYPE get_currentStyle(IHTMLCurrentStyle** p) override;

 private:
  CCommentElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLCommentElement>(this, riid, out); }
};

}  // namespace vellum::engine::com

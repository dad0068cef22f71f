// The objects of the elements a page's head holds: meta, style, script and title. Everything they
// report is their markup: attributes, or the text they hold in place of child nodes.
#pragma once

#include "engine/com/ElementObject.h"
#include "engine/com/Recycled.h"

namespace vellum::engine::com {

class CMetaElement final : public CElement, public CRecycled<CMetaElement>, public IHTMLMetaElementNotImpl {
 public:
  static CMetaElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CMetaElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CMetaElement>& Properties();

  HRESULT STDMETHODCALLTYPE put_httpEquiv(BSTR v) override { return SetAttributeText(u"http-equiv", v); }
  HRESULT STDMETHODCALLTYPE get_httpEquiv(BSTR* p) override { return GetAttributeText(u"http-equiv", p); }
  HRESULT STDMETHODCALLTYPE put_content(BSTR v) override { return SetAttributeText(u"content", v); }
  HRESULT STDMETHODCALLTYPE get_content(BSTR* p) override { return GetAttributeText(u"content", p); }
  HRESULT STDMETHODCALLTYPE put_name(BSTR v) override { return SetAttributeText(u"name", v); }
  HRESULT STDMETHODCALLTYPE get_name(BSTR* p) override { return GetAttributeText(u"name", p); }
  HRESULT STDMETHODCALLTYPE put_charset(BSTR v) override { return SetAttributeText(u"charset", v); }
  HRESULT STDMETHODCALLTYPE get_charset(BSTR* p) override { return GetAttributeText(u"charset", p); }

 private:
  CMetaElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLMetaElement>(this, riid, out); }
};

class CStyleElement final : public CElement, public CRecycled<CStyleElement>, public IHTMLStyleElementNotImpl {
 public:
  static CStyleElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CStyleElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CStyleElement>& Properties();

  HRESULT STDMETHODCALLTYPE put_type(BSTR v) override { return SetAttributeText(u"type", v); }
  HRESULT STDMETHODCALLTYPE get_type(BSTR* p) override { return GetAttributeText(u"type", p); }
  HRESULT STDMETHODCALLTYPE get_styleSheet(IHTMLStyleSheet** p) override;
  HRESULT STDMETHODCALLTYPE put_disabled(VARIANT_BOOL v) override { return PutDisabled(v); }
  HRESULT STDMETHODCALLTYPE get_disabled(VARIANT_BOOL* p) override { return GetDisabled(p); }
  HRESULT STDMETHODCALLTYPE put_media(BSTR v) override { return SetAttributeText(u"media", v); }
  HRESULT STDMETHODCALLTYPE get_media(BSTR* p) override { return GetAttributeText(u"media", p); }

 private:
  CStyleElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLStyleElement>(this, riid, out); }
};

class CScriptElement final : public CElement, public CRecycled<CScriptElement>, public IHTMLScriptElementNotImpl {
 public:
  static CScriptElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CScriptElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CScriptElement>& Properties();

  // The src as written: a script is not fetched, so its URL is not resolved either.
  HRESULT STDMETHODCALLTYPE put_src(BSTR v) override { return SetAttributeText(u"src", v); }
  HRESULT STDMETHODCALLTYPE get_src(BSTR* p) override { return GetAttributeText(u"src", p); }
  HRESULT STDMETHODCALLTYPE put_text(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_text(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_defer(VARIANT_BOOL v) override { return SetAttributeFlag(u"defer", v); }
  HRESULT STDMETHODCALLTYPE get_defer(VARIANT_BOOL* p) override { return GetAttributeFlag(u"defer", p); }
  HRESULT STDMETHODCALLTYPE put_type(BSTR v) override { return SetAttributeText(u"type", v); }
  HRESULT STDMETHODCALLTYPE get_type(BSTR* p) override { return GetAttributeText(u"type", p); }

 private:
  CScriptElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLScriptElement>(this, riid, out); }
};

class CTitleElement final : public CElement, public CRecycled<CTitleElement>, public IHTMLTitleElementNotImpl {
 public:
  static CTitleElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CTitleElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CTitleElement>& Properties();

  HRESULT STDMETHODCALLTYPE put_text(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_text(BSTR* p) override;

 private:
  CTitleElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLTitleElement>(this, riid, out); }
};

}  // namespace vellum::engine::com

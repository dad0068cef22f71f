// The document's window object, as far as a page without script needs one: its document and the
// option factory (window.Option) through which options are made for a select.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "engine/com/ComObject.h"
#include "engine/com/NamedProperties.h"
#include "notimpl.h"

namespace vellum::engine::com {

class CHtmlDocument;

class CWindow final : public IHTMLWindow2NotImpl, private CLiveObject {
 public:
  // The document's window object: the same one while any reference to it is held.
  static HRESULT Get(CHtmlDocument& document, IHTMLWindow2** out);
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CWindow>& Properties();

  HRESULT STDMETHODCALLTYPE get_document(IHTMLDocument2** p) override;
  HRESULT STDMETHODCALLTYPE get_Option(IHTMLOptionElementFactory** p) override;
  HRESULT STDMETHODCALLTYPE get_self(IHTMLWindow2** p) override;
  HRESULT STDMETHODCALLTYPE get_window(IHTMLWindow2** p) override;
  HRESULT STDMETHODCALLTYPE get_top(IHTMLWindow2** p) override;
  HRESULT STDMETHODCALLTYPE get_parent(IHTMLWindow2** p) override;
  HRESULT STDMETHODCALLTYPE get_closed(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE toString(BSTR* text) override;

 private:
  explicit CWindow(CHtmlDocument& document);
  ~CWindow();
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLWindow2, IHTMLFramesCollection2, IDispatch>(this, riid, out);
  }
  HRESULT Self(IHTMLWindow2** p);

  LONG refs_ = 1;
  CComRef<CHtmlDocument> document_;
};

// IHTMLOptionElementFactory::create: a new option, not yet in any select.
class COptionFactory final : public IHTMLOptionElementFactoryNotImpl, private CLiveObject {
 public:
  static HRESULT Create(CHtmlDocument& document, IHTMLOptionElementFactory** out);
  ENGINE_IUNKNOWN_METHODS
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return NoTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override { return NoTypeInfo(info); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  // text and value: missing arguments leave the option without text or value attribute;
  // defaultSelected writes the selected attribute; selected chooses the option.
  HRESULT STDMETHODCALLTYPE create(VARIANT text, VARIANT value, VARIANT defaultSelected, VARIANT selected,
                                   IHTMLOptionElement** option) override;

 private:
  explicit COptionFactory(CHtmlDocument& document);
  ~COptionFactory();
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLOptionElementFactory, IDispatch>(this, riid, out);
  }

  LONG refs_ = 1;
  CComRef<CHtmlDocument> document_;
};

}  // namespace vellum::engine::com

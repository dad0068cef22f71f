// The objects of the form controls: input, textarea, select and option. Their current state lives in
// the document's form-state store; their markup is touched only by the attribute-backed properties
// (name, disabled, defaultValue ...).
#pragma once

#include "engine/com/ElementObject.h"
#include "engine/com/Recycled.h"

namespace vellum::engine::com {

class CInputElement final : public CElement, public CRecycled<CInputElement>, public IHTMLInputElementNotImpl {
 public:
  static CInputElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CInputElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CInputElement>& Properties();

  HRESULT STDMETHODCALLTYPE put_type(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_type(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_value(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_value(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_name(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_name(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_disabled(VARIANT_BOOL v) override { return PutDisabled(v); }
  HRESULT STDMETHODCALLTYPE get_disabled(VARIANT_BOOL* p) override { return GetDisabled(p); }
  HRESULT STDMETHODCALLTYPE put_readOnly(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_readOnly(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_defaultValue(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_defaultValue(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_size(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_size(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_maxLength(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_maxLength(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_checked(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_checked(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_defaultChecked(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_defaultChecked(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_src(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_src(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_alt(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_alt(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_width(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_width(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_height(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_height(LONG* p) override;

 private:
  CInputElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLInputElement>(this, riid, out); }
};

class CTextAreaElement final : public CElement, public CRecycled<CTextAreaElement>, public IHTMLTextAreaElementNotImpl {
 public:
  static CTextAreaElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CTextAreaElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CTextAreaElement>& Properties();

  HRESULT STDMETHODCALLTYPE get_type(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_value(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_value(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_name(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_name(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_disabled(VARIANT_BOOL v) override { return PutDisabled(v); }
  HRESULT STDMETHODCALLTYPE get_disabled(VARIANT_BOOL* p) override { return GetDisabled(p); }
  HRESULT STDMETHODCALLTYPE put_readOnly(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_readOnly(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_defaultValue(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_defaultValue(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_rows(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_rows(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_cols(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_cols(LONG* p) override;

 private:
  CTextAreaElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLTextAreaElement>(this, riid, out); }
};

class CSelectElement final : public CElement, public CRecycled<CSelectElement>, public IHTMLSelectElementNotImpl {
 public:
  static CSelectElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new CSelectElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CSelectElement>& Properties();

  HRESULT STDMETHODCALLTYPE get_type(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_value(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_value(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_name(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_name(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_disabled(VARIANT_BOOL v) override { return PutDisabled(v); }
  HRESULT STDMETHODCALLTYPE get_disabled(VARIANT_BOOL* p) override { return GetDisabled(p); }
  HRESULT STDMETHODCALLTYPE put_size(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_size(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_multiple(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_multiple(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE get_options(IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE put_selectedIndex(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_selectedIndex(LONG* p) override;
  HRESULT STDMETHODCALLTYPE add(IHTMLElement* option, VARIANT before) override;
  HRESULT STDMETHODCALLTYPE remove(LONG index) override;
  HRESULT STDMETHODCALLTYPE get_length(LONG* p) override;
  HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** p) override;

 private:
  CSelectElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLSelectElement>(this, riid, out); }
};

class COptionElement final : public CElement, public CRecycled<COptionElement>, public IHTMLOptionElementNotImpl {
 public:
  static COptionElement* Create(CHtmlDocument& document, vellum::engine::Node& node) {
    return new COptionElement(document, node);
  }
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<COptionElement>& Properties();

  HRESULT STDMETHODCALLTYPE put_value(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_value(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_text(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_text(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_selected(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_selected(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_defaultSelected(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_defaultSelected(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE get_index(LONG* p) override;

 private:
  COptionElement(CHtmlDocument& document, vellum::engine::Node& node) : CElement(document, node) {}
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaces<IHTMLOptionElement>(this, riid, out); }
};

}  // namespace vellum::engine::com

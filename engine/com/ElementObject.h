// The object of an element or comment node: what every element object shares (IHTMLElement,
// IHTMLElement2, the node interfaces and the named properties common to all). A kind of element with
// an interface of its own (input, select, meta, comment ...) is a small final class that adds it, with
// its methods and its named properties; Create picks the class from the node.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <string_view>

#include "dom/element.h"
#include "engine/com/NamedProperties.h"
#include "engine/com/NodeObject.h"
#include "notimpl.h"

namespace vellum::engine::com {

class CElement : public CNodeObject, public IHTMLElementNotImpl, public IHTMLElement2NotImpl {
 public:
  // node: an element or a comment of the document's tree (or detached from it). The object holds its
  // first reference (ElementFactory.cpp).
  static CElement* Create(CHtmlDocument& document, vellum::engine::Node& node);

  // The element; null for a comment, whose class answers every call that would change an element's
  // markup or style itself.
  vellum::engine::Element* GetElement() const { return vellum::engine::AsElement(&GetNode()); }

  // IHTMLElement
  HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value, LONG flags) override;
  HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, LONG flags, VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE removeAttribute(BSTR name, LONG flags, VARIANT_BOOL* removed) override;
  HRESULT STDMETHODCALLTYPE put_className(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_className(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_id(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_id(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_title(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_title(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_lang(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_lang(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_tagName(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_parentElement(IHTMLElement** p) override;
  HRESULT STDMETHODCALLTYPE get_style(IHTMLStyle** p) override;
  HRESULT STDMETHODCALLTYPE get_document(IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE contains(IHTMLElement* child, VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE get_sourceIndex(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_offsetLeft(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_offsetTop(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_offsetWidth(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_offsetHeight(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_offsetParent(IHTMLElement** p) override;
  HRESULT STDMETHODCALLTYPE put_innerHTML(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_innerHTML(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_innerText(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_innerText(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_outerHTML(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_outerHTML(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_outerText(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE insertAdjacentHTML(BSTR where, BSTR html) override;
  HRESULT STDMETHODCALLTYPE insertAdjacentText(BSTR where, BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_children(IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE get_all(IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE toString(BSTR* text) override;

  // IHTMLElement2
  HRESULT STDMETHODCALLTYPE get_currentStyle(IHTMLCurrentStyle** p) override;
  HRESULT STDMETHODCALLTYPE get_clientLeft(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_clientTop(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_clientWidth(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_clientHeight(LONG* p) override;
  HRESULT STDMETHODCALLTYPE getElementsByTagName(BSTR name, IHTMLElementCollection** p) override;
  // "HTML" for an HTML element, "svg" or "math" for one of those vocabularies.
  HRESULT STDMETHODCALLTYPE get_scopeName(BSTR* p) override;

  // Every element can be disabled through its attribute, whether or not one of its interfaces says so.
  HRESULT GetDisabled(VARIANT_BOOL* p) { return GetAttributeFlag(u"disabled", p); }
  HRESULT PutDisabled(VARIANT_BOOL v) { return SetAttributeFlag(u"disabled", v); }

  // Named properties that have no interface method of their own.
  HRESULT GetAttributeProperty(std::u16string_view name, VARIANT* result);  // fails when absent
  HRESULT SetAttributeProperty(std::u16string_view name, const VARIANT& value);

  // The named properties of every element object, and those that only an element proper has (a
  // comment has no attributes or style). A class's own table falls back to one of them.
  static const NamedPropertyTable<CElement>& Properties();
  static const NamedPropertyTable<CElement>& ElementProperties();

 protected:
  CElement(CHtmlDocument& document, vellum::engine::Node& node) : CNodeObject(document, node) {}
  ~CElement() override = default;

  // The QueryInterface of a final class: the interfaces every element object has, then its own.
  template <class... Own, class Object>
  static HRESULT QueryInterfaces(Object* self, REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLElement, Via<IDispatch, IHTMLElement>, IHTMLElement2, IHTMLDOMNode, IEngineNode,
                            IMarkupView, Own...>(self, riid, out);
  }

  // Attribute-backed properties. A comment has no attributes: it reads as empty, and its class never
  // writes.
  HRESULT GetAttributeText(std::u16string_view name, BSTR* p);
  HRESULT SetAttributeText(std::u16string_view name, BSTR v);
  HRESULT GetAttributeFlag(std::u16string_view name, VARIANT_BOOL* p);
  HRESULT SetAttributeFlag(std::u16string_view name, VARIANT_BOOL v);
  HRESULT GetAttributeNumber(std::u16string_view name, LONG fallback, LONG* p);
  HRESULT SetAttributeNumber(std::u16string_view name, LONG v);

  LONG refs_ = 1;  // for ENGINE_IUNKNOWN_METHODS of the final class
};

}  // namespace vellum::engine::com

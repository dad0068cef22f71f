// The object of an element or comment node. One class carries every element interface the engine
// offers; QueryInterface hands out only those that fit the element's tag, and a method shared by
// several interfaces (get_type, get_value, get_name, get_text ...) is one override that answers by tag.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "dom/element.h"
#include "engine/com/NamedProperties.h"
#include "engine/com/NodeObject.h"
#include "engine/com/Recycled.h"
#include "notimpl.h"

namespace engine {

// Which element-specific interfaces an object offers.
enum class ElementObjectKind : uint8_t {
  Generic, Comment, Input, TextArea, Select, Option, Meta, Style, Script, Title, Body, Img
};
ElementObjectKind KindOf(const vellum::engine::Node& node);

class CElement final : public CNodeObject,
                       public CRecycled<CElement>,
                       public IHTMLElementNotImpl,
                       public IHTMLElement2NotImpl,
                       public IHTMLInputElementNotImpl,
                       public IHTMLTextAreaElementNotImpl,
                       public IHTMLSelectElementNotImpl,
                       public IHTMLOptionElementNotImpl,
                       public IHTMLMetaElementNotImpl,
                       public IHTMLStyleElementNotImpl,
                       public IHTMLScriptElementNotImpl,
                       public IHTMLTitleElementNotImpl,
                       public IHTMLCommentElementNotImpl,
                       public IHTMLBodyElementNotImpl,
                       public IHTMLImgElementNotImpl {
 public:
  // node: an element or a comment of the document's tree (or detached from it).
  static CElement* Create(CHtmlDocument& document, vellum::engine::Node& node);
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CElement>& Properties();

  ElementObjectKind kind() const { return kind_; }
  // The element; null for a comment.
  vellum::engine::Element* element() const { return vellum::engine::asElement(&node()); }

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

  // Shared by the form, style, script and image interfaces; each answers by tag.
  HRESULT STDMETHODCALLTYPE put_type(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_type(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_value(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_value(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_name(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_name(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_disabled(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_disabled(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_readOnly(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_readOnly(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_defaultValue(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_defaultValue(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_size(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_size(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_src(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_src(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_alt(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_alt(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_width(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_width(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_height(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_height(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_text(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_text(BSTR* p) override;

  // IHTMLInputElement
  HRESULT STDMETHODCALLTYPE put_checked(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_checked(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_defaultChecked(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_defaultChecked(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_maxLength(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_maxLength(LONG* p) override;

  // IHTMLTextAreaElement
  HRESULT STDMETHODCALLTYPE put_rows(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_rows(LONG* p) override;
  HRESULT STDMETHODCALLTYPE put_cols(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_cols(LONG* p) override;

  // IHTMLSelectElement
  HRESULT STDMETHODCALLTYPE put_multiple(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_multiple(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE get_options(IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE put_selectedIndex(LONG v) override;
  HRESULT STDMETHODCALLTYPE get_selectedIndex(LONG* p) override;
  HRESULT STDMETHODCALLTYPE add(IHTMLElement* option, VARIANT before) override;
  HRESULT STDMETHODCALLTYPE remove(LONG index) override;
  HRESULT STDMETHODCALLTYPE get_length(LONG* p) override;
  HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** p) override;

  // IHTMLOptionElement
  HRESULT STDMETHODCALLTYPE put_selected(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_selected(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE put_defaultSelected(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_defaultSelected(VARIANT_BOOL* p) override;
  HRESULT STDMETHODCALLTYPE get_index(LONG* p) override;

  // IHTMLMetaElement
  HRESULT STDMETHODCALLTYPE put_httpEquiv(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_httpEquiv(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_content(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_content(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_charset(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_charset(BSTR* p) override;

  // IHTMLStyleElement
  HRESULT STDMETHODCALLTYPE get_styleSheet(IHTMLStyleSheet** p) override;
  HRESULT STDMETHODCALLTYPE put_media(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_media(BSTR* p) override;

  // IHTMLScriptElement
  HRESULT STDMETHODCALLTYPE put_defer(VARIANT_BOOL v) override;
  HRESULT STDMETHODCALLTYPE get_defer(VARIANT_BOOL* p) override;

  // IHTMLBodyElement
  HRESULT STDMETHODCALLTYPE put_background(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_background(BSTR* p) override;

  // Named properties that have no interface method of their own.
  HRESULT GetAttributeProperty(std::u16string_view name, VARIANT* result);  // fails when absent
  HRESULT SetAttributeProperty(std::u16string_view name, const VARIANT& value);

 private:
  CElement(CHtmlDocument& document, vellum::engine::Node& node);
  ~CElement() override = default;
  HRESULT QueryInterfaceImpl(REFIID riid, void** out);

  // Attribute-backed properties; a comment has no attributes and reads as empty.
  HRESULT GetAttributeText(std::u16string_view name, BSTR* p);
  HRESULT SetAttributeText(std::u16string_view name, BSTR v);
  HRESULT GetAttributeFlag(std::u16string_view name, VARIANT_BOOL* p);
  HRESULT SetAttributeFlag(std::u16string_view name, VARIANT_BOOL v);
  HRESULT GetAttributeNumber(std::u16string_view name, LONG fallback, LONG* p);
  HRESULT SetAttributeNumber(std::u16string_view name, LONG v);
  // A method of an interface this element's tag does not carry.
  HRESULT NotForThisTag(const char* method);

  LONG refs_ = 1;
  ElementObjectKind kind_;
};

}  // namespace engine

// What every element object shares: attributes, names, places and markup.
#include "engine/com/ElementObject.h"

#include "dom/document.h"
#include "engine/com/Collections.h"
#include "engine/com/ComValues.h"
#include "engine/com/FormState.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/WrapperCache.h"
#include "markup/fragment_ops.h"
#include "markup/inner_text.h"
#include "markup/serializer.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::MutationResult;
using vellum::engine::Node;
using vellum::engine::RefPtr;

namespace {

HRESULT ResultOf(MutationResult result) { return result == MutationResult::Ok ? S_OK : E_INVALIDARG; }

// Attribute names that would not survive a trip through markup are refused.
bool IsUsableAttributeName(std::u16string_view name) {
  if (name.empty()) return false;
  for (char16_t c : name) {
    if (c <= u' ' || c == u'"' || c == u'\'' || c == u'<' || c == u'>' || c == u'/' || c == u'=' || c == 0x7f)
      return false;
  }
  return true;
}

std::u16string DecimalText(LONG value) {
  std::string narrow = std::to_string(value);
  return std::u16string(narrow.begin(), narrow.end());
}

// The leading decimal number of an attribute ("20", "20px"), or nothing.
bool ParseLeadingNumber(std::u16string_view text, LONG& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = i < text.size() && text[i] == u'-';
  if (negative) ++i;
  long long number = 0;
  size_t digits = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && digits < 10; ++i, ++digits)
    number = number * 10 + (text[i] - u'0');
  if (digits == 0) return false;
  if (number > 0x7fffffff) number = 0x7fffffff;
  value = static_cast<LONG>(negative ? -number : number);
  return true;
}

}  // namespace

// --- attributes --------------------------------------------------------------------------------------

HRESULT CElement::GetAttributeText(std::u16string_view name, BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  const Element* e = GetElement();
  return GuardedRead([&] { return ReturnString(e ? AttributeText(*e, name) : std::u16string_view(), p); });
}

HRESULT CElement::SetAttributeText(std::u16string_view name, BSTR v) {
  Element& e = *GetElement();
  return Guarded([&] {
    e.SetAttribute(name, TextOf(v));
    return S_OK;
  });
}

HRESULT CElement::GetAttributeFlag(std::u16string_view name, VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  const Element* e = GetElement();
  *p = ToVariantBool(e && e->HasAttribute(name));
  return S_OK;
}

HRESULT CElement::SetAttributeFlag(std::u16string_view name, VARIANT_BOOL v) {
  Element& e = *GetElement();
  return Guarded([&] {
    if (v != VARIANT_FALSE) {
      if (!e.HasAttribute(name)) e.SetAttribute(name, u"");
    } else {
      e.RemoveAttribute(name);
    }
    return S_OK;
  });
}

HRESULT CElement::GetAttributeNumber(std::u16string_view name, LONG fallback, LONG* p) {
  if (!p) return E_POINTER;
  *p = fallback;
  if (const Element* e = GetElement()) ParseLeadingNumber(AttributeText(*e, name), *p);
  return S_OK;
}

HRESULT CElement::SetAttributeNumber(std::u16string_view name, LONG v) {
  Element& e = *GetElement();
  return Guarded([&] {
    e.SetAttribute(name, DecimalText(v));
    return S_OK;
  });
}

HRESULT CElement::GetAttributeProperty(std::u16string_view name, VARIANT* result) {
  const Element* e = GetElement();
  const vellum::engine::Attribute* attribute = e ? e->FindAttribute(name) : nullptr;
  if (!attribute) return DISP_E_MEMBERNOTFOUND;
  return ReturnStringVariant(attribute->value, result);
}

HRESULT CElement::SetAttributeProperty(std::u16string_view name, const VARIANT& value) {
  std::u16string text;
  HRESULT hr = TextOfVariant(value, text);
  if (SUCCEEDED(hr)) GetElement()->SetAttribute(name, text);
  return hr;
}

HRESULT CElement::setAttribute(BSTR name, VARIANT value, LONG) {
  if (!IsUsableAttributeName(TextOf(name))) return E_INVALIDARG;
  Element& e = *GetElement();
  return Guarded([&] {
    std::u16string text;
    HRESULT hr = TextOfVariant(value, text);
    if (SUCCEEDED(hr)) e.SetAttribute(TextOf(name), text);
    return hr;
  });
}

HRESULT CElement::getAttribute(BSTR name, LONG, VARIANT* value) {
  if (!value) return E_POINTER;
  VariantInit(value);
  const Element* e = GetElement();
  const vellum::engine::Attribute* attribute = e ? e->FindAttribute(TextOf(name)) : nullptr;
  if (!attribute) return ReturnNullVariant(value);
  return GuardedRead([&] { return ReturnStringVariant(attribute->value, value); });
}

HRESULT CElement::removeAttribute(BSTR name, LONG, VARIANT_BOOL* removed) {
  if (removed) *removed = VARIANT_FALSE;
  Element* e = GetElement();
  if (!e) return S_OK;
  return Guarded([&] {
    bool done = e->RemoveAttribute(TextOf(name));
    if (removed) *removed = ToVariantBool(done);
    return S_OK;
  });
}

HRESULT CElement::put_className(BSTR v) { return SetAttributeText(u"class", v); }
HRESULT CElement::get_className(BSTR* p) { return GetAttributeText(u"class", p); }
HRESULT CElement::put_id(BSTR v) { return SetAttributeText(u"id", v); }
HRESULT CElement::get_id(BSTR* p) { return GetAttributeText(u"id", p); }
HRESULT CElement::put_title(BSTR v) { return SetAttributeText(u"title", v); }
HRESULT CElement::get_title(BSTR* p) { return GetAttributeText(u"title", p); }
HRESULT CElement::put_lang(BSTR v) { return SetAttributeText(u"lang", v); }
HRESULT CElement::get_lang(BSTR* p) { return GetAttributeText(u"lang", p); }

// --- names and places --------------------------------------------------------------------------------

HRESULT CElement::get_tagName(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  const Element* e = GetElement();
  return GuardedRead([&] { return e ? ReturnAsciiUpper(e->LocalName(), p) : ReturnString(u"!", p); });
}

HRESULT CElement::get_parentElement(IHTMLElement** p) {
  return WrapNodeAs(GetDocument(), GetNode().ParentElement(), p);
}

HRESULT CElement::get_document(IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return GetDocument().QueryInterface(IID_IDispatch, reinterpret_cast<void**>(p));
}

HRESULT CElement::contains(IHTMLElement* child, VARIANT_BOOL* result) {
  if (!result) return E_POINTER;
  RefPtr<Node> other = NodeOf(child);
  *result = ToVariantBool(other && GetNode().IsInclusiveAncestorOf(other.get()));
  return S_OK;
}

HRESULT CElement::get_sourceIndex(LONG* p) {
  if (!p) return E_POINTER;
  *p = -1;
  return GuardedRead([&] {
    *p = GetNode().SourceIndex();
    return S_OK;
  });
}

HRESULT CElement::get_children(IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    NodeList children;
    for (Node* child = GetNode().FirstChild(); child; child = child->NextSibling())
      if (child->IsElement() || child->IsComment()) children.emplace_back(child);
    return CElementCollection::CreateList(GetDocument(), std::move(children), IID_IDispatch,
                                          reinterpret_cast<void**>(p));
  });
}

HRESULT CElement::get_all(IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    return CElementCollection::CreateList(GetDocument(), DescendantsOf(GetNode()), IID_IDispatch,
                                          reinterpret_cast<void**>(p));
  });
}

HRESULT CElement::getElementsByTagName(BSTR name, IHTMLElementCollection** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    return CElementCollection::CreateList(GetDocument(), WithTagName(DescendantsOf(GetNode()), TextOf(name)),
                                          IID_IHTMLElementCollection, reinterpret_cast<void**>(p));
  });
}

HRESULT CElement::toString(BSTR* text) {
  if (!text) return E_POINTER;
  return ReturnString(u"[object]", text);
}

HRESULT CElement::get_scopeName(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  const vellum::engine::Element* element = vellum::engine::AsElement(&GetNode());
  if (!element) return ReturnString(u"HTML", p);  // a comment reads as part of the HTML around it
  switch (element->Ns()) {
    case vellum::engine::Namespace::Svg:
      return ReturnString(u"svg", p);
    case vellum::engine::Namespace::MathMl:
      return ReturnString(u"math", p);
    default:
      return ReturnString(u"HTML", p);
  }
}

// --- markup ------------------------------------------------------------------------------------------

HRESULT CElement::get_innerHTML(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded(
      [&] { return ReturnString(GetElement() ? vellum::engine::InnerHtml(GetNode()) : std::u16string(), p); });
}

HRESULT CElement::put_innerHTML(BSTR v) {
  Element& e = *GetElement();
  return Guarded([&] { return ResultOf(vellum::engine::SetInnerHtml(e, TextOf(v))); });
}

HRESULT CElement::get_innerText(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  const Element* e = GetElement();
  return Guarded([&] { return ReturnString(e ? vellum::engine::InnerText(*e) : std::u16string(), p); });
}

HRESULT CElement::put_innerText(BSTR v) {
  Element& e = *GetElement();
  return Guarded([&] {
    vellum::engine::SetInnerText(e, TextOf(v));
    return S_OK;
  });
}

HRESULT CElement::get_outerText(BSTR* p) { return get_innerText(p); }

HRESULT CElement::get_outerHTML(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(vellum::engine::OuterHtml(GetNode()), p); });
}

HRESULT CElement::put_outerHTML(BSTR v) {
  Element& e = *GetElement();
  return Guarded([&] { return ResultOf(vellum::engine::SetOuterHtml(e, TextOf(v))); });
}

HRESULT CElement::insertAdjacentHTML(BSTR where, BSTR html) {
  Element& e = *GetElement();
  vellum::engine::AdjacentPosition position;
  if (!vellum::engine::ParseAdjacentPosition(TextOf(where), position)) return E_INVALIDARG;
  return Guarded([&] { return ResultOf(vellum::engine::InsertAdjacentHtml(e, position, TextOf(html))); });
}

HRESULT CElement::insertAdjacentText(BSTR where, BSTR text) {
  Element* e = GetElement();
  vellum::engine::AdjacentPosition position;
  if (!vellum::engine::ParseAdjacentPosition(TextOf(where), position)) return E_INVALIDARG;
  return Guarded([&] {
    RefPtr<Node> textNode = e->GetDocument().CreateText(TextOf(text));
    switch (position) {
      case vellum::engine::AdjacentPosition::BeforeBegin:
        return e->Parent() ? ResultOf(e->Parent()->InsertBefore(textNode, e)) : E_INVALIDARG;
      case vellum::engine::AdjacentPosition::AfterBegin:
        return ResultOf(e->InsertBefore(textNode, e->FirstChild()));
      case vellum::engine::AdjacentPosition::BeforeEnd:
        return ResultOf(e->AppendChild(textNode));
      case vellum::engine::AdjacentPosition::AfterEnd:
        return e->Parent() ? ResultOf(e->Parent()->InsertBefore(textNode, e->NextSibling())) : E_INVALIDARG;
    }
    return E_INVALIDARG;
  });
}

}  // namespace vellum::engine::com

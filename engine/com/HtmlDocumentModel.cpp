// The document object's side of the object model: its elements, title, window and named properties.
#include "engine/com/Collections.h"
#include "engine/com/ComValues.h"
#include "engine/com/ElementGeometry.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/Window.h"
#include "engine/com/WrapperCache.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::Node;
using vellum::engine::RefPtr;
using vellum::engine::TagId;

namespace {

Element* FirstElement(const vellum::engine::Document& tree, bool (*matches)(const Element&, std::u16string_view),
                      std::u16string_view key) {
  for (Node* node : tree.All())
    if (const Element* e = vellum::engine::AsElement(node); e && matches(*e, key)) return const_cast<Element*>(e);
  return nullptr;
}

bool IsTitle(const Element& element, std::u16string_view) { return element.Is(TagId::Title); }
bool HasId(const Element& element, std::u16string_view id) { return AttributeText(element, u"id") == id; }

// Names createElement accepts: letters, digits, '-', '_', ':' and '.', starting with a letter.
bool IsElementName(std::u16string_view name) {
  auto letter = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
  if (name.empty() || !letter(name[0])) return false;
  for (char16_t c : name)
    if (!letter(c) && !(c >= u'0' && c <= u'9') && c != u'-' && c != u'_' && c != u':' && c != u'.') return false;
  return true;
}

}  // namespace

HRESULT CHtmlDocument::get_readyState(BSTR* p) {
  if (!p) return E_POINTER;
  static const char16_t* const kNames[] = {u"uninitialized", u"loading", u"loaded", u"interactive", u"complete"};
  return ReturnString(kNames[readyState_ >= 0 && readyState_ <= 4 ? readyState_ : 0], p);
}

HRESULT CHtmlDocument::get_body(IHTMLElement** p) {
  return WrapNodeAs(*this, tree_->Body(), p);  // none while loading
}

HRESULT CHtmlDocument::get_documentElement(IHTMLElement** p) { return WrapNodeAs(*this, tree_->DocumentElement(), p); }

HRESULT CHtmlDocument::get_all(IHTMLElementCollection** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    return CElementCollection::CreateDocumentAll(*this, IID_IHTMLElementCollection, reinterpret_cast<void**>(p));
  });
}

HRESULT CHtmlDocument::getElementsByTagName(BSTR name, IHTMLElementCollection** elements) {
  if (!elements) return E_POINTER;
  *elements = nullptr;
  return Guarded([&] {
    const std::vector<Node*>& all = tree_->All();
    return CElementCollection::CreateList(*this, WithTagName(NodeList(all.begin(), all.end()), TextOf(name)),
                                          IID_IHTMLElementCollection, reinterpret_cast<void**>(elements));
  });
}

HRESULT CHtmlDocument::getElementById(BSTR id, IHTMLElement** element) {
  if (!element) return E_POINTER;
  *element = nullptr;
  return Guarded([&] { return WrapNodeAs(*this, FirstElement(*tree_, HasId, TextOf(id)), element); });
}

HRESULT CHtmlDocument::get_title(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    const Element* title = FirstElement(*tree_, IsTitle, {});
    return ReturnString(title ? std::u16string_view(title->Text()) : std::u16string_view(), p);
  });
}

// A page without a title element gets one at the end of its head.
HRESULT CHtmlDocument::put_title(BSTR v) {
  return Guarded([&] {
    Element* title = FirstElement(*tree_, IsTitle, {});
    if (!title) {
      Element* head = tree_->Head();
      if (!head) return E_FAIL;
      RefPtr<Element> created = tree_->CreateElement(u"title");
      head->AppendChild(created);
      title = created.get();
    }
    title->SetText(TextOf(v));
    return S_OK;
  });
}

HRESULT CHtmlDocument::elementFromPoint(LONG x, LONG y, IHTMLElement** hit) {
  if (!hit) return E_POINTER;
  *hit = nullptr;
  return Guarded([&] { return WrapNodeAs(*this, tree_->Body() ? Layout().HitTest(x, y) : nullptr, hit); });
}

HRESULT CHtmlDocument::createElement(BSTR tag, IHTMLElement** element) {
  if (!element) return E_POINTER;
  *element = nullptr;
  if (!IsElementName(TextOf(tag))) return E_INVALIDARG;
  return Guarded([&] { return WrapNodeAs(*this, tree_->CreateElement(TextOf(tag)).get(), element); });
}

HRESULT CHtmlDocument::createTextNode(BSTR text, IHTMLDOMNode** node) {
  if (!node) return E_POINTER;
  *node = nullptr;
  return Guarded([&] { return WrapNodeAs(*this, tree_->CreateText(TextOf(text)).get(), node); });
}

HRESULT CHtmlDocument::get_parentWindow(IHTMLWindow2** p) {
  if (p) *p = nullptr;
  return Guarded([&] { return CWindow::Get(*this, p); });
}

HRESULT CHtmlDocument::get_Script(IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  IHTMLWindow2* window = nullptr;
  HRESULT hr = get_parentWindow(&window);
  if (SUCCEEDED(hr)) *p = window;  // IHTMLWindow2 is an IDispatch; the reference moves on
  return hr;
}

HRESULT CHtmlDocument::toString(BSTR* text) {
  if (!text) return E_POINTER;
  return ReturnString(u"[object]", text);
}

const NamedPropertyTable<CHtmlDocument>& CHtmlDocument::Properties() {
  static const NamedProperty<CHtmlDocument> kEntries[] = {
      {L"readyState", DISPID_READYSTATE,
       [](CHtmlDocument& d, VARIANT* r) {
         V_VT(r) = VT_I4;
         V_I4(r) = d.ReadyState();
         return S_OK;
       },
       nullptr},
      {L"title", 1,
       [](CHtmlDocument& d, VARIANT* r) {
         BSTR title = nullptr;
         HRESULT hr = d.get_title(&title);
         if (SUCCEEDED(hr)) {
           V_VT(r) = VT_BSTR;
           V_BSTR(r) = title;
         }
         return hr;
       },
       [](CHtmlDocument& d, const VARIANT& v) {
         std::u16string text;
         HRESULT hr = TextOfVariant(v, text);
         if (FAILED(hr)) return hr;
         BSTR title = nullptr;
         hr = ReturnString(text, &title);
         if (SUCCEEDED(hr)) hr = d.put_title(title);
         SysFreeString(title);
         return hr;
       }},
  };
  static const NamedPropertyTable<CHtmlDocument> kTable(kEntries);
  return kTable;
}

}  // namespace vellum::engine::com

// The head elements' objects: their named properties, the style element's sheet and the text a
// script or title holds.
#include "engine/com/HeadElementObjects.h"

#include "engine/com/ComValues.h"
#include "engine/com/ElementPropertyAccess.h"
#include "engine/com/style/StyleObjects.h"

namespace vellum::engine::com {

namespace {

using M = CMetaElement;
using St = CStyleElement;
using Sc = CScriptElement;
using T = CTitleElement;

const NamedProperty<CMetaElement> kMetaProperties[] = {
    {L"name", kNameProperty, GetText<M, &M::get_name>, PutText<M, &M::put_name>},
    {L"content", kContentProperty, GetText<M, &M::get_content>, PutText<M, &M::put_content>},
    {L"httpEquiv", kHttpEquivProperty, GetText<M, &M::get_httpEquiv>, PutText<M, &M::put_httpEquiv>},
};

const NamedProperty<CStyleElement> kStyleProperties[] = {
    {L"type", kTypeProperty, GetText<St, &St::get_type>, PutText<St, &St::put_type>},
};

const NamedProperty<CScriptElement> kScriptProperties[] = {
    {L"src", kSrcProperty, GetText<Sc, &Sc::get_src>, PutText<Sc, &Sc::put_src>},
    {L"type", kTypeProperty, GetText<Sc, &Sc::get_type>, PutText<Sc, &Sc::put_type>},
    {L"text", kTextProperty, GetText<Sc, &Sc::get_text>, PutText<Sc, &Sc::put_text>},
};

const NamedProperty<CTitleElement> kTitleProperties[] = {
    {L"text", kTextProperty, GetText<T, &T::get_text>, PutText<T, &T::put_text>},
};

// What a script or title holds is text, never child nodes.
HRESULT ReturnHeldText(const vellum::engine::Element& element, BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(element.Text(), p); });
}

HRESULT SetHeldText(vellum::engine::Element& element, BSTR v) {
  return Guarded([&] {
    element.SetText(TextOf(v));
    return S_OK;
  });
}

}  // namespace

const NamedPropertyTable<CMetaElement>& CMetaElement::Properties() {
  static const NamedPropertyTable<CMetaElement> kTable(kMetaProperties, CElement::ElementProperties());
  return kTable;
}

const NamedPropertyTable<CStyleElement>& CStyleElement::Properties() {
  static const NamedPropertyTable<CStyleElement> kTable(kStyleProperties, CElement::ElementProperties());
  return kTable;
}

const NamedPropertyTable<CScriptElement>& CScriptElement::Properties() {
  static const NamedPropertyTable<CScriptElement> kTable(kScriptProperties, CElement::ElementProperties());
  return kTable;
}

const NamedPropertyTable<CTitleElement>& CTitleElement::Properties() {
  static const NamedPropertyTable<CTitleElement> kTable(kTitleProperties, CElement::ElementProperties());
  return kTable;
}

HRESULT CStyleElement::get_styleSheet(IHTMLStyleSheet** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return CreateStyleSheet(*GetElement(), p); });
}

HRESULT CScriptElement::get_text(BSTR* p) { return ReturnHeldText(*GetElement(), p); }
HRESULT CScriptElement::put_text(BSTR v) { return SetHeldText(*GetElement(), v); }
HRESULT CTitleElement::get_text(BSTR* p) { return ReturnHeldText(*GetElement(), p); }
HRESULT CTitleElement::put_text(BSTR v) { return SetHeldText(*GetElement(), v); }

}  // namespace vellum::engine::com

// The named properties every element object has, reached through IDispatch; each kind of element
// lists its own beside its class and falls back to these.
#include "engine/com/ElementObject.h"
#include "engine/com/ElementPropertyAccess.h"

namespace vellum::engine::com {

namespace {

HRESULT GetStyle(CElement& element, VARIANT* result) {
  IHTMLStyle* style = nullptr;
  HRESULT hr = element.get_style(&style);
  if (FAILED(hr)) return hr;
  V_VT(result) = VT_DISPATCH;
  V_DISPATCH(result) = style;
  return S_OK;
}

using E = CElement;

const NamedProperty<CElement> kNodeProperties[] = {
    {L"tagName", kTagNameProperty, GetText<E, &E::get_tagName>, nullptr},
    {L"innerHTML", kInnerHtmlProperty, GetText<E, &E::get_innerHTML>, PutText<E, &E::put_innerHTML>},
    {L"innerText", kInnerTextProperty, GetText<E, &E::get_innerText>, PutText<E, &E::put_innerText>},
    {L"outerHTML", kOuterHtmlProperty, GetText<E, &E::get_outerHTML>, PutText<E, &E::put_outerHTML>},
    {L"sourceIndex", kSourceIndexProperty, GetNumber<E, &E::get_sourceIndex>, nullptr},
};

const NamedProperty<CElement> kElementProperties[] = {
    {L"id", kIdProperty, GetText<E, &E::get_id>, PutText<E, &E::put_id>},
    {L"title", kTitleProperty, GetText<E, &E::get_title>, PutText<E, &E::put_title>},
    {L"className", kClassNameProperty, GetText<E, &E::get_className>, PutText<E, &E::put_className>},
    {L"style", kStyleProperty, GetStyle, nullptr},
    {L"disabled", kDisabledProperty, GetFlag<E, &E::GetDisabled>, PutFlag<E, &E::PutDisabled>},
};

}  // namespace

const NamedPropertyTable<CElement>& CElement::Properties() {
  static const NamedPropertyTable<CElement> kTable(kNodeProperties);
  return kTable;
}

const NamedPropertyTable<CElement>& CElement::ElementProperties() {
  static const NamedPropertyTable<CElement> kTable(kElementProperties, Properties());
  return kTable;
}

}  // namespace vellum::engine::com

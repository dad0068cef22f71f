// The properties of an element that callers reach by name through IDispatch.
#include "engine/com/ComValues.h"
#include "engine/com/ElementObject.h"

namespace engine {

namespace {

using TextGetter = HRESULT (STDMETHODCALLTYPE CElement::*)(BSTR*);
using TextSetter = HRESULT (STDMETHODCALLTYPE CElement::*)(BSTR);
using FlagGetter = HRESULT (STDMETHODCALLTYPE CElement::*)(VARIANT_BOOL*);
using FlagSetter = HRESULT (STDMETHODCALLTYPE CElement::*)(VARIANT_BOOL);
using NumberGetter = HRESULT (STDMETHODCALLTYPE CElement::*)(LONG*);

template <TextGetter Get>
HRESULT GetText(CElement& element, VARIANT* result) {
  BSTR text = nullptr;
  HRESULT hr = (element.*Get)(&text);
  if (FAILED(hr)) return hr;
  V_VT(result) = VT_BSTR;
  V_BSTR(result) = text;
  return S_OK;
}

template <TextSetter Put>
HRESULT PutText(CElement& element, const VARIANT& value) {
  if (V_VT(&value) == VT_BSTR) return (element.*Put)(V_BSTR(&value));
  VARIANT text;
  VariantInit(&text);
  HRESULT hr = VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR);
  if (FAILED(hr)) return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
  hr = (element.*Put)(V_BSTR(&text));
  VariantClear(&text);
  return hr;
}

template <FlagGetter Get>
HRESULT GetFlag(CElement& element, VARIANT* result) {
  VARIANT_BOOL flag = VARIANT_FALSE;
  HRESULT hr = (element.*Get)(&flag);
  if (FAILED(hr)) return hr;
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = flag;
  return S_OK;
}

template <FlagSetter Put>
HRESULT PutFlag(CElement& element, const VARIANT& value) {
  bool flag = false;
  HRESULT hr = BoolOfVariant(value, flag);
  return FAILED(hr) ? hr : (element.*Put)(ToVariantBool(flag));
}

template <NumberGetter Get>
HRESULT GetNumber(CElement& element, VARIANT* result) {
  LONG number = 0;
  HRESULT hr = (element.*Get)(&number);
  if (FAILED(hr)) return hr;
  V_VT(result) = VT_I4;
  V_I4(result) = number;
  return S_OK;
}

HRESULT GetStyle(CElement& element, VARIANT* result) {
  IHTMLStyle* style = nullptr;
  HRESULT hr = element.get_style(&style);
  if (FAILED(hr)) return hr;
  V_VT(result) = VT_DISPATCH;
  V_DISPATCH(result) = style;
  return S_OK;
}

// The body keeps the form's size as its own width and height attributes; reading one it lacks fails.
template <const char16_t* Name>
HRESULT GetBodyAttribute(CElement& element, VARIANT* result) {
  return element.GetAttributeProperty(Name, result);
}
template <const char16_t* Name>
HRESULT PutBodyAttribute(CElement& element, const VARIANT& value) {
  return element.SetAttributeProperty(Name, value);
}
constexpr char16_t kWidth[] = u"width";
constexpr char16_t kHeight[] = u"height";

template <ElementObjectKind... Kinds>
bool OfKind(const CElement& element) {
  return ((element.kind() == Kinds) || ...);
}
bool IsElement(const CElement& element) { return element.kind() != ElementObjectKind::Comment; }

enum PropertyId : DISPID {
  kId = 1, kTitle, kClassName, kTagName, kInnerHtml, kInnerText, kOuterHtml, kStyle, kDisabled, kSourceIndex,
  kSrc, kName, kValue, kType, kChecked, kReadOnly, kText, kContent, kHttpEquiv, kBodyWidth, kBodyHeight,
};

using K = ElementObjectKind;

const NamedProperty<CElement> kElementProperties[] = {
    {L"id", kId, GetText<&CElement::get_id>, PutText<&CElement::put_id>, IsElement},
    {L"title", kTitle, GetText<&CElement::get_title>, PutText<&CElement::put_title>, IsElement},
    {L"className", kClassName, GetText<&CElement::get_className>, PutText<&CElement::put_className>, IsElement},
    {L"tagName", kTagName, GetText<&CElement::get_tagName>, nullptr},
    {L"innerHTML", kInnerHtml, GetText<&CElement::get_innerHTML>, PutText<&CElement::put_innerHTML>},
    {L"innerText", kInnerText, GetText<&CElement::get_innerText>, PutText<&CElement::put_innerText>},
    {L"outerHTML", kOuterHtml, GetText<&CElement::get_outerHTML>, PutText<&CElement::put_outerHTML>},
    {L"style", kStyle, GetStyle, nullptr, IsElement},
    {L"disabled", kDisabled, GetFlag<&CElement::get_disabled>, PutFlag<&CElement::put_disabled>, IsElement},
    {L"sourceIndex", kSourceIndex, GetNumber<&CElement::get_sourceIndex>, nullptr},
    {L"src", kSrc, GetText<&CElement::get_src>, PutText<&CElement::put_src>, OfKind<K::Img, K::Input, K::Script>},
    {L"name", kName, GetText<&CElement::get_name>, PutText<&CElement::put_name>,
     OfKind<K::Input, K::TextArea, K::Select, K::Meta, K::Img>},
    {L"value", kValue, GetText<&CElement::get_value>, PutText<&CElement::put_value>,
     OfKind<K::Input, K::TextArea, K::Select, K::Option>},
    {L"type", kType, GetText<&CElement::get_type>, PutText<&CElement::put_type>,
     OfKind<K::Input, K::TextArea, K::Select, K::Style, K::Script>},
    {L"checked", kChecked, GetFlag<&CElement::get_checked>, PutFlag<&CElement::put_checked>, OfKind<K::Input>},
    {L"readOnly", kReadOnly, GetFlag<&CElement::get_readOnly>, PutFlag<&CElement::put_readOnly>,
     OfKind<K::Input, K::TextArea>},
    {L"text", kText, GetText<&CElement::get_text>, PutText<&CElement::put_text>,
     OfKind<K::Option, K::Script, K::Title, K::Comment>},
    {L"content", kContent, GetText<&CElement::get_content>, PutText<&CElement::put_content>, OfKind<K::Meta>},
    {L"httpEquiv", kHttpEquiv, GetText<&CElement::get_httpEquiv>, PutText<&CElement::put_httpEquiv>,
     OfKind<K::Meta>},
    {L"width", kBodyWidth, GetBodyAttribute<kWidth>, PutBodyAttribute<kWidth>, OfKind<K::Body>},
    {L"height", kBodyHeight, GetBodyAttribute<kHeight>, PutBodyAttribute<kHeight>, OfKind<K::Body>},
};

}  // namespace

const NamedPropertyTable<CElement>& CElement::Properties() {
  static const NamedPropertyTable<CElement> table(kElementProperties);
  return table;
}

}  // namespace engine

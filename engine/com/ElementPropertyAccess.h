// What the element classes' named-property tables share: one set of dispatch ids, and the adapters
// that let an interface method serve as a property's getter or setter.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "engine/com/ComValues.h"
#include "engine/com/NamedProperties.h"

namespace vellum::engine::com {

// One set across every element class, so that a class's table never reuses an id of the table it
// falls back to, and a name keeps its id whatever the element.
enum ElementPropertyId : DISPID {
  kIdProperty = 1,
  kTitleProperty,
  kClassNameProperty,
  kTagNameProperty,
  kInnerHtmlProperty,
  kInnerTextProperty,
  kOuterHtmlProperty,
  kStyleProperty,
  kDisabledProperty,
  kSourceIndexProperty,
  kSrcProperty,
  kNameProperty,
  kValueProperty,
  kTypeProperty,
  kCheckedProperty,
  kReadOnlyProperty,
  kTextProperty,
  kContentProperty,
  kHttpEquivProperty,
  kBodyWidthProperty,
  kBodyHeightProperty,
};

// Object: the class whose table lists the property; Get and Put: its methods (or a base class's).
template <class Object, auto Get>
HRESULT GetText(Object& object, VARIANT* result) {
  BSTR text = nullptr;
  HRESULT hr = (object.*Get)(&text);
  if (FAILED(hr)) return hr;
  V_VT(result) = VT_BSTR;
  V_BSTR(result) = text;
  return S_OK;
}

template <class Object, auto Put>
HRESULT PutText(Object& object, const VARIANT& value) {
  if (V_VT(&value) == VT_BSTR) return (object.*Put)(V_BSTR(&value));
  VARIANT text;
  VariantInit(&text);
  HRESULT hr = VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR);
  if (FAILED(hr)) return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
  hr = (object.*Put)(V_BSTR(&text));
  VariantClear(&text);
  return hr;
}

template <class Object, auto Get>
HRESULT GetFlag(Object& object, VARIANT* result) {
  VARIANT_BOOL flag = VARIANT_FALSE;
  HRESULT hr = (object.*Get)(&flag);
  if (FAILED(hr)) return hr;
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = flag;
  return S_OK;
}

template <class Object, auto Put>
HRESULT PutFlag(Object& object, const VARIANT& value) {
  bool flag = false;
  HRESULT hr = BoolOfVariant(value, flag);
  return FAILED(hr) ? hr : (object.*Put)(ToVariantBool(flag));
}

template <class Object, auto Get>
HRESULT GetNumber(Object& object, VARIANT* result) {
  LONG number = 0;
  HRESULT hr = (object.*Get)(&number);
  if (FAILED(hr)) return hr;
  V_VT(result) = VT_I4;
  V_I4(result) = number;
  return S_OK;
}

}  // namespace vellum::engine::com

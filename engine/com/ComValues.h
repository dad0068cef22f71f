// Moving values across the COM boundary: strings, flags, numbers and interfaces out, variants in,
// and the guard that keeps every exception of the core on this side of a COM method.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>
#include <string_view>

namespace vellum::engine::com {

// Every object model call that can change a page ends through Guarded, so this is where the views of
// this thread see that a call changed their page and ask for a repaint (view/ViewRefresh.cpp).
void AfterObjectModelCall() noexcept;

// Runs the body of a COM method that only reads: an allocation failure answers E_OUTOFMEMORY,
// anything else E_FAIL. Such a call cannot change a page, so the views are not asked to look.
template <class Body>
HRESULT GuardedRead(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

// Runs the body of any other COM method, as GuardedRead does, and then lets the views see a change.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  const HRESULT result = GuardedRead(static_cast<Body&&>(body));
  AfterObjectModelCall();
  return result;
}

// BSTR and UTF-16 text are the same code units.
inline std::u16string_view TextOf(BSTR text) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text), SysStringLen(text))
              : std::u16string_view();
}
inline std::u16string_view TextOf(const wchar_t* text) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text)) : std::u16string_view();
}

// Allocates the string into *out (null on failure): S_OK or E_OUTOFMEMORY.
HRESULT ReturnString(std::u16string_view text, BSTR* out);
// The same for text with its ASCII letters in upper case (an element's tag name), written straight
// into the string.
HRESULT ReturnAsciiUpper(std::u16string_view text, BSTR* out);
HRESULT ReturnStringVariant(std::u16string_view text, VARIANT* out);
HRESULT ReturnNullVariant(VARIANT* out);
HRESULT ReturnBoolVariant(bool value, VARIANT* out);

inline VARIANT_BOOL ToVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// Hands out one more reference to the interface (which may be null).
template <class Interface>
HRESULT ReturnInterface(Interface* object, Interface** out) {
  if (object) object->AddRef();
  *out = object;
  return S_OK;
}

// Gives a new object (holding its first reference) to the caller as riid and drops that first
// reference, so that a failed query frees it.
template <class Object>
HRESULT HandOut(Object* object, REFIID riid, void** out) {
  if (!out) {
    object->Release();
    return E_POINTER;
  }
  HRESULT hr = object->QueryInterface(riid, out);
  object->Release();
  return hr;
}

// A variant's value as text, truth value or number (by-reference values are followed).
// DISP_E_TYPEMISMATCH when it cannot be converted.
HRESULT TextOfVariant(const VARIANT& value, std::u16string& text);
HRESULT BoolOfVariant(const VARIANT& value, bool& result);
HRESULT LongOfVariant(const VARIANT& value, LONG& result);
// True for an argument left out (VT_EMPTY, VT_NULL, VT_ERROR with DISP_E_PARAMNOTFOUND).
bool IsMissing(const VARIANT& value);
// True for a variant holding a number of any kind.
bool IsNumber(const VARIANT& value);
// The IUnknown a VT_UNKNOWN / VT_DISPATCH variant carries, or null (not referenced).
IUnknown* UnknownOfVariant(const VARIANT& value);

}  // namespace vellum::engine::com

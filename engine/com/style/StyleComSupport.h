// What the style objects share at the COM boundary: the exception guard, and text moving between
// BSTRs, variants and the style code's UTF-16 strings.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>
#include <string_view>

namespace engine::style {

// Runs the body of a COM method; an allocation failure answers E_OUTOFMEMORY, anything else E_FAIL.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

// BSTR and UTF-16 text are the same code units (a null BSTR is the empty text).
inline std::u16string_view TextOf(const wchar_t* text, UINT length) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text), length) : std::u16string_view();
}
inline std::u16string_view TextOf(BSTR text) { return TextOf(text, text ? SysStringLen(text) : 0); }
inline std::u16string_view TextOfName(const wchar_t* name) {
  return name ? std::u16string_view(reinterpret_cast<const char16_t*>(name)) : std::u16string_view();
}

// *out gets a new BSTR (null on failure): S_OK or E_OUTOFMEMORY.
HRESULT ReturnText(std::u16string_view text, BSTR* out);
// *out gets VT_BSTR (VT_EMPTY on failure).
HRESULT ReturnTextVariant(std::u16string_view text, VARIANT* out);
HRESULT ReturnIntegerVariant(LONG value, VARIANT* out);
HRESULT ReturnNullVariant(VARIANT* out);

// Case-insensitive comparison of ASCII names, as automation looks members up.
bool NamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace engine::style

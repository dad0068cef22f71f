// What the style objects share at the COM boundary: the exception guard and text moving between
// BSTRs, variants and UTF-16 strings come from the engine's common helpers; a few forms are the
// style code's own.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string_view>

#include "comkit/NamedDispatch.h"
#include "engine/com/ComValues.h"

namespace vellum::engine::com::style {

using vellum::engine::com::Guarded;
using vellum::engine::com::GuardedRead;
using vellum::engine::com::ReturnNullVariant;
using vellum::engine::com::TextOf;

inline std::u16string_view TextOf(const wchar_t* text, UINT length) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text), length) : std::u16string_view();
}
inline std::u16string_view TextOfName(const wchar_t* name) { return vellum::engine::com::TextOf(name); }

// *out gets a new BSTR (null on failure): S_OK or E_OUTOFMEMORY.
inline HRESULT ReturnText(std::u16string_view text, BSTR* out) { return vellum::engine::com::ReturnString(text, out); }
// *out gets VT_BSTR (VT_EMPTY on failure).
inline HRESULT ReturnTextVariant(std::u16string_view text, VARIANT* out) {
  return vellum::engine::com::ReturnStringVariant(text, out);
}
HRESULT ReturnIntegerVariant(LONG value, VARIANT* out);

// Case-insensitive comparison of ASCII names, as automation looks members up.
using comkit::NamesEqualIgnoringCase;

}  // namespace vellum::engine::com::style

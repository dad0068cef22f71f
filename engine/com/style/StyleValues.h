// How values given to a style property through automation become the property's text, and how the
// text goes back out.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <optional>
#include <string>
#include <string_view>

#include "css/property.h"

namespace vellum::engine::com::style {

// The text that `value` stands for as a value of property `id`: a string as given; a number as a
// pixel length for lengths ("10px"), as an integer for z-index ("5"), as "#rrggbb" for colours
// (0xRRGGBB), as decimal text otherwise; the empty text (which removes the property) for VT_EMPTY and
// VT_NULL. DISP_E_TYPEMISMATCH for values that have no text, E_INVALIDARG for numbers out of range.
HRESULT PropertyTextOf(vellum::engine::css::PropertyId id, const VARIANT& value, std::u16string& text);

// The text as a whole integer ("5", "-12"), when it is one within LONG's range.
std::optional<LONG> IntegerOfText(std::u16string_view text);

// z-index travels as VT_I4 when it is a number and as its text ("auto", "") otherwise.
HRESULT ReturnZIndex(std::u16string_view text, VARIANT* out);

}  // namespace vellum::engine::com::style

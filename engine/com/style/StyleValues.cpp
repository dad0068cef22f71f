#include "engine/com/style/StyleValues.h"

#include <climits>
#include <cmath>

#include "css/color.h"
#include "css/css_text.h"
#include "css/length.h"
#include "engine/com/style/StyleComSupport.h"

namespace vellum::engine::com::style {

namespace css = vellum::engine::css;

namespace {

bool IsNumber(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_DECIMAL:
    case VT_CY:
      return true;
    default:
      return false;
  }
}

// What a number given to the property means; a shorthand means what its first longhand means.
css::ValueKind NumberKind(css::PropertyId id) {
  const css::PropertyInfo& info = css::Info(id);
  return info.kind == css::ValueKind::Shorthand ? css::Info(info.longhands.front()).kind : info.kind;
}

bool NumberIsPixels(css::ValueKind kind) {
  switch (kind) {
    case css::ValueKind::LengthOrAuto:
    case css::ValueKind::Length:
    case css::ValueKind::LengthOrNone:
    case css::ValueKind::LengthOrNormal:
    case css::ValueKind::BorderWidth:
    case css::ValueKind::FontSize:
    case css::ValueKind::VerticalAlign:
      return true;
    default:
      return false;
  }
}

HRESULT TextOfNumber(css::PropertyId id, double number, std::u16string& text) {
  if (!std::isfinite(number)) return E_INVALIDARG;
  const css::ValueKind kind = NumberKind(id);
  if (kind == css::ValueKind::IntegerOrAuto) {
    const double whole = std::trunc(number);
    if (whole < INT_MIN || whole > INT_MAX) return E_INVALIDARG;
    text = css::FromAscii(std::to_string(static_cast<long long>(whole)));
    return S_OK;
  }
  if (kind == css::ValueKind::Color) {
    if (number < 0 || number > 0xffffff) return E_INVALIDARG;
    const auto rgb = static_cast<unsigned long>(number);
    text = css::FormatHexColor(css::Rgb{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                                        static_cast<std::uint8_t>(rgb)});
    return S_OK;
  }
  if (std::fabs(number) > css::kLengthMagnitudeLimit) return E_INVALIDARG;
  text = css::FormatNumber(number);
  if (NumberIsPixels(kind)) text += u"px";
  return S_OK;
}

}  // namespace

HRESULT PropertyTextOf(css::PropertyId id, const VARIANT& given, std::u16string& text) {
  VARIANT value;
  VariantInit(&value);
  HRESULT hr = VariantCopyInd(&value, const_cast<VARIANT*>(&given));
  if (FAILED(hr)) return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
  VARIANT converted;
  VariantInit(&converted);
  const VARTYPE type = V_VT(&value);
  try {
    if (type == VT_EMPTY || type == VT_NULL) {
      text.clear();
    } else if (type == VT_BSTR) {
      text.assign(TextOf(V_BSTR(&value)));
    } else if (IsNumber(type)) {
      hr = VariantChangeType(&converted, &value, 0, VT_R8);
      if (SUCCEEDED(hr)) hr = TextOfNumber(id, V_R8(&converted), text);
    } else {
      hr = VariantChangeType(&converted, &value, 0, VT_BSTR);
      if (SUCCEEDED(hr))
        text.assign(TextOf(V_BSTR(&converted)));
      else if (hr != E_OUTOFMEMORY)
        hr = DISP_E_TYPEMISMATCH;
    }
  } catch (...) {
    VariantClear(&converted);
    VariantClear(&value);
    throw;
  }
  VariantClear(&converted);
  VariantClear(&value);
  return hr;
}

std::optional<LONG> IntegerOfText(std::u16string_view text) {
  text = css::TrimCssWhitespace(text);
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == u'-';
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) ++i;
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (!css::IsAsciiDigit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  value = negative ? -value : value;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<LONG>(value);
}

HRESULT ReturnZIndex(std::u16string_view text, VARIANT* out) {
  if (const std::optional<LONG> number = IntegerOfText(text)) return ReturnIntegerVariant(*number, out);
  return ReturnTextVariant(text, out);
}

}  // namespace vellum::engine::com::style

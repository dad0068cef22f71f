#include "engine/com/style/InlineStyle.h"

#include <cmath>

#include "css/css_text.h"
#include "css/inline_style.h"
#include "css/length.h"
#include "engine/com/style/StyleValues.h"

namespace vellum::engine::com::style {

namespace {

constexpr DISPID kCssTextDispid = 1;

// The unit a length is written in ("px" for "10px", "em" for "1.5em"); "px" for anything else.
std::u16string UnitOf(std::u16string_view text) {
  text = css::TrimCssWhitespace(text);
  const std::optional<css::Length> length = css::ParseLength(text);
  if (!length || length->unit == css::LengthUnit::Unitless) return u"px";
  const size_t unit = text.find_first_not_of(u"+-.0123456789");
  return std::u16string(text.substr(unit == std::u16string_view::npos ? text.size() : unit));
}

}  // namespace

const StyleMember<CInlineStyle> CInlineStyle::kMembers[] = {
    {L"cssText", kCssTextDispid, &CInlineStyle::GetCssTextMember, &CInlineStyle::PutCssTextMember},
};
const StyleDispatch<CInlineStyle> CInlineStyle::kDispatch(CInlineStyle::kMembers);

HRESULT CInlineStyle::QueryInterfaceImpl(REFIID riid, void** out) {
  return QueryInterfaceOf<IHTMLStyle, IDispatch>(this, riid, out);
}

const css::DeclarationBlock& CInlineStyle::Declarations() const {
  static const css::DeclarationBlock kNone;
  const css::ParsedInlineStyle* parsed = css::InlineStyleOf(*element_);
  return parsed ? parsed->Declarations() : kNone;
}

const std::u16string& CInlineStyle::CssText() const {
  static const std::u16string kNone;
  const css::ParsedInlineStyle* parsed = css::InlineStyleOf(*element_);
  return parsed ? parsed->CssText() : kNone;
}

void CInlineStyle::WriteBack(const css::DeclarationBlock& declarations) {
  const std::u16string text = declarations.CssText();
  // Setting a value the style already has (a drag's width and height) changes nothing: the element
  // keeps its parsed style, and the page is not marked changed.
  const Attribute* current = element_->FindAttribute(u"style");
  if (current ? current->value == text : text.empty()) return;
  if (text.empty()) {
    element_->RemoveAttribute(u"style");
  } else {
    element_->SetAttribute(u"style", text);
  }
}

template <class Change>
HRESULT CInlineStyle::Modify(Change&& change) {
  return Guarded([&]() -> HRESULT {
    css::DeclarationBlock declarations = Declarations();
    const HRESULT hr = change(declarations);
    if (SUCCEEDED(hr)) WriteBack(declarations);
    return hr;
  });
}

// --- properties ----------------------------------------------------------------------------------

HRESULT CInlineStyle::GetText(css::PropertyId id, BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return GuardedRead([&] { return ReturnText(Declarations().Get(id), p); });
}

HRESULT CInlineStyle::PutText(css::PropertyId id, BSTR value) {
  return Guarded([&] { return SetValueText(id, TextOf(value)); });
}

HRESULT CInlineStyle::SetValueText(css::PropertyId id, std::u16string_view text) {
  return Modify([&](css::DeclarationBlock& declarations) {
    return declarations.Set(id, text) == css::SetResult::Rejected ? E_INVALIDARG : S_OK;
  });
}

HRESULT CInlineStyle::GetProperty(css::PropertyId id, VARIANT* result) {
  if (!result) return E_POINTER;
  VariantInit(result);
  return Guarded([&] {
    const std::u16string text = Declarations().Get(id);
    return id == css::PropertyId::ZIndex ? ReturnZIndex(text, result) : ReturnTextVariant(text, result);
  });
}

HRESULT CInlineStyle::PutProperty(css::PropertyId id, const VARIANT& value) {
  return Guarded([&] {
    std::u16string text;
    const HRESULT hr = PropertyTextOf(id, value, text);
    return FAILED(hr) ? hr : SetValueText(id, text);
  });
}

HRESULT CInlineStyle::GetPixels(css::PropertyId id, LONG* p) {
  if (!p) return E_POINTER;
  *p = 0;
  return Guarded([&] {
    const std::optional<double> px = css::LengthTextToPx(Declarations().Get(id), css::LengthContext{});
    *p = px ? static_cast<LONG>(std::lround(*px)) : 0;
    return S_OK;
  });
}

HRESULT CInlineStyle::PutPixels(css::PropertyId id, LONG value) {
  return Guarded([&] { return SetValueText(id, css::FromAscii(std::to_string(value)) + u"px"); });
}

HRESULT CInlineStyle::GetPos(css::PropertyId id, float* p) {
  if (!p) return E_POINTER;
  *p = 0;
  return Guarded([&] {
    const std::optional<css::Length> length = css::ParseLength(css::TrimCssWhitespace(Declarations().Get(id)));
    *p = length ? static_cast<float>(length->value) : 0.0f;
    return S_OK;
  });
}

HRESULT CInlineStyle::PutPos(css::PropertyId id, float value) {
  if (!std::isfinite(value) || std::fabs(value) > css::kLengthMagnitudeLimit) return E_INVALIDARG;
  return Guarded([&] { return SetValueText(id, css::FormatNumber(value) + UnitOf(Declarations().Get(id))); });
}

// --- cssText -------------------------------------------------------------------------------------

HRESULT CInlineStyle::get_cssText(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return GuardedRead([&] { return ReturnText(CssText(), p); });
}

HRESULT CInlineStyle::put_cssText(BSTR v) {
  return Modify([&](css::DeclarationBlock& declarations) {
    declarations.SetCssText(TextOf(v));
    return S_OK;
  });
}

HRESULT CInlineStyle::GetCssTextMember(CInlineStyle& self, VARIANT* result) {
  return GuardedRead([&] { return ReturnTextVariant(self.CssText(), result); });
}

HRESULT CInlineStyle::PutCssTextMember(CInlineStyle& self, const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  HRESULT hr = VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR);
  if (FAILED(hr)) return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
  hr = self.put_cssText(V_BSTR(&text));
  VariantClear(&text);
  return hr;
}

// --- attributes ----------------------------------------------------------------------------------

HRESULT CInlineStyle::setAttribute(BSTR name, VARIANT value, LONG) {
  return Guarded([&]() -> HRESULT {
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(kDispatch.GetIDsOfNames(names, 1, &id))) return E_INVALIDARG;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    return kDispatch.Invoke(*this, id, DISPATCH_PROPERTYPUT, &params, nullptr);
  });
}

HRESULT CInlineStyle::getAttribute(BSTR name, LONG, VARIANT* value) {
  if (!value) return E_POINTER;
  VariantInit(value);
  return Guarded([&]() -> HRESULT {
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(kDispatch.GetIDsOfNames(names, 1, &id))) return ReturnNullVariant(value);
    DISPPARAMS none = {};
    return kDispatch.Invoke(*this, id, DISPATCH_PROPERTYGET, &none, value);
  });
}

HRESULT CInlineStyle::removeAttribute(BSTR name, LONG, VARIANT_BOOL* removed) {
  if (removed) *removed = VARIANT_FALSE;
  const std::optional<css::PropertyId> id = css::FindProperty(TextOf(name));
  if (!id) return S_OK;
  return Modify([&](css::DeclarationBlock& declarations) {
    const bool had = !declarations.Get(*id).empty();
    declarations.Set(*id, u"");
    if (removed) *removed = had ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  });
}

}  // namespace vellum::engine::com::style

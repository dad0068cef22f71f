// The input element's object: its value and checked state from the form-state store, the rest from
// its attributes.
#include "engine/com/ComValues.h"
#include "engine/com/ElementPropertyAccess.h"
#include "engine/com/FormElementObjects.h"
#include "engine/com/FormState.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/SourceUrl.h"

namespace vellum::engine::com {

using vellum::engine::Element;

namespace {

// The type an input reports: its type attribute in lower case when it names a known type, else "text".
std::u16string InputType(const Element& input) {
  static const char16_t* const kKnownTypes[] = {u"text",  u"password", u"checkbox", u"radio", u"submit",
                                                u"reset", u"file",     u"hidden",   u"image", u"button"};
  std::u16string type = vellum::engine::ToAsciiLower(AttributeText(input, u"type"));
  for (const char16_t* known : kKnownTypes)
    if (type == known) return type;
  return u"text";
}

using I = CInputElement;

const NamedProperty<CInputElement> kInputProperties[] = {
    {L"src", kSrcProperty, GetText<I, &I::get_src>, PutText<I, &I::put_src>},
    {L"name", kNameProperty, GetText<I, &I::get_name>, PutText<I, &I::put_name>},
    {L"value", kValueProperty, GetText<I, &I::get_value>, PutText<I, &I::put_value>},
    {L"type", kTypeProperty, GetText<I, &I::get_type>, PutText<I, &I::put_type>},
    {L"checked", kCheckedProperty, GetFlag<I, &I::get_checked>, PutFlag<I, &I::put_checked>},
    {L"readOnly", kReadOnlyProperty, GetFlag<I, &I::get_readOnly>, PutFlag<I, &I::put_readOnly>},
};

}  // namespace

const NamedPropertyTable<CInputElement>& CInputElement::Properties() {
  static const NamedPropertyTable<CInputElement> kTable(kInputProperties, CElement::ElementProperties());
  return kTable;
}

HRESULT CInputElement::get_type(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(InputType(*GetElement()), p); });
}

HRESULT CInputElement::put_type(BSTR v) { return SetAttributeText(u"type", v); }

HRESULT CInputElement::get_value(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(GetDocument().FormState().Value(*GetElement()), p); });
}

HRESULT CInputElement::put_value(BSTR v) {
  return Guarded([&] {
    GetDocument().FormState().SetValue(*GetElement(), TextOf(v));
    GetDocument().RepaintView();
    return S_OK;
  });
}

HRESULT CInputElement::get_name(BSTR* p) { return GetAttributeText(u"name", p); }
HRESULT CInputElement::put_name(BSTR v) { return SetAttributeText(u"name", v); }
HRESULT CInputElement::get_readOnly(VARIANT_BOOL* p) { return GetAttributeFlag(u"readonly", p); }
HRESULT CInputElement::put_readOnly(VARIANT_BOOL v) { return SetAttributeFlag(u"readonly", v); }

// The markup's value, where the current one starts from.
HRESULT CInputElement::get_defaultValue(BSTR* p) { return GetAttributeText(u"value", p); }
HRESULT CInputElement::put_defaultValue(BSTR v) { return SetAttributeText(u"value", v); }

HRESULT CInputElement::get_size(LONG* p) { return GetAttributeNumber(u"size", 20, p); }
HRESULT CInputElement::put_size(LONG v) { return SetAttributeNumber(u"size", v); }
HRESULT CInputElement::get_maxLength(LONG* p) { return GetAttributeNumber(u"maxlength", 0x7fffffff, p); }
HRESULT CInputElement::put_maxLength(LONG v) { return SetAttributeNumber(u"maxlength", v); }

HRESULT CInputElement::get_checked(VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  *p = ToVariantBool(GetDocument().FormState().Checked(*GetElement()));
  return S_OK;
}

HRESULT CInputElement::put_checked(VARIANT_BOOL v) {
  return Guarded([&] {
    GetDocument().FormState().SetChecked(*GetElement(), v != VARIANT_FALSE);
    GetDocument().RepaintView();
    return S_OK;
  });
}

HRESULT CInputElement::get_defaultChecked(VARIANT_BOOL* p) { return GetAttributeFlag(u"checked", p); }
HRESULT CInputElement::put_defaultChecked(VARIANT_BOOL v) { return SetAttributeFlag(u"checked", v); }

// An image input reports the URL it shows, as an image does.
HRESULT CInputElement::get_src(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(ResolvedSourceUrl(AttributeText(*GetElement(), u"src")), p); });
}

HRESULT CInputElement::put_src(BSTR v) { return SetAttributeText(u"src", v); }
HRESULT CInputElement::get_alt(BSTR* p) { return GetAttributeText(u"alt", p); }
HRESULT CInputElement::put_alt(BSTR v) { return SetAttributeText(u"alt", v); }

// The width and height of its box; setting them writes the attribute.
HRESULT CInputElement::get_width(LONG* p) { return get_offsetWidth(p); }
HRESULT CInputElement::get_height(LONG* p) { return get_offsetHeight(p); }
HRESULT CInputElement::put_width(LONG v) { return SetAttributeNumber(u"width", v); }
HRESULT CInputElement::put_height(LONG v) { return SetAttributeNumber(u"height", v); }

}  // namespace vellum::engine::com

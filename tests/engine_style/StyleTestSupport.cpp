#include <initguid.h>  // the MSHTML GUIDs are defined in this one file of the test

#include "StyleTestSupport.h"

#include <atomic>
#include <cstdio>

#include "engine/com/ComObject.h"
#include "parser/html_parser.h"

// The objects compiled into this test count themselves here instead of in the engine module.
namespace vellum::engine::com {
namespace {
std::atomic<LONG> liveObjects{0};
}  // namespace
void ObjectCreated() { ++liveObjects; }
void ObjectDestroyed() { --liveObjects; }
LONG LiveObjects() { return liveObjects.load(); }
// No view exists here to repaint after a change.
void AfterObjectModelCall() noexcept {}
}  // namespace vellum::engine::com

namespace st {

LONG LiveObjects() { return vellum::engine::com::LiveObjects(); }

const wchar_t* const kSheetStyleProperties[23] = {L"color",          L"backgroundColor", L"borderColor", L"borderStyle",
                                                  L"borderWidth",    L"margin",          L"padding",     L"top",
                                                  L"left",           L"width",           L"height",      L"overflowX",
                                                  L"overflowY",      L"zIndex",          L"fontFamily",  L"fontSize",
                                                  L"fontStyle",      L"fontVariant",     L"fontWeight",  L"textAlign",
                                                  L"textDecoration", L"textTransform",   L"cursor"};

Page::Page(const std::wstring& html)
    : document_(vellum::engine::ParseDocument(
          std::u16string_view(reinterpret_cast<const char16_t*>(html.data()), html.size()))) {}

vellum::engine::Element& Page::ById(const std::wstring& id) const {
  const std::u16string_view wanted(reinterpret_cast<const char16_t*>(id.data()), id.size());
  for (vellum::engine::Node* node : document_->All()) {
    vellum::engine::Element* element = vellum::engine::AsElement(node);
    const vellum::engine::Attribute* attribute = element ? element->FindAttribute(u"id") : nullptr;
    if (attribute && attribute->value == wanted) return *element;
  }
  ADD_FAILURE() << "no element with id " << std::string(id.begin(), id.end());
  return *document_->Body();
}

std::wstring Page::StyleAttribute(const std::wstring& id) const {
  const vellum::engine::Attribute* style = ById(id).FindAttribute(u"style");
  return style ? std::wstring(style->value.begin(), style->value.end()) : L"(none)";
}

Variant::Variant(const std::wstring& text) {
  VariantInit(&value_);
  V_VT(&value_) = VT_BSTR;
  V_BSTR(&value_) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Variant::Variant(LONG number) {
  VariantInit(&value_);
  V_VT(&value_) = VT_I4;
  V_I4(&value_) = number;
}

Variant Variant::Double(double number) {
  Variant v;
  V_VT(&v.value_) = VT_R8;
  V_R8(&v.value_) = number;
  return v;
}

Variant Variant::Short(SHORT number) {
  Variant v;
  V_VT(&v.value_) = VT_I2;
  V_I2(&v.value_) = number;
  return v;
}

VARIANT* Variant::Out() {
  VariantClear(&value_);
  V_VT(&value_) = VT_ERROR;
  V_ERROR(&value_) = static_cast<SCODE>(0xdeadbeef);
  return &value_;
}

std::wstring Variant::Text() const {
  if (V_VT(&value_) == VT_BSTR) return std::wstring(V_BSTR(&value_), SysStringLen(V_BSTR(&value_)));
  return L"<vt " + std::to_wstring(V_VT(&value_)) + L">";
}

namespace {

HRESULT IdOf(IDispatch* dispatch, const std::wstring& name, DISPID& id) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  return dispatch->GetIDsOfNames(GUID{}, names, 1, LOCALE_USER_DEFAULT, &id);
}

}  // namespace

HRESULT GetByName(IUnknown* object, const std::wstring& name, Variant& result) {
  IDispatch* dispatch = nullptr;
  HRESULT hr = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  if (FAILED(hr)) return hr;
  DISPID id = 0;
  hr = IdOf(dispatch, name, id);
  if (SUCCEEDED(hr)) {
    DISPPARAMS none = {};
    hr = dispatch->Invoke(id, GUID{}, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.Out(), nullptr, nullptr);
  }
  dispatch->Release();
  return hr;
}

HRESULT PutByName(IUnknown* object, const std::wstring& name, Variant& value) {
  IDispatch* dispatch = nullptr;
  HRESULT hr = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  if (FAILED(hr)) return hr;
  DISPID id = 0;
  hr = IdOf(dispatch, name, id);
  if (SUCCEEDED(hr)) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value.get(), &named, 1, 1};
    hr = dispatch->Invoke(id, GUID{}, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
  }
  dispatch->Release();
  return hr;
}

std::wstring TextByName(IUnknown* object, const std::wstring& name) {
  Variant result;
  const HRESULT hr = GetByName(object, name, result);
  if (FAILED(hr)) {
    wchar_t text[32];
    std::swprintf(text, 32, L"<error %08lx>", static_cast<unsigned long>(hr));
    return text;
  }
  if (result.Type() == VT_BSTR) return result.Text();
  Variant converted;
  return SUCCEEDED(VariantChangeType(converted.Out(), &result.get(), 0, VT_BSTR)) ? converted.Text() : result.Text();
}

}  // namespace st

#include "properties/PropertyDrivers.h"

#include "window/Trace.h"

namespace {

std::wstring Widened(const char* name) {
  if (!name) return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

CComRef<IDispatch> DispatchOf(IUnknown* object) {
  CComRef<IDispatch> dispatch;
  if (object) object->QueryInterface(IID_IDispatch, dispatch.OutVoid());
  return dispatch;
}

// The named property's value, as it comes.
bool ReadProperty(IDispatch* object, const std::wstring& name, VARIANT* value) {
  if (!object || !value) return false;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  VariantInit(value);
  return SUCCEEDED(
      object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr));
}

bool WriteProperty(IDispatch* object, const std::wstring& name, VARIANT& value) {
  if (!object) return false;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS parameters = {&value, &put, 1, 1};
  const VARTYPE type = V_VT(&value);
  const bool reference = type == VT_UNKNOWN || type == VT_DISPATCH || (type & (VT_ARRAY | VT_BYREF));
  if (reference && SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUTREF, &parameters,
                                            nullptr, nullptr, nullptr)))
    return true;
  return SUCCEEDED(
      object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr, nullptr));
}

// Reads into value, converted to type where it converts (left as it came where it does not).
bool ReadConverted(IDispatch* object, const std::wstring& name, VARTYPE type, VARIANT* value) {
  CVariant read;
  if (!ReadProperty(object, name, &read.get())) return false;
  VariantChangeType(&read.get(), &read.get(), 0, type);
  VariantInit(value);
  *value = read.get();
  V_VT(&read.get()) = VT_EMPTY;  // moved out
  return true;
}

// The write of the element, document and style drivers: compare with what target holds now, then put.
int PutIfDifferent(IDispatch* readFrom, IDispatch* writeTo, const std::wstring& name, VARTYPE type,
                   const VARIANT& value) {
  if (!readFrom || !writeTo) return 0;
  CVariant current;
  if (!ReadProperty(readFrom, name, &current.get())) return 0;
  CVariant wanted;
  if (FAILED(VariantCopy(&wanted.get(), const_cast<VARIANT*>(&value)))) return 0;
  VariantChangeType(&current.get(), &current.get(), 0, type);
  VariantChangeType(&wanted.get(), &wanted.get(), 0, type);
  if (property_values::Equal(current.get(), wanted.get())) return 1;
  return WriteProperty(writeTo, name, wanted.get()) ? 1 : 0;
}

bool TextOf(const VARIANT& value, CVariant& text) {
  return SUCCEEDED(VariantChangeType(&text.get(), const_cast<VARIANT*>(&value), 0, VT_BSTR)) && text.Type() == VT_BSTR;
}

bool SameText(BSTR a, BSTR b) {
  const int length = BstrLength(a);
  return length == BstrLength(b) && (length == 0 || memcmp(a, b, static_cast<size_t>(length) * sizeof(OLECHAR)) == 0);
}

// The write of the text drivers: the text, read back first and written only when it differs. The traces
// name the driver: the text does not convert, the current text cannot be read, the write fails.
struct TextWriteTraces {
  const char* conversion;
  const char* reading;
  const char* writing;
};

template <class Read, class Write>
int PutTextIfDifferent(const VARIANT& value, Read read, Write write, const TextWriteTraces& traces) {
  CVariant wanted;
  if (!TextOf(value, wanted)) {
    TRACE(traces.conversion);
    return 0;
  }
  CVariant current;
  if (!read(&current.get())) {
    TRACE(traces.reading);
    return 0;
  }
  if (SameText(V_BSTR(&current.get()), V_BSTR(&wanted.get()))) return 1;
  return write(V_BSTR(&wanted.get()));
}

}  // namespace

namespace property_values {

bool Equal(const VARIANT& a, const VARIANT& b) {
  if (V_VT(&a) == VT_EMPTY && V_VT(&b) == VT_EMPTY) return true;
  if (V_VT(&a) != V_VT(&b)) return false;
  return VarCmp(const_cast<VARIANT*>(&a), const_cast<VARIANT*>(&b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}

}  // namespace property_values

// --- element and document ---------------------------------------------------------------------------------

CHTMLElementPropDriver::CHTMLElementPropDriver(IHTMLElement* element, const char* name, VARTYPE type)
    : object_(DispatchOf(element)), name_(Widened(name)), type_(type) {}

CHTMLElementPropDriver::CHTMLElementPropDriver(DocumentTarget, IHTMLElement* element, const char* name, VARTYPE type)
    : name_(Widened(name)), type_(type) {
  CComRef<IDispatch> document;
  if (element && SUCCEEDED(element->get_document(document.Out()))) object_ = DispatchOf(document.get());
}

int CHTMLElementPropDriver::GetValue(VARIANT* value) {
  if (!object_ || !value) return 0;
  return ReadConverted(object_.get(), name_, type_, value) ? 1 : 0;
}

int CHTMLElementPropDriver::PutValue(const VARIANT& value) {
  return PutIfDifferent(object_.get(), object_.get(), name_, type_, value);
}

// --- style ------------------------------------------------------------------------------------------------

CHTMLElementStylePropDriver::CHTMLElementStylePropDriver(IHTMLElement* element, const char* name, VARTYPE type)
    : name_(Widened(name)), type_(type) {
  if (!element) return;
  CComRef<IHTMLElement2> element2;
  CComRef<IHTMLCurrentStyle> current;
  if (SUCCEEDED(element->QueryInterface(IID_IHTMLElement2, element2.OutVoid())) && element2 &&
      SUCCEEDED(element2->get_currentStyle(current.Out())))
    current_ = DispatchOf(current.get());
  CComRef<IHTMLStyle> style;
  if (SUCCEEDED(element->get_style(style.Out()))) inline_ = DispatchOf(style.get());
  if (inline_) ReadProperty(inline_.get(), name_, &initialInline_.get());
}

int CHTMLElementStylePropDriver::GetValue(VARIANT* value) {
  if (!current_ || !value) return 0;
  return ReadConverted(current_.get(), name_, type_, value) ? 1 : 0;
}

// Compared with the style the element shows: a value it already shows is not written inline.
int CHTMLElementStylePropDriver::PutValue(const VARIANT& value) {
  return PutIfDifferent(current_.get(), inline_.get(), name_, type_, value);
}

int CHTMLElementStylePropDriver::RestoreInline() {
  if (!inline_) return 0;
  CVariant current;
  if (!ReadProperty(inline_.get(), name_, &current.get())) return 0;
  CVariant before;
  if (FAILED(VariantCopy(&before.get(), &initialInline_.get()))) return 0;
  if (before.Type() == VT_EMPTY || before.Type() == VT_NULL) {
    V_VT(&before.get()) = VT_BSTR;
    V_BSTR(&before.get()) = SysAllocString(L"");  // an empty value removes the declaration
  }
  if (property_values::Equal(current.get(), before.get())) return 1;
  return WriteProperty(inline_.get(), name_, before.get()) ? 1 : 0;
}

// --- input value ------------------------------------------------------------------------------------------

CHTMLValuePropertyDriver::CHTMLValuePropertyDriver(IHTMLElement* element, const char*, VARTYPE)
    : element_(CComRef<IHTMLElement>::Share(element)) {}

int CHTMLValuePropertyDriver::GetValue(VARIANT* value) {
  if (!element_ || !value) return 0;
  CComRef<IHTMLInputElement> input;
  if (FAILED(element_->QueryInterface(IID_IHTMLInputElement, input.OutVoid())) || !input) {
    TRACE("CHTMLValuePropertyDriver::GetValue(): IHTMLInputElement query failed\n");
    return 0;
  }
  CBstr text;
  if (FAILED(input->get_value(text.Out()))) {
    TRACE("CHTMLValuePropertyDriver::GetValue(): get_value() failed\n");
    return 0;
  }
  VariantInit(value);
  V_VT(value) = VT_BSTR;
  V_BSTR(value) = text.Detach();
  return 1;
}

int CHTMLValuePropertyDriver::PutValue(const VARIANT& value) {
  if (!element_) return 0;
  static constexpr TextWriteTraces kTraces = {"CHTMLValuePropertyDriver::PutValue(): Change variant type\n",
                                              "CHTMLValuePropertyDriver::PutValue(): Can't get current value\n",
                                              "CHTMLValuePropertyDriver::PutValue(): Can't put new value\n"};
  return PutTextIfDifferent(
      value, [this](VARIANT* current) { return GetValue(current); },
      [this](BSTR text) {
        CComRef<IHTMLInputElement> input;
        if (FAILED(element_->QueryInterface(IID_IHTMLInputElement, input.OutVoid())) || !input) {
          TRACE("CHTMLValuePropertyDriver::PutValue(): IHTMLInputElement query failed\n");
          return 0;
        }
        if (FAILED(input->put_value(text))) {
          TRACE(kTraces.writing);
          return 0;
        }
        return 1;
      },
      kTraces);
}

// --- inner HTML -------------------------------------------------------------------------------------------

CHTMLInnerHTMLPropertyDriver::CHTMLInnerHTMLPropertyDriver(IHTMLElement* element, const char*, VARTYPE)
    : element_(CComRef<IHTMLElement>::Share(element)) {}

int CHTMLInnerHTMLPropertyDriver::GetValue(VARIANT* value) {
  if (!element_ || !value) return 0;
  CBstr text;
  if (FAILED(element_->get_innerHTML(text.Out()))) {
    TRACE("CHTMLInnerHTMLPropertyDriver::GetValue(): get_innerHTML() failed\n");
    return 0;
  }
  VariantInit(value);
  V_VT(value) = VT_BSTR;
  V_BSTR(value) = text.Detach();
  return 1;
}

int CHTMLInnerHTMLPropertyDriver::PutValue(const VARIANT& value) {
  if (!element_) return 0;
  static constexpr TextWriteTraces kTraces = {"CHTMLInnerHTMLPropertyDriver::PutValue(): Change variant type\n",
                                              "CHTMLInnerHTMLPropertyDriver::PutValue(): Can't get current value\n",
                                              "CHTMLInnerHTMLPropertyDriver::PutValue(): Can't put new value\n"};
  return PutTextIfDifferent(
      value, [this](VARIANT* current) { return GetValue(current); },
      [this](BSTR text) {
        if (FAILED(element_->put_innerHTML(text))) {
          TRACE(kTraces.writing);
          return 0;
        }
        return 1;
      },
      kTraces);
}

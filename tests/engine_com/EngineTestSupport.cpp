#include <initguid.h>  // the MSHTML GUIDs are defined in this one file

#include "EngineTestSupport.h"

#include <cguid.h>

#include "MessagePump.h"

namespace et {

LONG EngineLiveObjects() {
  HMODULE engine = GetModuleHandleW(L"vellumengine.dll");
  if (!engine) return 0;
  auto count = reinterpret_cast<LONG(WINAPI*)()>(GetProcAddress(engine, "VellumEngine_LiveObjects"));
  return count ? count() : -1;
}

IHTMLDocument2* CreateDocument() {
  IHTMLDocument2* document = nullptr;
  CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IHTMLDocument2,
                   reinterpret_cast<void**>(&document));
  return document;
}

HRESULT LoadBytes(IHTMLDocument2* document, const std::string& bytes) {
  IPersistStreamInit* persist = nullptr;
  HRESULT hr = document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  if (FAILED(hr)) return hr;
  hr = persist->InitNew();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
  if (memory) {
    void* p = GlobalLock(memory);
    memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  if (SUCCEEDED(hr)) hr = CreateStreamOnHGlobal(memory, TRUE, &stream);
  if (SUCCEEDED(hr)) {
    ULARGE_INTEGER size;
    size.QuadPart = bytes.size();
    stream->SetSize(size);
    hr = persist->Load(stream);
    stream->Release();
  }
  persist->Release();
  return hr;
}

HRESULT LoadUtf16(IHTMLDocument2* document, const std::wstring& text) {
  return LoadBytes(document, std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2));
}

ReadyStateSink::ReadyStateSink(IHTMLDocument2* document) : document_(document) {
  IConnectionPointContainer* container = nullptr;
  if (SUCCEEDED(document->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
    if (SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point_)))
      point_->Advise(static_cast<IPropertyNotifySink*>(this), &cookie_);
    container->Release();
  }
}

ReadyStateSink::~ReadyStateSink() { Disconnect(); }

void ReadyStateSink::Disconnect() {
  if (point_) {
    point_->Unadvise(cookie_);
    point_->Release();
    point_ = nullptr;
  }
}

HRESULT ReadyStateSink::QueryInterface(REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink)) {
    *out = static_cast<IPropertyNotifySink*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT ReadyStateSink::OnChanged(DISPID id) {
  if (id == DISPID_READYSTATE) states.push_back(ReadyState(document_));
  return S_OK;
}

int ReadyStateSink::Completions() const {
  int n = 0;
  for (LONG s : states) n += s == READYSTATE_COMPLETE;
  return n;
}

LONG ReadyState(IHTMLDocument2* document) {
  DISPPARAMS none = {};
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = document->Invoke(DISPID_READYSTATE, GUID{}, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                nullptr, nullptr);
  if (FAILED(hr) || V_VT(&result) != VT_I4) return -1;
  return V_I4(&result);
}

bool WaitComplete(IHTMLDocument2* document, DWORD timeoutMs) {
  return vt::PumpUntil([&] { return ReadyState(document) == READYSTATE_COMPLETE; }, timeoutMs);
}

::testing::AssertionResult LoadBytesAndWait(IHTMLDocument2* document, const std::string& bytes) {
  HRESULT hr = LoadBytes(document, bytes);
  if (FAILED(hr)) return ::testing::AssertionFailure() << "Load failed: 0x" << std::hex << hr;
  if (!WaitComplete(document)) return ::testing::AssertionFailure() << "the load never completed";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult LoadAndWait(IHTMLDocument2* document, const std::wstring& html) {
  return LoadBytesAndWait(document, std::string(reinterpret_cast<const char*>(html.data()), html.size() * 2));
}

Variant Variant::Long(LONG value) {
  Variant v;
  V_VT(&v.v_) = VT_I4;
  V_I4(&v.v_) = value;
  return v;
}

Variant Variant::Short(SHORT value) {
  Variant v;
  V_VT(&v.v_) = VT_I2;
  V_I2(&v.v_) = value;
  return v;
}

Variant Variant::Text(const wchar_t* text) {
  Variant v;
  V_VT(&v.v_) = VT_BSTR;
  V_BSTR(&v.v_) = SysAllocString(text);
  return v;
}

Variant Variant::Bool(bool value) {
  Variant v;
  V_VT(&v.v_) = VT_BOOL;
  V_BOOL(&v.v_) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

Variant Variant::Object(IUnknown* object) {
  Variant v;
  IDispatch* dispatch = nullptr;
  if (object && SUCCEEDED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
    V_VT(&v.v_) = VT_DISPATCH;
    V_DISPATCH(&v.v_) = dispatch;
  } else {
    V_VT(&v.v_) = VT_UNKNOWN;
    V_UNKNOWN(&v.v_) = object;
    if (object) object->AddRef();
  }
  return v;
}

Ptr<IHTMLElement> Body(IHTMLDocument2* document) {
  Ptr<IHTMLElement> body;
  document->get_body(body.Out());
  return body;
}

Ptr<IHTMLElementCollection> All(IHTMLDocument2* document) {
  Ptr<IHTMLElementCollection> all;
  document->get_all(all.Out());
  return all;
}

LONG Length(IHTMLElementCollection* collection) {
  LONG length = -1;
  if (!collection || FAILED(collection->get_length(&length))) return -1;
  return length;
}

Ptr<IHTMLElement> ItemAt(IHTMLElementCollection* collection, LONG index) {
  Ptr<IDispatch> item;
  if (collection) collection->item(Variant::Long(index), Variant::Long(0), item.Out());
  return item.As<IHTMLElement>();
}

Ptr<IHTMLElement> ElementById(IHTMLDocument2* document, const wchar_t* id) {
  Ptr<IHTMLElementCollection> all = All(document);
  Ptr<IDispatch> item;
  if (all) all->item(Variant::Text(id), Variant(), item.Out());
  return item.As<IHTMLElement>();
}

std::wstring TagName(IHTMLElement* element) { return TextOf(element, &IHTMLElement::get_tagName); }
std::wstring OuterHtml(IHTMLElement* element) { return TextOf(element, &IHTMLElement::get_outerHTML); }
std::wstring InnerText(IHTMLElement* element) { return TextOf(element, &IHTMLElement::get_innerText); }

namespace {

HRESULT DispatchIdOf(IUnknown* object, const wchar_t* name, Ptr<IDispatch>& dispatch, DISPID& id) {
  if (!object) return E_POINTER;
  HRESULT hr = object->QueryInterface(IID_IDispatch, dispatch.OutVoid());
  if (FAILED(hr)) return hr;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  return dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
}

}  // namespace

HRESULT GetProperty(IUnknown* object, const wchar_t* name, VARIANT* value) {
  Ptr<IDispatch> dispatch;
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = DispatchIdOf(object, name, dispatch, id);
  if (FAILED(hr)) return hr;
  DISPPARAMS none = {};
  return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr);
}

HRESULT PutProperty(IUnknown* object, const wchar_t* name, const VARIANT& value) {
  Ptr<IDispatch> dispatch;
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = DispatchIdOf(object, name, dispatch, id);
  if (FAILED(hr)) return hr;
  VARIANT argument = value;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&argument, &named, 1, 1};
  return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

void DocumentTest::SetUp() {
  document_ = CreateDocument();
  ASSERT_NE(document_, nullptr) << "the HTML document class is not served by the engine";
}

void DocumentTest::TearDown() {
  if (document_) document_->Release();
  document_ = nullptr;
  EXPECT_EQ(EngineLiveObjects(), 0) << "engine objects outlive every reference";
}

}  // namespace et

#include <initguid.h>  // the MSHTML GUIDs are defined in this one file

#include "EngineTestSupport.h"

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

int ReadyStateSink::completions() const {
  int n = 0;
  for (LONG s : states) n += s == READYSTATE_COMPLETE;
  return n;
}

LONG ReadyState(IHTMLDocument2* document) {
  DISPPARAMS none = {};
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = document->Invoke(DISPID_READYSTATE, GUID{}, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                &result, nullptr, nullptr);
  if (FAILED(hr) || V_VT(&result) != VT_I4) return -1;
  return V_I4(&result);
}

bool WaitComplete(IHTMLDocument2* document, DWORD timeoutMs) {
  return vt::PumpUntil([&] { return ReadyState(document) == READYSTATE_COMPLETE; }, timeoutMs);
}

}  // namespace et

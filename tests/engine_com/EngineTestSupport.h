// Driving the engine through COM exactly as the control does.
#pragma once

#include <windows.h>
#include <mshtml.h>
#include <ocidl.h>

#include <string>
#include <vector>

namespace et {

// COM for the test thread, and the engine's live-object count.
class ComScope {
 public:
  ComScope() { OleInitialize(nullptr); }
  ~ComScope() { OleUninitialize(); }
};
LONG EngineLiveObjects();

IHTMLDocument2* CreateDocument();

// Loads text into the document through IPersistStreamInit (InitNew + Load of a memory stream).
HRESULT LoadBytes(IHTMLDocument2* document, const std::string& bytes);
HRESULT LoadUtf16(IHTMLDocument2* document, const std::wstring& text);

// Records every OnChanged of the document's property-notify connection point.
class ReadyStateSink final : public IPropertyNotifySink {
 public:
  explicit ReadyStateSink(IHTMLDocument2* document);
  ~ReadyStateSink();
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

  void Disconnect();
  std::vector<LONG> states;  // the ready state read at each OnChanged(DISPID_READYSTATE)
  int completions() const;
  LONG refs_ = 0;

 private:
  IHTMLDocument2* document_;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

LONG ReadyState(IHTMLDocument2* document);
// Pumps until the document reports complete.
bool WaitComplete(IHTMLDocument2* document, DWORD timeoutMs = 5000);

}  // namespace et

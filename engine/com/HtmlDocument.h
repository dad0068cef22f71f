// The HTML document object: the page tree, its loading and ready state, and the document interfaces.
#pragma once

#include <windows.h>
#include <mshtml.h>
#include <ocidl.h>
#include <urlmon.h>

#include <string>

#include "dom/document.h"
#include "engine/com/ComObject.h"
#include "notimpl.h"

namespace engine {

class CPropertyNotifyPoint;

HRESULT CreateHtmlDocument(REFIID riid, void** out);

class CHtmlDocument final : public IHTMLDocument2NotImpl,
                            public IPersistStreamInitNotImpl,
                            public IPersistMonikerNotImpl,
                            public IConnectionPointContainerNotImpl,
                            private CLiveObject {
 public:
  CHtmlDocument();
  bool Init();  // false when the document's own window cannot be made
  ENGINE_IUNKNOWN_METHODS

  // IDispatch: named properties of the document (readyState, title).
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

  // IHTMLDocument2
  HRESULT STDMETHODCALLTYPE get_readyState(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_body(IHTMLElement** p) override;

  // IPersist, IPersistStreamInit
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE InitNew() override;
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;

  // IPersistMoniker
  HRESULT STDMETHODCALLTYPE Load(BOOL fullyAvailable, IMoniker* moniker, IBindCtx* context, DWORD mode) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override;

  // The tree (never null: an empty document while loading).
  vellum::engine::Document& Tree() const { return *tree_; }
  LONG ReadyState() const { return readyState_; }

 private:
  ~CHtmlDocument();
  HRESULT QueryInterfaceImpl(REFIID riid, void** out);
  // Takes the bytes of a load and schedules the parse through the document's window.
  HRESULT BeginLoad(std::string&& bytes);
  void CompleteLoad(unsigned generation);
  void SetReadyState(LONG state);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  LONG refs_ = 1;
  vellum::engine::RefPtr<vellum::engine::Document> tree_;  // the page
  std::string pendingInput_;           // bytes of the load in progress
  unsigned loadGeneration_ = 0;        // bumped by each load; a superseded load never completes
  LONG readyState_ = READYSTATE_COMPLETE;
  CPropertyNotifyPoint* notifyPoint_;  // the IPropertyNotifySink connection point (owned)
  HWND window_ = nullptr;              // message-only window that runs the parse after Load returns
};

}  // namespace engine

// CDocHost: the document's UI handler. It sets the page up as a dialog-like form (no border, no scroll
// bars, no help menu) and otherwise leaves the engine to its own defaults.
#pragma once

#include <windows.h>
#include <mshtmhst.h>

#include "hosting/SiteObject.h"

class CDocHost final : public CSiteObject<IDocHostUIHandler> {
 public:
  explicit CDocHost(ISiteOwner* owner) : CSiteObject(owner) {}

  // IDocHostUIHandler
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, POINT* at, IUnknown* target, IDispatch* object) override;
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* object, IOleCommandTarget* target,
                                   IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
  HRESULT STDMETHODCALLTYPE HideUI() override;
  HRESULT STDMETHODCALLTYPE UpdateUI() override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, const GUID* group, DWORD command) override;
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* engineTarget, IDropTarget** replacement) override;
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override;
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated) override;
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* data, IDataObject** filtered) override;
};

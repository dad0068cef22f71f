#include "RecordingSite.h"

namespace lt {

RecordingSite::RecordingSite(HWND parent, RECT position, Activation activation, InPlace inPlace)
    : parent_(parent), position_(position), activation_(activation), inPlace_(inPlace) {}

HRESULT RecordingSite::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
    *out = static_cast<IOleClientSite*>(this);
  else if (inPlace_ == InPlace::Offered && (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow)))
    *out = static_cast<IOleInPlaceSite*>(this);
  else if (IsEqualIID(riid, IID_IDocHostUIHandler))
    *out = static_cast<IDocHostUIHandler*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT RecordingSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out) *out = nullptr;
  return Record("GetMoniker", E_NOTIMPL);
}

HRESULT RecordingSite::GetContainer(IOleContainer** out) {
  if (out) *out = nullptr;
  return Record("GetContainer", E_NOINTERFACE);
}

HRESULT RecordingSite::GetWindow(HWND* hwnd) {
  if (hwnd) *hwnd = parent_;
  return Record("GetWindow", S_OK);
}

HRESULT RecordingSite::CanInPlaceActivate() {
  return Record("CanInPlaceActivate", activation_ == Activation::Allow ? S_OK : S_FALSE);
}

HRESULT RecordingSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                        LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame) *frame = nullptr;
  if (document) *document = nullptr;
  if (position) *position = position_;
  if (clip) *clip = position_;
  if (info) {
    info->fMDIApp = FALSE;
    info->hwndFrame = parent_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return Record("GetWindowContext", S_OK);
}

HRESULT RecordingSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (info) {
    info->dwFlags = hostFlags;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
  }
  return Record("GetHostInfo", S_OK);
}

HRESULT RecordingSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  if (key) *key = nullptr;
  return Record("GetOptionKeyPath", E_NOTIMPL);
}

HRESULT RecordingSite::GetDropTarget(IDropTarget*, IDropTarget** out) {
  if (out) *out = nullptr;
  return Record("GetDropTarget", E_NOTIMPL);
}

HRESULT RecordingSite::GetExternal(IDispatch** out) {
  if (out) *out = nullptr;
  return Record("GetExternal", E_NOTIMPL);
}

HRESULT RecordingSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
  if (out) *out = nullptr;
  return Record("TranslateUrl", S_FALSE);
}

HRESULT RecordingSite::FilterDataObject(IDataObject*, IDataObject** out) {
  if (out) *out = nullptr;
  return Record("FilterDataObject", S_FALSE);
}

}  // namespace lt

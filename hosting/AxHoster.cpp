#include "hosting/AxHoster.h"

#include "comkit/ComRef.h"

namespace {

bool IsFrameInterface(REFIID riid) {
  return IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceUIWindow) ||
         IsEqualIID(riid, IID_IOleInPlaceFrame);
}

}  // namespace

bool CAxHoster::Serves(REFIID riid) { return IsFrameInterface(riid) || CSiteObject::Serves(riid); }

IUnknown* CAxHoster::TableFor(REFIID riid) {
  // IOleWindow is a base of the in-place site too, but the frame is the one that answers for it.
  if (IsFrameInterface(riid)) return static_cast<IOleInPlaceFrame*>(this);
  if (IsEqualIID(riid, IID_IOleClientSite)) return static_cast<IOleClientSite*>(this);
  if (IsEqualIID(riid, IID_IOleInPlaceSite)) return static_cast<IOleInPlaceSite*>(this);
  if (IsEqualIID(riid, IID_IOleControlSite)) return static_cast<IOleControlSite*>(this);
  return nullptr;
}

HRESULT CAxHoster::Lookup(REFIID riid, void** out) { return HandOut(TableFor(riid), out); }

// --- IOleWindow ------------------------------------------------------------------------------------

HRESULT CAxHoster::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = OwnerWindow();
  return *window ? S_OK : E_UNEXPECTED;
}

HRESULT CAxHoster::ContextSensitiveHelp(BOOL) { return S_OK; }

// --- IOleInPlaceUIWindow: the control has no tool space to lend -------------------------------------

HRESULT CAxHoster::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
HRESULT CAxHoster::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
HRESULT CAxHoster::SetBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

HRESULT CAxHoster::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) { return object ? S_OK : E_INVALIDARG; }

// --- IOleInPlaceFrame: no menus or status bar to merge into -----------------------------------------

HRESULT CAxHoster::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return S_OK; }
HRESULT CAxHoster::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT CAxHoster::RemoveMenus(HMENU) { return S_OK; }
HRESULT CAxHoster::SetStatusText(LPCOLESTR) { return S_OK; }

HRESULT CAxHoster::EnableModeless(BOOL enable) {
  modelessEnabled_ = enable;
  return S_OK;
}

// The control routes keys itself; a key the document offers back to the frame is done with.
HRESULT CAxHoster::TranslateAccelerator(LPMSG, WORD) { return S_OK; }

// --- IOleClientSite: the document is never saved or named by its container -------------------------

HRESULT CAxHoster::SaveObject() { return S_OK; }

HRESULT CAxHoster::GetMoniker(DWORD, DWORD, IMoniker** moniker) { return DeclineWithNull(moniker); }
HRESULT CAxHoster::GetContainer(IOleContainer** container) { return DeclineWithNull(container); }

HRESULT CAxHoster::ShowObject() { return S_OK; }
HRESULT CAxHoster::OnShowWindow(BOOL) { return E_NOTIMPL; }
HRESULT CAxHoster::RequestNewObjectLayout() { return E_NOTIMPL; }

// --- IOleInPlaceSite ----------------------------------------------------------------------------------

HRESULT CAxHoster::CanInPlaceActivate() { return OwnerWindow() ? S_OK : E_UNEXPECTED; }
HRESULT CAxHoster::OnInPlaceActivate() { return S_OK; }
HRESULT CAxHoster::OnUIActivate() { return S_OK; }

HRESULT CAxHoster::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                    LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  HWND hwnd = OwnerWindow();
  if (!hwnd) return E_UNEXPECTED;
  // Both come through the control's query, so the document holds counted references like any other;
  // neither is handed out unless both are.
  CComRef<IOleInPlaceFrame> frameRef;
  CComRef<IOleInPlaceUIWindow> documentRef;
  if (frame) {
    *frame = nullptr;
    HRESULT hr = owner_->Identity()->QueryInterface(IID_IOleInPlaceFrame, frameRef.OutVoid());
    if (FAILED(hr)) return hr;
  }
  if (document) {
    *document = nullptr;
    HRESULT hr = owner_->Identity()->QueryInterface(IID_IOleInPlaceUIWindow, documentRef.OutVoid());
    if (FAILED(hr)) return hr;
  }
  if (frame) *frame = frameRef.Detach();
  if (document) *document = documentRef.Detach();
  // The document fills the control's client area; nothing clips it further.
  RECT client = {};
  GetClientRect(hwnd, &client);
  if (position) *position = client;
  if (clip) *clip = client;
  if (info) {
    static_assert(sizeof(OLEINPLACEFRAMEINFO) == 32, "frame info as a 64-bit document expects it");
    info->cb = sizeof(OLEINPLACEFRAMEINFO);
    info->fMDIApp = FALSE;
    info->hwndFrame = hwnd;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT CAxHoster::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT CAxHoster::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT CAxHoster::OnInPlaceDeactivate() { return S_OK; }
HRESULT CAxHoster::DiscardUndoState() { return S_OK; }
HRESULT CAxHoster::DeactivateAndUndo() { return S_OK; }
// The control sizes the document itself (on WM_SIZE); the document does not move its own rectangle.
HRESULT CAxHoster::OnPosRectChange(LPCRECT) { return E_NOTIMPL; }

// --- IOleControlSite ------------------------------------------------------------------------------------

HRESULT CAxHoster::OnControlInfoChanged() { return S_OK; }
HRESULT CAxHoster::LockInPlaceActive(BOOL) { return E_NOTIMPL; }

HRESULT CAxHoster::GetExtendedControl(IDispatch** control) { return DeclineWithNull(control); }
HRESULT CAxHoster::TransformCoords(POINTL*, POINTF*, DWORD) { return E_NOTIMPL; }
HRESULT CAxHoster::TranslateAccelerator(MSG*, DWORD) { return E_NOTIMPL; }
HRESULT CAxHoster::OnFocus(BOOL) { return S_OK; }
HRESULT CAxHoster::ShowPropertyFrame() { return E_NOTIMPL; }

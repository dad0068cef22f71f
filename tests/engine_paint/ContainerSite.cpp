#include "ContainerSite.h"

namespace pt {

namespace {

const wchar_t kFrameClass[] = L"VellumPaintTestFrame";

template <class T>
T* QueryInterfaceOf(IUnknown* object) {
  T* result = nullptr;
  if (object) object->QueryInterface(__uuidof(T), reinterpret_cast<void**>(&result));
  return result;
}

}  // namespace

HRESULT CContainerSite::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
    *out = static_cast<IOleClientSite*>(this);
  else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow))
    *out = static_cast<IOleInPlaceSite*>(this);
  else if (IsEqualIID(riid, IID_IDocHostUIHandler))
    *out = static_cast<IDocHostUIHandler*>(this);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT CContainerSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT CContainerSite::GetContainer(IOleContainer** container) {
  *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT CContainerSite::GetWindow(HWND* hwnd) {
  *hwnd = frame_;
  return S_OK;
}

HRESULT CContainerSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT position,
                                         LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  *frame = nullptr;
  *doc = nullptr;
  GetClientRect(frame_, position);
  *clip = *position;
  info->fMDIApp = FALSE;
  info->hwndFrame = frame_;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT CContainerSite::GetHostInfo(DOCHOSTUIINFO* info) {
  info->dwFlags = hostFlags_;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

HRESULT CContainerSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  *key = nullptr;
  return S_FALSE;
}

HRESULT CContainerSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
  *target = nullptr;
  return E_NOTIMPL;
}

HRESULT CContainerSite::GetExternal(IDispatch** external) {
  *external = nullptr;
  return S_FALSE;
}

HRESULT CContainerSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
  *out = nullptr;
  return S_FALSE;
}

HRESULT CContainerSite::FilterDataObject(IDataObject*, IDataObject** out) {
  *out = nullptr;
  return S_FALSE;
}

HWND CreateContainerFrame(int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    registered = RegisterClassExW(&wc) != 0;
  }
  const DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  RECT outer = {0, 0, width, height};
  AdjustWindowRectEx(&outer, style, FALSE, 0);
  return CreateWindowExW(0, kFrameClass, L"paint", style, 20, 20, outer.right - outer.left, outer.bottom - outer.top,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND ActivateInFrame(IUnknown* document, CContainerSite& site, HWND frame) {
  HWND view = nullptr;
  IOleObject* object = QueryInterfaceOf<IOleObject>(document);
  if (!object) return nullptr;
  object->SetClientSite(&site);
  RECT rect;
  GetClientRect(frame, &rect);
  if (SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, frame, &rect))) {
    if (IOleWindow* window = QueryInterfaceOf<IOleWindow>(document)) {
      window->GetWindow(&view);
      window->Release();
    }
  }
  object->Release();
  return view;
}

void Deactivate(IUnknown* document) {
  if (IOleObject* object = QueryInterfaceOf<IOleObject>(document)) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
  }
}

}  // namespace pt

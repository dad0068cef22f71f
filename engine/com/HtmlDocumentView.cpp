// Embedding: the client site, in-place activation and the document window.
#include <mshtmhst.h>

#include "engine/com/EngineModule.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/view/LiveForm.h"

namespace vellum::engine::com {

namespace {

const wchar_t kViewClass[] = L"VellumEngineView";

bool RegisterViewClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW wc = {sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = ModuleInstance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kViewClass;
  registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

}  // namespace

HRESULT CHtmlDocument::SetClientSite(IOleClientSite* site) {
  clientSite_ = CComRef<IOleClientSite>::Share(site);
  hostFlags_ = 0;
  if (site) {
    // The container's wishes for the view (no 3D border, no scroll bars...).
    CComRef<IDocHostUIHandler> handler;
    if (SUCCEEDED(site->QueryInterface(IID_IDocHostUIHandler, handler.OutVoid())) && handler) {
      DOCHOSTUIINFO info = {};
      info.cbSize = sizeof info;
      if (SUCCEEDED(handler->GetHostInfo(&info))) {
        hostFlags_ = info.dwFlags;
        if (info.pchHostCss) CoTaskMemFree(info.pchHostCss);
        if (info.pchHostNS) CoTaskMemFree(info.pchHostNS);
      }
    }
  }
  return S_OK;
}

HRESULT CHtmlDocument::GetClientSite(IOleClientSite** site) { return clientSite_.CopyTo(site); }

HRESULT CHtmlDocument::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) {
  switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_SHOW:
      return ActivateInPlace(site ? site : clientSite_.get(), parent, rect);
    case OLEIVERB_HIDE:
      if (view_) ShowWindow(view_, SW_HIDE);
      return S_OK;
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

HRESULT CHtmlDocument::ActivateInPlace(IOleClientSite* site, HWND parent, LPCRECT rect) {
  if (view_) return S_OK;
  if (!site || !parent) return E_INVALIDARG;
  CComRef<IOleInPlaceSite> inPlace;
  if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, inPlace.OutVoid())) || !inPlace) return E_NOINTERFACE;
  HRESULT hr = inPlace->CanInPlaceActivate();
  if (hr != S_OK) return E_FAIL;
  inPlace->OnInPlaceActivate();
  CComRef<IOleInPlaceFrame> frame;
  CComRef<IOleInPlaceUIWindow> uiWindow;
  RECT position = {}, clip = {};
  OLEINPLACEFRAMEINFO frameInfo = {};
  frameInfo.cb = sizeof frameInfo;
  hr = inPlace->GetWindowContext(frame.Out(), uiWindow.Out(), &position, &clip, &frameInfo);
  frame.Reset();
  uiWindow.Reset();
  if (rect) position = *rect;
  if (!RegisterViewClass()) hr = E_FAIL;
  if (SUCCEEDED(hr)) {
    view_ = CreateWindowExW(0, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                            position.left, position.top, position.right - position.left, position.bottom - position.top,
                            parent, nullptr, ModuleInstance(), nullptr);
    if (!view_) hr = HRESULT_FROM_WIN32(GetLastError());
  }
  if (FAILED(hr)) {
    inPlace->OnInPlaceDeactivate();
    return hr;
  }
  SetWindowLongPtrW(view_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(view_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CHtmlDocument::ViewProc));
  viewRect_ = position;
  inPlaceSite_ = std::move(inPlace);
  return S_OK;
}

LRESULT CALLBACK CHtmlDocument::ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return CViewPainter::OnEraseBackground();
  // The page is painted in the system's colours and the theme's controls: what the buffer holds goes.
  if (msg == WM_SYSCOLORCHANGE || msg == WM_THEMECHANGED || msg == WM_SETTINGCHANGE) {
    if (auto* self = reinterpret_cast<CHtmlDocument*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) self->RepaintView();
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_PAINT) {
    if (auto* self = reinterpret_cast<CHtmlDocument*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      const bool bordered = (self->hostFlags_ & DOCHOSTUIFLAG_NO3DBORDER) == 0;
      self->painter_.OnPaint(*self, hwnd, bordered ? ViewBorder::Sunken : ViewBorder::None);
      return 0;
    }
  }
  // The page's controls take the mouse and the keyboard.
  if (auto* self = reinterpret_cast<CHtmlDocument*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
    LRESULT result = 0;
    if (LiveFormMessageMap(*self, hwnd, msg, wParam, lParam, result)) return result;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void CHtmlDocument::DestroyView() {
  painter_.MarkStale();  // a new view starts from a painted page
  if (view_) {
    CLiveForm(*this).OnViewDestroyed();  // its drop-down list is a popup, not a child that goes along
    SetWindowLongPtrW(view_, GWLP_USERDATA, 0);
    DestroyWindow(view_);
    view_ = nullptr;
  }
}

HRESULT CHtmlDocument::InPlaceDeactivate() {
  if (!view_ && !inPlaceSite_) return S_OK;
  DestroyView();
  if (inPlaceSite_) {
    inPlaceSite_->OnInPlaceDeactivate();
    inPlaceSite_.Reset();
  }
  return S_OK;
}

HRESULT CHtmlDocument::UIDeactivate() { return S_OK; }

HRESULT CHtmlDocument::Close(DWORD) {
  InPlaceDeactivate();
  return S_OK;
}

HRESULT CHtmlDocument::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = view_;
  return view_ ? S_OK : E_FAIL;
}

HRESULT CHtmlDocument::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT CHtmlDocument::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_INVALIDARG;
  viewRect_ = *position;
  if (view_)
    MoveWindow(view_, position->left, position->top, position->right - position->left, position->bottom - position->top,
               TRUE);
  return S_OK;
}

HRESULT CHtmlDocument::TranslateAccelerator(LPMSG msg) {
  if (!msg) return E_INVALIDARG;
  return LiveFormTranslateAccelerator(*this, *msg);
}

HRESULT CHtmlDocument::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT CHtmlDocument::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT CHtmlDocument::EnableModeless(BOOL) { return S_OK; }

}  // namespace vellum::engine::com

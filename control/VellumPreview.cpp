// Design and preview mode: the surface comes and goes, and lies over the body while it is there.
#include "control/Vellum.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

int CVellum::SetPreviewMode(DWORD flag) {
  if (preview_ == flag) return 1;
  if (flag == 1) {
    if (!surface_) {
      lastError = VLM_ERR_NOT_ARMED;
      return 0;
    }
    surface_->ClearSelection();
    if (docWindow_) {
      RECT all;
      GetClientRect(docWindow_, &all);
      surface_->SetDocWindow(docWindow_);
      surface_->RedrawDocument(all);
    }
    DismissSurface();
    SetFocus(GetHwnd());
  } else {
    auto* surface = new CVlmUIWin(this);
    RECT client;
    GetClientRect(GetHwnd(), &client);
    if (!surface || !surface->Create(GetHwnd(), client)) {
      if (surface) surface->Dismiss();
      lastError = VLM_ERR_SURFACE_CREATE;
      return 0;
    }
    surface_ = surface;
    SetWindowPos(surface_->GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    FitOverlayToBody();
    SetFocus(surface_->GetHwnd());
  }
  preview_ = flag;
  RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  return 1;
}

CMessageWindow* CVellum::SurfaceWindow() const { return surface_; }

void CVellum::DismissSurface() {
  if (CVlmUIWin* surface = surface_) {
    surface_ = nullptr;
    surface->Dismiss();
  }
}

void CVellum::FitOverlayToBody() {
  if (!document_) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return;
  }
  if (!surface_) {
    lastError = VLM_ERR_NO_SURFACE;
    return;
  }
  CComRef<IHTMLElement> body;
  CComRef<IHTMLElement2> body2;
  if (FAILED(document_->get_body(body.Out())) || !body ||
      FAILED(body->QueryInterface(IID_IHTMLElement2, body2.OutVoid())) || !body2) {
    lastError = VLM_ERR_ELEMENT;
    return;
  }
  long left = 0, top = 0, width = 0, height = 0;
  body2->get_clientLeft(&left);
  body2->get_clientTop(&top);
  body2->get_clientWidth(&width);
  body2->get_clientHeight(&height);
  MoveWindow(surface_->GetHwnd(), left, top, width, height, TRUE);
  surface_->SetDocWindow(docWindow_);
  lastError = VLM_ERR_NONE;
}

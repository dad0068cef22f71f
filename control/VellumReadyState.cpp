// The ready-state connection and what a completed load sets up: the form's size, the overlay and
// snapshot 0 of the undo history.
#include <ocidl.h>

#include "control/Vellum.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"
#include "window/ScopedAssign.h"

bool CVellum::ConnectReadyStateSink() {
  if (!document_) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return false;
  }
  if (adviseCookie_ != 0) {
    lastError = VLM_ERR_ALREADY_ADVISED;
    return false;
  }
  CComRef<IConnectionPointContainer> container;
  CComRef<IConnectionPoint> point;
  if (FAILED(document_->QueryInterface(IID_IConnectionPointContainer, container.outVoid())) || !container ||
      FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, point.out())) || !point ||
      FAILED(point->Advise(identity_, &adviseCookie_))) {
    adviseCookie_ = 0;
    lastError = VLM_ERR_ADVISE;
    return false;
  }
  return true;
}

void CVellum::DisconnectReadyStateSink() {
  if (adviseCookie_ == 0) {
    lastError = VLM_ERR_NOT_ADVISED;
    return;
  }
  CComRef<IConnectionPointContainer> container;
  CComRef<IConnectionPoint> point;
  if (FAILED(document_->QueryInterface(IID_IConnectionPointContainer, container.outVoid())) || !container ||
      FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, point.out())) || !point ||
      FAILED(point->Unadvise(adviseCookie_))) {
    lastError = VLM_ERR_UNADVISE;
    return;
  }
  adviseCookie_ = 0;
}

void CVellum::OnDocumentComplete() {
  ++completedLoads_;
  DeleteTempFile();
  insertKind_ = 0;
  int width = 0, height = 0;
  if (!CDOMUtil(LentDocument()).GetBODYCustomWHAttrs(width, height)) {
    width = 400;
    height = 150;
    CDOMUtil(LentDocument()).SetBODYCustomWHAttrs(width, height);
  }
  notifyOnChange_ = 0;
  {
    // Fitting the window to the stored size is part of the load, not an edit of its own.
    CScopedAssign<DWORD> quiet(snapshotOnChange_, 0);
    ResizeClientTo(width, height);
    if (surface_) {
      surface_->ClearSelection();
      FitOverlayToBody();
      surface_->Redraw();
    }
  }
  if (snapshotOnChange_) SaveToUndo();
  snapshotOnChange_ = 1;
  notifyOnChange_ = 1;
}

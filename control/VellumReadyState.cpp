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
  if (FAILED(document_->QueryInterface(IID_IConnectionPointContainer, container.OutVoid())) || !container ||
      FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, point.Out())) || !point ||
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
  if (FAILED(document_->QueryInterface(IID_IConnectionPointContainer, container.OutVoid())) || !container ||
      FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, point.Out())) || !point ||
      FAILED(point->Unadvise(adviseCookie_))) {
    lastError = VLM_ERR_UNADVISE;
    return;
  }
  adviseCookie_ = 0;
}

bool CVellum::PageIsComplete() const {
  CBstr state;
  return document_ && SUCCEEDED(document_->get_readyState(state.Out())) && state.get() &&
         CompareStringOrdinal(state.get(), -1, L"complete", -1, TRUE) == CSTR_EQUAL;
}

// Nothing in here may stop the control half-way: whatever fails, the load ends with changes recorded
// and reported again. The size is read and set with strings made beforehand, so the page is set up
// whole; what can still run out of memory (the body's size following the window, snapshot 0) leaves
// the new page as it is and sets VLM_ERR_LOAD.
void CVellum::OnDocumentComplete() {
  ++completedLoads_;
  if (historyLoadRunning_) ++historySteps_;
  historyLoadRunning_ = false;
  DeleteTempFile();
  insertKind_ = 0;
  const UINT operationsFailed = failedOperations_, snapshotsFailed = failedSnapshots_;
  const DWORD takeSnapshot = snapshotOnChange_;
  notifyOnChange_ = 0;
  {
    // Fitting the window to the stored size is part of the load, not an edit of its own.
    CScopedAssign<DWORD> quiet(snapshotOnChange_, 0);
    RunOperation(VLM_ERR_LOAD, 0, [&]() -> LRESULT {
      SetUpLoadedPage();
      return 0;
    });
  }
  if (takeSnapshot) SaveToUndo();
  snapshotOnChange_ = 1;
  notifyOnChange_ = 1;
  if (failedOperations_ != operationsFailed || failedSnapshots_ != snapshotsFailed) lastError = VLM_ERR_LOAD;
}

void CVellum::SetUpLoadedPage() {
  int width = 0, height = 0;
  CDOMUtil dom(LentDocument());
  if (!dom.GetBODYCustomWHAttrs(bodySize_, width, height)) {
    width = kDefaultFormWidth;
    height = kDefaultFormHeight;
    dom.SetBODYDefaultWHAttrs(bodySize_);
  }
  ResizeClientTo(width, height);
  if (surface_) {
    surface_->ClearSelection();
    FitOverlayToBody();
    surface_->Redraw();
  }
}

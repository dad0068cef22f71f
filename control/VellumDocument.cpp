// The hosted document: creation, activation, the ready-state connection, loading and completion.
#include <ocidl.h>

#include "window/Trace.h"
#include "control/Vellum.h"
#include "document/ComText.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

// A CDOMUtil bound to the control's document (it takes over the reference added here).
IHTMLDocument2* AddRefDocument(IHTMLDocument2* document) {
  if (document) document->AddRef();
  return document;
}

}  // namespace

int CVellum::CreateDocument() {
  if (!IsWindow(GetHwnd())) {
    lastError = VLM_ERR_NO_WINDOW;
    return 0;
  }
  if (FAILED(CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                              IID_IHTMLDocument2, reinterpret_cast<void**>(&document_))) ||
      !document_) {
    document_ = nullptr;
    lastError = VLM_ERR_DOCUMENT_CREATE;
    return 0;
  }
  auto dropDocument = [this](DWORD error) {
    lastError = error;
    document_->Release();
    document_ = nullptr;
    return 0;
  };
  CComRef<IOleObject> oleObject;
  if (FAILED(document_->QueryInterface(IID_IOleObject, oleObject.outVoid())) || !oleObject)
    return dropDocument(VLM_ERR_DOCUMENT_CREATE);
  CComRef<IOleClientSite> site;
  if (FAILED(QueryInterface(IID_IOleClientSite, site.outVoid())) || FAILED(oleObject->SetClientSite(site.get())))
    return dropDocument(VLM_ERR_DOCUMENT_CREATE);
  RECT client;
  GetClientRect(GetHwnd(), &client);
  if (FAILED(oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, GetHwnd(), &client)))
    return dropDocument(VLM_ERR_ACTIVATE);
  CComRef<IOleWindow> oleWindow;
  if (FAILED(document_->QueryInterface(IID_IOleWindow, oleWindow.outVoid())) || !oleWindow ||
      FAILED(oleWindow->GetWindow(&docWindow_))) {
    lastError = VLM_ERR_DOC_WINDOW;
    return 0;
  }
  return ConnectReadyStateSink() ? 1 : 0;
}

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

int CVellum::CloseDocument() {
  if (!IsWindow(GetHwnd())) {
    lastError = VLM_ERR_NO_WINDOW;
    return 0;
  }
  if (document_) {
    docWindow_ = nullptr;
    CComRef<IOleObject> oleObject;
    if (SUCCEEDED(document_->QueryInterface(IID_IOleObject, oleObject.outVoid())) && oleObject) {
      DisconnectReadyStateSink();
      oleObject->Close(OLECLOSE_NOSAVE);
      oleObject->SetClientSite(nullptr);
    }
    document_->Release();
    document_ = nullptr;
  }
  lastError = VLM_ERR_NONE;
  return 1;
}

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
    delete surface_;  // destroys its window
    surface_ = nullptr;
    SetFocus(GetHwnd());
  } else {
    auto* surface = new CVlmUIWin(this);
    RECT client;
    GetClientRect(GetHwnd(), &client);
    if (!surface || !surface->Create(GetHwnd(), client)) {
      delete surface;
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
  if (FAILED(document_->get_body(body.out())) || !body ||
      FAILED(body->QueryInterface(IID_IHTMLElement2, body2.outVoid())) || !body2) {
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

void CVellum::ResizeClientTo(int width, int height) {
  RECT window, client;
  GetWindowRect(GetHwnd(), &window);
  GetClientRect(GetHwnd(), &client);
  int newWidth = width + (window.right - window.left) - client.right;
  int newHeight = height + (window.bottom - window.top) - client.bottom;
  // The control keeps its top-left corner in the parent.
  POINT origin = {window.left, window.top};
  if (HWND parent = GetParent(GetHwnd())) ScreenToClient(parent, &origin);
  MoveWindow(GetHwnd(), origin.x, origin.y, newWidth, newHeight, TRUE);
}

void CVellum::OnDocumentComplete() {
  ++completedLoads_;
  DeleteTempFile();
  insertKind_ = 0;
  int width = 0, height = 0;
  if (!CDOMUtil(AddRefDocument(document_)).GetBODYCustomWHAttrs(width, height)) {
    width = 400;
    height = 150;
    CDOMUtil(AddRefDocument(document_)).SetBODYCustomWHAttrs(width, height);
  }
  notifyOnChange_ = 0;
  DWORD snapshot = snapshotOnChange_;
  snapshotOnChange_ = 0;
  ResizeClientTo(width, height);
  if (surface_) {
    surface_->ClearSelection();
    FitOverlayToBody();
    surface_->Redraw();
  }
  snapshotOnChange_ = snapshot;
  if (snapshotOnChange_) SaveToUndo();
  snapshotOnChange_ = 1;
  notifyOnChange_ = 1;
}

// --- loading ------------------------------------------------------------------------------------------

int CVellum::LoadCode(const char* text) {
  if (!document_ || !text) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  snapshotOnChange_ = 1;
  if (!CDOMUtil(AddRefDocument(document_)).LoadCode(text)) {
    lastError = VLM_ERR_LOAD;
    return 0;
  }
  ClearUndo();
  lastError = VLM_ERR_NONE;
  return 1;
}

int CVellum::LoadFromFile(const char* path) {
  if (!document_ || !path) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  snapshotOnChange_ = 1;
  if (!CDOMUtil(AddRefDocument(document_)).LoadFromFile(path)) {
    snapshotOnChange_ = 0;
    lastError = VLM_ERR_LOAD;
    return 0;
  }
  ClearUndo();
  lastError = VLM_ERR_NONE;
  return 1;
}

int CVellum::LoadThroughTempFile(const char* text) {
  tempFile_.Empty();
  char* name = tempFile_.GetBuffer(MAX_PATH);
  if (!name) {
    lastError = VLM_ERR_TEMP_NAME_MEMORY;
    return 0;
  }
  if (!GetTempFileNameA(tempDir_.GetString(), "qxv", 0, name)) {
    tempFile_.Empty();
    lastError = VLM_ERR_TEMP_FILE;
    return 0;
  }
  tempFile_.ReleaseBuffer();
  CXStringW widePath(tempFile_.GetString());
  HANDLE file = CreateFileW(widePath.GetString(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // GetTempFileName made the file; it must not stay behind.
    DeleteTempFile();
    lastError = VLM_ERR_TEMP_FILE;
    return 0;
  }
  DWORD length = static_cast<DWORD>(lstrlenA(text));
  DWORD written = 0;
  BOOL wrote = length == 0 || WriteFile(file, text, length, &written, nullptr);
  CloseHandle(file);
  if (!wrote || (length && written != length)) {
    DeleteTempFile();
    lastError = VLM_ERR_TEMP_WRITE;
    return 0;
  }
  if (!LoadFromFile(tempFile_.GetString())) {
    DeleteTempFile();
    lastError = VLM_ERR_LOAD;
    return 0;
  }
  return 1;
}

void CVellum::DeleteTempFile() {
  if (tempFile_.IsEmpty()) return;
  CXStringW widePath(tempFile_.GetString());
  DeleteFileW(widePath.GetString());
  tempFile_.Empty();
}

// --- undo ---------------------------------------------------------------------------------------------

int CVellum::SaveToUndo() {
  CXString text;
  UINT codePage = 0;
  if (!SerializeDocument(text, &codePage)) {
    TRACE("CVellum::SaveToUndo(): can't save to undo, memory allocation failed\n");
    lastError = VLM_ERR_TEMP_WRITE;
    return 0;
  }
  if (!undo_.Push(static_cast<CXString&&>(text), codePage)) {
    TRACE("CVellum::SaveToUndo(): can't save to undo, memory allocation failed\n");
    lastError = VLM_ERR_UNDO_MEMORY;
    return 0;
  }
  lastError = VLM_ERR_NONE;
  return 1;
}

int CVellum::Undo() { return StepThroughHistory(-1); }

int CVellum::Redo() { return StepThroughHistory(+1); }

int CVellum::StepThroughHistory(int step) {
  if (!document_) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  if (!(step < 0 ? CanUndo() : CanRedo())) {
    lastError = VLM_ERR_NOTHING_TO_UNDO;
    return 0;
  }
  snapshotOnChange_ = 0;
  if (step < 0) undo_.StepBack();
  else undo_.StepForward();
  // A snapshot is read back in the code page it was written in: a page saved as koi8-r must not come
  // back through the ANSI code page.
  if (!CDOMUtil(AddRefDocument(document_)).LoadCode(undo_.At(undo_.Index()).GetString(),
                                                   undo_.CodePageAt(undo_.Index()))) {
    lastError = VLM_ERR_LOAD;
    return 0;
  }
  if (surface_) {
    surface_->ClearSelection();
    surface_->Redraw();
  }
  lastError = VLM_ERR_NONE;
  return 1;
}

// The hosted document's creation, in-place activation and closing.
#include "control/Vellum.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "vellum.h"

int CVellum::CreateDocument() {
  if (!IsWindow(GetHwnd())) {
    lastError = VLM_ERR_NO_WINDOW;
    return 0;
  }
  ForgetWrittenText();
  if (FAILED(CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                              IID_IHTMLDocument2, document_.OutVoid())) ||
      !document_) {
    document_.Reset();
    lastError = VLM_ERR_DOCUMENT_CREATE;
    return 0;
  }
  auto dropDocument = [this](DWORD error) {
    lastError = error;
    document_.Reset();
    return 0;
  };
  CComRef<IOleObject> oleObject;
  if (FAILED(document_->QueryInterface(IID_IOleObject, oleObject.OutVoid())) || !oleObject)
    return dropDocument(VLM_ERR_DOCUMENT_CREATE);
  CComRef<IOleClientSite> site;
  if (FAILED(QueryInterface(IID_IOleClientSite, site.OutVoid())) || FAILED(oleObject->SetClientSite(site.get())))
    return dropDocument(VLM_ERR_DOCUMENT_CREATE);
  RECT client;
  GetClientRect(GetHwnd(), &client);
  if (FAILED(oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, GetHwnd(), &client)))
    return dropDocument(VLM_ERR_ACTIVATE);
  CComRef<IOleWindow> oleWindow;
  if (FAILED(document_->QueryInterface(IID_IOleWindow, oleWindow.OutVoid())) || !oleWindow ||
      FAILED(oleWindow->GetWindow(&docWindow_))) {
    lastError = VLM_ERR_DOC_WINDOW;
    return 0;
  }
  return ConnectReadyStateSink() ? 1 : 0;
}

int CVellum::CloseDocument() {
  if (!IsWindow(GetHwnd())) {
    lastError = VLM_ERR_NO_WINDOW;
    return 0;
  }
  if (document_) {
    docWindow_ = nullptr;
    CComRef<IOleObject> oleObject;
    if (SUCCEEDED(document_->QueryInterface(IID_IOleObject, oleObject.OutVoid())) && oleObject) {
      DisconnectReadyStateSink();
      oleObject->Close(OLECLOSE_NOSAVE);
      oleObject->SetClientSite(nullptr);
    }
    ForgetWrittenText();
    document_.Reset();
  }
  lastError = VLM_ERR_NONE;
  return 1;
}

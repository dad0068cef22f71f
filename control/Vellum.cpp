#include "control/Vellum.h"

#include "control/Module.h"
#include "hosting/AxHoster.h"
#include "hosting/DocHost.h"
#include "hosting/NotifySink.h"
#include "hosting/TestDispatch.h"
#include "surface/VlmUIWin.h"

CVellum::CVellum() : identity_(static_cast<IServiceProvider*>(this)), ambientDispatch_(CTestDispatch::Create()) {}

CVellum::~CVellum() {
  DismissSurface();
  // A load through a temporary file that never completed must not leave the file behind.
  DeleteTempFile();
  tempDir_.Empty();
  // A document still held here may call its site from its last release, so it goes before the sites.
  document_.Reset();
  delete axHoster_;
  delete docHost_;
  delete notifySink_;
}

CComRef<IHTMLDocument2> CVellum::LentDocument() const { return document_; }

// --- COM identity -----------------------------------------------------------------------------------

template <class Site>
HRESULT CVellum::QuerySite(Site*& site, REFIID riid, void** out) {
  if (!site) site = new Site(this);
  if (!site) return E_FAIL;
  return site->Lookup(riid, out);
}

HRESULT CVellum::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_FAIL;
  *out = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IServiceProvider)) {
    *out = identity_;
  } else if (IsEqualIID(riid, IID_IDispatch)) {
    if (!ambientDispatch_) return E_FAIL;
    *out = ambientDispatch_.get();
  } else if (CAxHoster::Serves(riid)) {
    return QuerySite(axHoster_, riid, out);
  } else if (CDocHost::Serves(riid)) {
    return QuerySite(docHost_, riid, out);
  } else if (CNotifySink::Serves(riid)) {
    return QuerySite(notifySink_, riid, out);
  } else {
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*out)->AddRef();
  return S_OK;
}

ULONG CVellum::AddRef() { return ++identityRefs_; }

ULONG CVellum::Release() {
  if (identityRefs_ > 0) --identityRefs_;
  return identityRefs_;
}

HRESULT CVellum::QueryService(REFGUID, REFIID, void** out) {
  if (out) *out = nullptr;
  return E_NOINTERFACE;
}

// --- Document -----------------------------------------------------------------------------------------

void CVellum::ReplaceDocumentForTest(IHTMLDocument2* document) {
  ForgetWrittenText();
  document_ = CComRef<IHTMLDocument2>::Share(document);
}

// --- Window -------------------------------------------------------------------------------------------

void CVellum::OnFinalMessage() {
  Module_RemoveControl(this);
  delete this;
}

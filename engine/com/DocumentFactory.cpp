#include "engine/com/DocumentFactory.h"

#include "engine/com/ComObject.h"
#include "engine/com/EngineModule.h"
#include "engine/com/HtmlDocument.h"

namespace vellum::engine::com {

namespace {

// Static and not counted as a live object: the class object lives as long as the module.
class CDocumentFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    return QueryInterfaceOf<IClassFactory>(this, riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return CreateHtmlDocument(riid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    LockModule(lock != FALSE);
    return S_OK;
  }
};

CDocumentFactory documentFactory;

}  // namespace

HRESULT GetDocumentFactory(REFIID riid, void** out) { return documentFactory.QueryInterface(riid, out); }

}  // namespace vellum::engine::com

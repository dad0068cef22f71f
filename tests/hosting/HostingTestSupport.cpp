#include "HostingTestSupport.h"

#include <olectl.h>

#include "control/Module.h"
#include "vellum.h"

namespace ht {

namespace {

void EnsureControlClass() {
  WNDCLASSEXW wc = {sizeof wc};
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), VELLUM_CLASS_NAME_W, &wc))
    Module_RegisterClass(GetModuleHandleW(nullptr));
}

// --- The stand-in document's methods ---------------------------------------------------------------

HRESULT STDMETHODCALLTYPE DocQueryInterface(FakeDocument* self, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
      !IsEqualIID(riid, __uuidof(IHTMLDocument)) && !IsEqualIID(riid, __uuidof(IHTMLDocument2)))
    return E_NOINTERFACE;
  *out = self;
  ++self->refs;
  return S_OK;
}

ULONG STDMETHODCALLTYPE DocAddRef(FakeDocument* self) { return static_cast<ULONG>(++self->refs); }
ULONG STDMETHODCALLTYPE DocRelease(FakeDocument* self) { return static_cast<ULONG>(--self->refs); }

HRESULT STDMETHODCALLTYPE DocInvoke(FakeDocument* self, DISPID id, REFIID riid, LCID lcid, WORD flags,
                                    DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) {
  ++self->reads;
  self->lastId = id;
  self->lastRiid = riid;
  self->lastLcid = lcid;
  self->lastFlags = flags;
  self->lastArgCount = params ? params->cArgs : 0xdeadbeef;
  self->lastHadResult = result != nullptr;
  if (FAILED(self->readResult)) return self->readResult;
  if (id != DISPID_READYSTATE || !result) return DISP_E_MEMBERNOTFOUND;
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I4;
  V_I4(&value) = self->readyState;
  VariantInit(result);
  return VariantChangeType(result, &value, 0, self->readyStateType);
}

// Any other method of the document: x64 has one calling convention and the caller owns its
// arguments, so one routine that ignores them can fill every remaining slot.
HRESULT STDMETHODCALLTYPE DocNotImplemented(FakeDocument*) { return E_NOTIMPL; }

// IUnknown 3 + IDispatch 4 + IHTMLDocument 1 + IHTMLDocument2 108.
constexpr int kDocumentSlots = 116;

const void* const* DocumentTable() {
  static const void* table[kDocumentSlots];
  if (!table[0]) {
    for (auto& slot : table) slot = reinterpret_cast<const void*>(&DocNotImplemented);
    table[0] = reinterpret_cast<const void*>(&DocQueryInterface);
    table[1] = reinterpret_cast<const void*>(&DocAddRef);
    table[2] = reinterpret_cast<const void*>(&DocRelease);
    table[6] = reinterpret_cast<const void*>(&DocInvoke);
  }
  return table;
}

}  // namespace

FakeDocument::FakeDocument() : vtable(DocumentTable()) {}

HostedControl::HostedControl() {
  // A host runs the control in an OLE apartment: it creates its document at window creation.
  OleInitialize(nullptr);
  EnsureControlClass();
  // The host stays hidden: showing a top-level window costs a wait for the display on every test.
  parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED | WS_CLIPCHILDREN, 0, 0, 640, 480, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  hwnd_ = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_CHILD | WS_VISIBLE, 10, 10, 300, 200, parent_, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  control_ = Module_FindControl(hwnd_);
}

HostedControl::~HostedControl() {
  Destroy();
  if (parent_) DestroyWindow(parent_);
}

void HostedControl::Destroy() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  control_ = nullptr;
}

}  // namespace ht

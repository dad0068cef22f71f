// What the site-object tests share: a control made the way a host makes one, and a stand-in document.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "control/Vellum.h"

namespace ht {

// A "QX_VELLUM" child window of a hidden host window, and the control object that took it over.
class HostedControl {
 public:
  HostedControl();
  ~HostedControl();
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;

  HWND Hwnd() const { return hwnd_; }
  CVellum* GetControl() const { return control_; }
  IUnknown* Identity() const { return control_ ? control_->Identity() : nullptr; }
  // Destroys the window now (the control deletes itself with it).
  void Destroy();

 private:
  HWND parent_ = nullptr;
  HWND hwnd_ = nullptr;
  CVellum* control_ = nullptr;
};

// Queries from for riid; null when refused. The caller releases what it gets.
template <class T>
T* Query(IUnknown* from, REFIID riid) {
  void* out = nullptr;
  return SUCCEEDED(from->QueryInterface(riid, &out)) ? static_cast<T*>(out) : nullptr;
}
template <class T>
T* Query(IUnknown* from) {
  return Query<T>(from, __uuidof(T));
}

// A stand-in for the engine's document. Its IDispatch answers a read of the ready state with a value
// the test sets (or with a failure it sets) and records how it was asked; every other method of the
// document answers E_NOTIMPL. It is laid out as a COM object (table pointer first), which is all its
// callers see of it; it never deletes itself, so the test can check its count at the end.
struct FakeDocument {
  FakeDocument();
  IHTMLDocument2* get() { return reinterpret_cast<IHTMLDocument2*>(this); }

  const void* const* vtable;       // the document's method table (must stay first)
  LONG refs = 0;                   // references held by others
  LONG readyState = 1;             // READYSTATE_* answered for DISPID_READYSTATE
  VARTYPE readyStateType = VT_I4;  // how the value is delivered
  HRESULT readResult = S_OK;       // a failure here makes every read fail
  // The reads seen and how the last one asked.
  int reads = 0;
  DISPID lastId = 0;
  IID lastRiid = {};
  LCID lastLcid = 0;
  WORD lastFlags = 0;
  UINT lastArgCount = 0xdeadbeef;
  bool lastHadResult = false;
};

}  // namespace ht

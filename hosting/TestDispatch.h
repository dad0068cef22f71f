// CTestDispatch: the ambient-property dispatch the control offers the engine. It knows no property, so
// the engine finds none set and keeps its own defaults. An ordinary counted object: it dies with its
// last reference.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <plinthcore.h>

#include "comkit/ComRef.h"
#include "comkit/InterfaceTable.h"

class CTestDispatch final : public IDispatch, public CHeapObject {
 public:
  CTestDispatch() { ++live_; }
  CTestDispatch(const CTestDispatch&) = delete;
  CTestDispatch& operator=(const CTestDispatch&) = delete;

  // A new object held by its first reference; empty when there is no memory for it.
  static CComRef<IDispatch> Create() { return CComRef<IDispatch>::Share(new CTestDispatch); }
  // Objects of this class now alive (lets tests see that every reference path ends in a deletion).
  static LONG Live() { return live_; }

  COMKIT_IUNKNOWN_METHODS

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* badArgument) override;

 private:
  ~CTestDispatch() { --live_; }
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return comkit::QueryInterfaceOf<IDispatch>(this, riid, out); }

  static inline LONG live_ = 0;  // objects alive (single thread: the control's)
  LONG refs_ = 0;                // references held; starts at 0, the creator takes the first
};

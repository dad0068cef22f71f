// CTestDispatch: the ambient-property dispatch the control offers the engine. It knows no property, so
// the engine finds none set and keeps its own defaults. An ordinary counted object: it dies with its
// last reference.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <plinthcore.h>

class CTestDispatch final : public IDispatch, public CHeapObject {
 public:
  CTestDispatch() { ++live_; }
  CTestDispatch(const CTestDispatch&) = delete;
  CTestDispatch& operator=(const CTestDispatch&) = delete;

  // Objects of this class now alive (lets tests see that every reference path ends in a deletion).
  static LONG Live() { return live_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override;

 private:
  ~CTestDispatch() { --live_; }

  static inline LONG live_ = 0;  // objects alive (single thread: the control's)
  ULONG refs_ = 0;               // references held; starts at 0, the creator takes the first
};

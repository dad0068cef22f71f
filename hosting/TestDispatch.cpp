#include "hosting/TestDispatch.h"

HRESULT CTestDispatch::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch)) return E_NOINTERFACE;
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG CTestDispatch::AddRef() { return ++refs_; }

ULONG CTestDispatch::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT CTestDispatch::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
HRESULT CTestDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT CTestDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

// No ambient property is set: every read fails, so the engine keeps its own default for each.
HRESULT CTestDispatch::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_FAIL;
}

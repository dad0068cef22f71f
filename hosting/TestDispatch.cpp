#include "hosting/TestDispatch.h"

HRESULT CTestDispatch::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
HRESULT CTestDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT CTestDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

// No ambient property is set: every read fails, so the engine keeps its own default for each.
HRESULT CTestDispatch::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return E_FAIL; }

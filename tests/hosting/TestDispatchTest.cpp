// CTestDispatch: an ordinary counted object that knows no ambient property.
#include <gtest/gtest.h>
#include <windows.h>

#include "hosting/TestDispatch.h"

namespace {

TEST(AmbientDispatchObject, StartsUncountedAndDiesWithItsLastRelease) {
  const LONG before = CTestDispatch::Live();
  auto* dispatch = new CTestDispatch;
  ASSERT_NE(dispatch, nullptr);
  EXPECT_EQ(CTestDispatch::Live(), before + 1);
  EXPECT_EQ(dispatch->AddRef(), 1u);
  EXPECT_EQ(dispatch->AddRef(), 2u);
  EXPECT_EQ(dispatch->Release(), 1u);
  EXPECT_EQ(CTestDispatch::Live(), before + 1);
  EXPECT_EQ(dispatch->Release(), 0u);
  EXPECT_EQ(CTestDispatch::Live(), before);
}

TEST(AmbientDispatchObject, AnswersOnlyUnknownAndDispatch) {
  auto* dispatch = new CTestDispatch;
  ASSERT_NE(dispatch, nullptr);
  dispatch->AddRef();
  void* out = nullptr;
  ASSERT_EQ(dispatch->QueryInterface(IID_IUnknown, &out), S_OK);
  EXPECT_EQ(out, static_cast<IDispatch*>(dispatch));
  static_cast<IUnknown*>(out)->Release();
  ASSERT_EQ(dispatch->QueryInterface(IID_IDispatch, &out), S_OK);
  EXPECT_EQ(out, static_cast<IDispatch*>(dispatch));
  static_cast<IUnknown*>(out)->Release();
  out = reinterpret_cast<void*>(static_cast<uintptr_t>(0xdeadbeef));
  EXPECT_EQ(dispatch->QueryInterface(IID_IOleClientSite, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(dispatch->QueryInterface(IID_IDispatch, nullptr), E_POINTER);
  EXPECT_EQ(dispatch->Release(), 0u);
}

TEST(AmbientDispatchObject, KnowsNoPropertyAndNoTypeInformation) {
  auto* dispatch = new CTestDispatch;
  ASSERT_NE(dispatch, nullptr);
  dispatch->AddRef();
  UINT count = 7;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&count), E_NOTIMPL);
  ITypeInfo* info = nullptr;
  EXPECT_EQ(dispatch->GetTypeInfo(0, 0, &info), E_NOTIMPL);
  wchar_t name[] = L"UserMode";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), E_NOTIMPL);
  // Ambient user mode, ambient download control, the default member: each read fails, as does a call.
  for (DISPID member : {DISPID(-709), DISPID(-5512), DISPID(0)}) {
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(dispatch->Invoke(member, IID_NULL, 0x800, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
              E_FAIL);
    EXPECT_EQ(dispatch->Invoke(member, IID_NULL, 0x800, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), E_FAIL);
  }
  dispatch->Release();
}

}  // namespace

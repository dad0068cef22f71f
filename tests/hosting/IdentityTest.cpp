// The control's COM identity: which object answers each interface the engine asks for, and that the
// engine's references never decide when the control or its site objects die.
#include <gtest/gtest.h>
#include <windows.h>
#include <docobj.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <servprov.h>

#include <vector>

#include "HostingTestSupport.h"
#include "control/Module.h"
#include "hosting/AxHoster.h"
#include "hosting/DocHost.h"
#include "hosting/NotifySink.h"
#include "hosting/TestDispatch.h"

namespace {

void* const kMarker = reinterpret_cast<void*>(static_cast<uintptr_t>(0xdeadbeef));

class Identity : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Hwnd(), nullptr);
    ASSERT_NE(host_.GetControl(), nullptr);
    identity_ = host_.Identity();
    baseline_ = Count();
  }
  // References held now beyond those the control's own document held when the test began (AddRef and
  // Release both answer the count).
  ULONG Count() {
    identity_->AddRef();
    return identity_->Release() - baseline_;
  }

  ht::HostedControl host_;
  IUnknown* identity_ = nullptr;
  ULONG baseline_ = 0;
};

TEST_F(Identity, UnknownAndServiceProviderAnswerTheIdentityItself) {
  auto* unknown = ht::Query<IUnknown>(identity_, IID_IUnknown);
  auto* provider = ht::Query<IServiceProvider>(identity_, IID_IServiceProvider);
  EXPECT_EQ(unknown, identity_);
  EXPECT_EQ(static_cast<IUnknown*>(provider), identity_);
  EXPECT_EQ(Count(), 2u);
  provider->Release();
  unknown->Release();
}

TEST_F(Identity, DispatchAnswersTheAmbientDispatchWhichKnowsNoProperty) {
  auto* first = ht::Query<IDispatch>(identity_, IID_IDispatch);
  auto* second = ht::Query<IDispatch>(identity_, IID_IDispatch);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_NE(static_cast<IUnknown*>(first), identity_);
  DISPPARAMS none = {};
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(first->Invoke(-709 /* ambient user mode */, IID_NULL, 0x800, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                          nullptr),
            E_FAIL);
  second->Release();
  first->Release();
}

TEST_F(Identity, WindowFrameAndSiteInterfacesComeFromOneAxHoster) {
  auto* window = ht::Query<IOleWindow>(identity_);
  auto* uiWindow = ht::Query<IOleInPlaceUIWindow>(identity_);
  auto* frame = ht::Query<IOleInPlaceFrame>(identity_);
  auto* clientSite = ht::Query<IOleClientSite>(identity_);
  auto* inPlaceSite = ht::Query<IOleInPlaceSite>(identity_);
  auto* controlSite = ht::Query<IOleControlSite>(identity_);
  ASSERT_TRUE(window && uiWindow && frame && clientSite && inPlaceSite && controlSite);
  // The frame's table answers for IOleWindow and IOleInPlaceUIWindow.
  EXPECT_EQ(static_cast<IUnknown*>(window), static_cast<IUnknown*>(frame));
  EXPECT_EQ(static_cast<IUnknown*>(uiWindow), static_cast<IUnknown*>(frame));
  CAxHoster* hoster = static_cast<CAxHoster*>(frame);
  EXPECT_EQ(static_cast<CAxHoster*>(clientSite), hoster);
  EXPECT_EQ(static_cast<CAxHoster*>(inPlaceSite), hoster);
  EXPECT_EQ(static_cast<CAxHoster*>(controlSite), hoster);
  EXPECT_EQ(hoster->Owner(), host_.GetControl());
  EXPECT_EQ(Count(), 6u);
  for (IUnknown* p : std::vector<IUnknown*>{window, uiWindow, frame, clientSite, inPlaceSite, controlSite})
    p->Release();
  EXPECT_EQ(Count(), 0u);
}

TEST_F(Identity, UiHandlerAndNotifySinkComeFromTheirOwnObjects) {
  auto* handler = ht::Query<IDocHostUIHandler>(identity_);
  auto* sink = ht::Query<IPropertyNotifySink>(identity_);
  ASSERT_NE(handler, nullptr);
  ASSERT_NE(sink, nullptr);
  EXPECT_EQ(static_cast<CDocHost*>(handler)->Owner(), host_.GetControl());
  EXPECT_EQ(static_cast<CNotifySink*>(sink)->Owner(), host_.GetControl());
  sink->Release();
  handler->Release();
}

TEST_F(Identity, SiteObjectsAreMadeOnceAndKept) {
  auto* site = ht::Query<IOleClientSite>(identity_);
  auto* handler = ht::Query<IDocHostUIHandler>(identity_);
  auto* sink = ht::Query<IPropertyNotifySink>(identity_);
  site->Release();
  handler->Release();
  sink->Release();
  // Nothing holds them now; asking again finds the very same objects.
  auto* siteAgain = ht::Query<IOleClientSite>(identity_);
  auto* handlerAgain = ht::Query<IDocHostUIHandler>(identity_);
  auto* sinkAgain = ht::Query<IPropertyNotifySink>(identity_);
  EXPECT_EQ(siteAgain, site);
  EXPECT_EQ(handlerAgain, handler);
  EXPECT_EQ(sinkAgain, sink);
  siteAgain->Release();
  handlerAgain->Release();
  sinkAgain->Release();
}

TEST_F(Identity, AnyOtherInterfaceIsRefusedWithAnEmptyResult) {
  const IID* refused[] = {&IID_IOleObject,
                          &IID_IOleContainer,
                          &IID_IOleCommandTarget,
                          &__uuidof(IHTMLDocument2),
                          &IID_IOleInPlaceActiveObject,
                          &IID_IOleInPlaceSiteEx,
                          &IID_IConnectionPointContainer,
                          &IID_IPersist,
                          &IID_NULL};
  for (const IID* riid : refused) {
    void* out = kMarker;
    EXPECT_EQ(identity_->QueryInterface(*riid, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
  }
  EXPECT_EQ(Count(), 0u);
}

TEST_F(Identity, MissingResultPointerFails) {
  const IID* asked[] = {&IID_IUnknown,
                        &IID_IDispatch,
                        &IID_IOleClientSite,
                        &__uuidof(IDocHostUIHandler),
                        &IID_IPropertyNotifySink,
                        &IID_IServiceProvider,
                        &IID_IOleObject};
  for (const IID* riid : asked) EXPECT_EQ(identity_->QueryInterface(*riid, nullptr), E_FAIL);
  EXPECT_EQ(Count(), 0u);
}

TEST_F(Identity, QueryServiceAnswersNoInterfaceForEveryService) {
  auto* provider = ht::Query<IServiceProvider>(identity_, IID_IServiceProvider);
  ASSERT_NE(provider, nullptr);
  const GUID* services[] = {&IID_IUnknown, &IID_IOleClientSite, &__uuidof(IDocHostUIHandler), &IID_IDispatch,
                            &IID_IServiceProvider};
  for (const GUID* service : services) {
    void* out = kMarker;
    EXPECT_EQ(provider->QueryService(*service, IID_IUnknown, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
  }
  provider->Release();
  EXPECT_EQ(Count(), 0u);
}

TEST_F(Identity, SiteInterfacesReachTheIdentityAndEachOther) {
  auto* clientSite = ht::Query<IOleClientSite>(identity_);
  auto* inPlaceSite = ht::Query<IOleInPlaceSite>(identity_);
  ASSERT_NE(clientSite, nullptr);
  auto* unknown = ht::Query<IUnknown>(clientSite, IID_IUnknown);
  EXPECT_EQ(unknown, identity_);
  auto* siteFromClientSite = ht::Query<IOleInPlaceSite>(clientSite);
  EXPECT_EQ(siteFromClientSite, inPlaceSite);
  // Across objects too: the UI handler leads to the sink and to the ambient dispatch.
  auto* handler = ht::Query<IDocHostUIHandler>(clientSite);
  auto* sink = ht::Query<IPropertyNotifySink>(handler);
  auto* sinkDirect = ht::Query<IPropertyNotifySink>(identity_);
  auto* ambient = ht::Query<IDispatch>(sink, IID_IDispatch);
  auto* ambientDirect = ht::Query<IDispatch>(identity_, IID_IDispatch);
  EXPECT_EQ(sink, sinkDirect);
  EXPECT_EQ(ambient, ambientDirect);
  void* out = kMarker;
  EXPECT_EQ(clientSite->QueryInterface(IID_IOleObject, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  for (IUnknown* p :
       std::vector<IUnknown*>{clientSite, inPlaceSite, unknown, siteFromClientSite, handler, sink, sinkDirect})
    p->Release();
  ambient->Release();
  ambientDirect->Release();
  EXPECT_EQ(Count(), 0u);
}

TEST_F(Identity, CountOnlyCountsAndNeverGoesBelowZero) {
  EXPECT_EQ(identity_->AddRef(), baseline_ + 1);
  EXPECT_EQ(identity_->AddRef(), baseline_ + 2);
  EXPECT_EQ(identity_->Release(), baseline_ + 1);
  EXPECT_EQ(identity_->Release(), baseline_);
  for (ULONG i = 0; i < baseline_; ++i) identity_->Release();
  EXPECT_EQ(identity_->Release(), 0u);  // an unbalanced release does not wrap round
  for (ULONG i = 0; i < baseline_; ++i) identity_->AddRef();
  EXPECT_TRUE(IsWindow(host_.Hwnd()));
  EXPECT_EQ(Module_FindControl(host_.Hwnd()), host_.GetControl());
}

TEST_F(Identity, ReleasingEveryInterfaceHandedOutDeletesNothing) {
  const IID* rows[] = {&IID_IUnknown,
                       &IID_IDispatch,
                       &IID_IOleWindow,
                       &IID_IOleInPlaceUIWindow,
                       &IID_IOleInPlaceFrame,
                       &IID_IOleClientSite,
                       &IID_IOleInPlaceSite,
                       &IID_IOleControlSite,
                       &__uuidof(IDocHostUIHandler),
                       &IID_IPropertyNotifySink,
                       &IID_IServiceProvider};
  std::vector<IUnknown*> held;
  for (const IID* riid : rows) held.push_back(ht::Query<IUnknown>(identity_, *riid));
  std::vector<IUnknown*> again;
  for (IUnknown* p : held) {
    ASSERT_NE(p, nullptr);
    p->Release();
  }
  EXPECT_EQ(Count(), 0u);
  EXPECT_EQ(Module_FindControl(host_.Hwnd()), host_.GetControl());
  // Every object still answers, at the same address.
  for (const IID* riid : rows) again.push_back(ht::Query<IUnknown>(identity_, *riid));
  EXPECT_EQ(again, held);
  HWND window = nullptr;
  EXPECT_EQ(static_cast<IOleWindow*>(static_cast<void*>(again[2]))->GetWindow(&window), S_OK);
  EXPECT_EQ(window, host_.Hwnd());
  for (IUnknown* p : again) p->Release();
}

TEST_F(Identity, OwnLookupsGiveOnlyTheirOwnRow) {
  auto* frame = ht::Query<IOleInPlaceFrame>(identity_);
  auto* handler = ht::Query<IDocHostUIHandler>(identity_);
  auto* sink = ht::Query<IPropertyNotifySink>(identity_);
  CAxHoster* hoster = static_cast<CAxHoster*>(frame);
  void* out = kMarker;
  EXPECT_EQ(hoster->Lookup(IID_IUnknown, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(hoster->Lookup(__uuidof(IDocHostUIHandler), &out), E_NOINTERFACE);
  EXPECT_EQ(hoster->Lookup(IID_IOleInPlaceSite, nullptr), E_FAIL);
  EXPECT_EQ(static_cast<CDocHost*>(handler)->Lookup(IID_IOleClientSite, &out), E_NOINTERFACE);
  EXPECT_EQ(static_cast<CDocHost*>(handler)->Lookup(IID_IUnknown, &out), E_NOINTERFACE);
  EXPECT_EQ(static_cast<CNotifySink*>(sink)->Lookup(IID_IDispatch, &out), E_NOINTERFACE);
  EXPECT_EQ(static_cast<CNotifySink*>(sink)->Lookup(IID_IPropertyNotifySink, nullptr), E_FAIL);
  EXPECT_EQ(hoster->Lookup(IID_IOleControlSite, &out), S_OK);
  EXPECT_EQ(out, static_cast<IOleControlSite*>(hoster));
  static_cast<IUnknown*>(out)->Release();
  sink->Release();
  handler->Release();
  frame->Release();
  EXPECT_EQ(Count(), 0u);
}

TEST(OrphanSite, WithoutAnOwnerLookupsAndQueriesFail) {
  CAxHoster hoster(nullptr);
  CDocHost handler(nullptr);
  CNotifySink sink(nullptr);
  void* out = kMarker;
  EXPECT_EQ(hoster.Lookup(IID_IOleClientSite, &out), E_FAIL);
  EXPECT_EQ(out, nullptr);
  out = kMarker;
  EXPECT_EQ(handler.Lookup(__uuidof(IDocHostUIHandler), &out), E_FAIL);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(sink.Lookup(IID_IPropertyNotifySink, &out), E_FAIL);
  out = kMarker;
  EXPECT_EQ(static_cast<IOleClientSite&>(hoster).QueryInterface(IID_IUnknown, &out), E_FAIL);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(static_cast<IOleClientSite&>(hoster).AddRef(), 0u);
  EXPECT_EQ(static_cast<IOleClientSite&>(hoster).Release(), 0u);
}

TEST(AmbientDispatch, LivesWithTheControlAndOutlivesItOnlyForItsHolders) {
  const LONG before = CTestDispatch::Live();
  {
    ht::HostedControl host;
    ASSERT_NE(host.GetControl(), nullptr);
    EXPECT_EQ(CTestDispatch::Live(), before + 1);
  }
  EXPECT_EQ(CTestDispatch::Live(), before);
  // An engine that still holds the dispatch when the control goes keeps it until it lets go.
  ht::HostedControl host;
  auto* ambient = ht::Query<IDispatch>(host.Identity(), IID_IDispatch);
  ASSERT_NE(ambient, nullptr);
  host.Destroy();
  EXPECT_EQ(CTestDispatch::Live(), before + 1);
  ambient->Release();
  EXPECT_EQ(CTestDispatch::Live(), before);
}

}  // namespace

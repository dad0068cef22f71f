// In-place activation as a container drives it: which site methods the document calls and in what
// order, the window it makes, and that it lets go of the site again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "RectAssert.h"
#include "LiveFormFixture.h"
#include "RecordingSite.h"

namespace {

using namespace et;
using Calls = std::vector<std::string>;

const RECT kPlace = {20, 30, 420, 330};

class Activation : public DocumentTest {
 protected:
  Ptr<IOleObject> Object() { return QueryAs<IOleObject>(document_); }
  HRESULT Activate(lt::RecordingSite& site, const RECT* rect = &kPlace) {
    return Object()->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, parent_.Hwnd(), rect);
  }
  HWND View() {
    HWND view = Unwritten<HWND__>();
    Ptr<IOleWindow> window = QueryAs<IOleWindow>(document_);
    return window && SUCCEEDED(window->GetWindow(&view)) ? view : nullptr;
  }
  RECT PlaceInParent(HWND view) {
    RECT rect = {};
    GetWindowRect(view, &rect);
    MapWindowPoints(nullptr, parent_.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  // Closes and detaches the document, as a container does before releasing it.
  void Shut() {
    if (!document_) return;
    Ptr<IOleObject> object = Object();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
  }

  lt::HostWindow parent_;
};

using vt::SameRect;

TEST_F(Activation, SettingTheClientSiteAsksForTheHostInfoOnly) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  EXPECT_EQ(site.calls, Calls({"GetHostInfo"}));
  Ptr<IOleClientSite> back;
  ASSERT_HRESULT_SUCCEEDED(Object()->GetClientSite(back.Out()));
  EXPECT_EQ(back.get(), static_cast<IOleClientSite*>(&site));
  back.reset();
  Shut();
}

TEST_F(Activation, InPlaceActivationAsksTheSiteInOrderAndMakesAChildWindowAtTheRectangle) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  site.calls.clear();
  ASSERT_EQ(Activate(site), S_OK);
  EXPECT_EQ(site.calls, Calls({"CanInPlaceActivate", "OnInPlaceActivate", "GetWindowContext"}));
  HWND view = View();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(GetParent(view), parent_.Hwnd());
  EXPECT_TRUE(GetWindowLongW(view, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(IsWindowVisible(view));
  EXPECT_TRUE(SameRect(PlaceInParent(view), kPlace));
  Shut();
}

TEST_F(Activation, WithoutARectangleTheWindowTakesThePlaceTheSiteGives) {
  const RECT sitePlace = {5, 6, 105, 86};
  lt::RecordingSite site(parent_.Hwnd(), sitePlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  ASSERT_EQ(Activate(site, nullptr), S_OK);
  EXPECT_TRUE(SameRect(PlaceInParent(View()), sitePlace));
  Shut();
}

TEST_F(Activation, ActivatingAgainKeepsTheOneWindowAndAsksNothingMore) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  ASSERT_EQ(Activate(site), S_OK);
  HWND first = View();
  site.calls.clear();
  EXPECT_EQ(Activate(site), S_OK);
  EXPECT_EQ(View(), first);
  EXPECT_TRUE(site.calls.empty());
  Shut();
}

TEST_F(Activation, ASiteThatRefusesActivationGetsNoWindow) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace, lt::RecordingSite::Activation::Refuse);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  site.calls.clear();
  EXPECT_TRUE(FAILED(Activate(site)));
  EXPECT_EQ(site.calls, Calls({"CanInPlaceActivate"}));
  EXPECT_EQ(View(), nullptr);
  EXPECT_EQ(FindWindowExW(parent_.Hwnd(), nullptr, nullptr, nullptr), nullptr);
  Shut();
  EXPECT_EQ(site.Refs(), 1);
}

TEST_F(Activation, ASiteWithoutInPlaceSupportGetsNoWindow) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace, lt::RecordingSite::Activation::Allow,
                         lt::RecordingSite::InPlace::Absent);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  EXPECT_TRUE(FAILED(Activate(site)));
  EXPECT_EQ(View(), nullptr);
  EXPECT_EQ(FindWindowExW(parent_.Hwnd(), nullptr, nullptr, nullptr), nullptr);
  Shut();
}

TEST_F(Activation, GetWindowFailsBeforeActivation) {
  HWND view = Unwritten<HWND__>();
  Ptr<IOleWindow> window = QueryAs<IOleWindow>(document_);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->GetWindow(&view), E_FAIL);
  EXPECT_EQ(view, nullptr);
  EXPECT_EQ(window->GetWindow(nullptr), E_POINTER);
}

TEST_F(Activation, CloseDeactivatesAtTheSiteAndDestroysTheWindow) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  ASSERT_EQ(Activate(site), S_OK);
  HWND view = View();
  site.calls.clear();
  ASSERT_HRESULT_SUCCEEDED(Object()->Close(OLECLOSE_NOSAVE));
  EXPECT_EQ(site.calls, Calls({"OnInPlaceDeactivate"}));
  EXPECT_FALSE(IsWindow(view));
  EXPECT_EQ(View(), nullptr);
  site.calls.clear();
  ASSERT_HRESULT_SUCCEEDED(Object()->Close(OLECLOSE_NOSAVE));
  EXPECT_TRUE(site.calls.empty()) << "a second Close has nothing to deactivate";
  Object()->SetClientSite(nullptr);
}

TEST_F(Activation, SetObjectRectsMovesTheWindow) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  ASSERT_EQ(Activate(site), S_OK);
  const RECT moved = {50, 60, 250, 160};
  Ptr<IOleInPlaceObject> inPlace = QueryAs<IOleInPlaceObject>(document_);
  ASSERT_HRESULT_SUCCEEDED(inPlace->SetObjectRects(&moved, &moved));
  EXPECT_TRUE(SameRect(PlaceInParent(View()), moved));
  RECT client = {};
  GetClientRect(View(), &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 100);
  EXPECT_EQ(inPlace->SetObjectRects(nullptr, &moved), E_INVALIDARG);
  Shut();
}

TEST_F(Activation, TheBodyFillsTheWindowItIsShownIn) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><div>x</div></body>"));
  lt::RecordingSite site(parent_.Hwnd(), kPlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  ASSERT_EQ(Activate(site), S_OK);
  Ptr<IHTMLElement2> body = Body(document_).As<IHTMLElement2>();
  LONG width = -1, height = -1;
  ASSERT_HRESULT_SUCCEEDED(body->get_clientWidth(&width));
  ASSERT_HRESULT_SUCCEEDED(body->get_clientHeight(&height));
  EXPECT_EQ(width, kPlace.right - kPlace.left);
  EXPECT_EQ(height, kPlace.bottom - kPlace.top);
  body.reset();
  Shut();
}

TEST_F(Activation, TheSiteIsReleasedAsOftenAsItWasReferenced) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  ASSERT_EQ(Activate(site), S_OK);
  ASSERT_HRESULT_SUCCEEDED(Object()->Close(OLECLOSE_NOSAVE));
  document_->Release();
  document_ = nullptr;
  EXPECT_EQ(site.Refs(), 1) << "the document still holds the site after Close and its last release";
}

TEST_F(Activation, ReleasingAnActiveDocumentTakesItsWindowAndSiteReferencesAlong) {
  lt::RecordingSite site(parent_.Hwnd(), kPlace);
  ASSERT_HRESULT_SUCCEEDED(Object()->SetClientSite(&site));
  ASSERT_EQ(Activate(site), S_OK);
  HWND view = View();
  document_->Release();
  document_ = nullptr;
  EXPECT_FALSE(IsWindow(view));
  EXPECT_EQ(site.Refs(), 1);
}

}  // namespace

// CAxHoster as the document sees it: its window and the rectangle it is given (the calls it declines are
// in DeclinedCallsTest).
#include <gtest/gtest.h>
#include <windows.h>
#include <oleidl.h>
#include <ocidl.h>

#include <cstring>

#include "HostingTestSupport.h"
#include "RectAssert.h"
#include "hosting/AxHoster.h"

namespace {

HWND const kStaleWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(0xdeadbeef));

class AxHosterSite : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.GetControl(), nullptr);
    baseline_ = Count();
    frame_ = ht::Query<IOleInPlaceFrame>(host_.Identity());
    clientSite_ = ht::Query<IOleClientSite>(host_.Identity());
    inPlaceSite_ = ht::Query<IOleInPlaceSite>(host_.Identity());
    controlSite_ = ht::Query<IOleControlSite>(host_.Identity());
    ASSERT_TRUE(frame_ && clientSite_ && inPlaceSite_ && controlSite_);
  }
  void TearDown() override {
    for (IUnknown* p : {static_cast<IUnknown*>(frame_), static_cast<IUnknown*>(clientSite_),
                        static_cast<IUnknown*>(inPlaceSite_), static_cast<IUnknown*>(controlSite_)})
      if (p) p->Release();
    // Every reference a test took has been given back.
    if (host_.Identity()) {
      EXPECT_EQ(Count(), 0u);
    }
  }
  // References to the identity beyond those held before the test began.
  ULONG Count() {
    host_.Identity()->AddRef();
    return host_.Identity()->Release() - baseline_;
  }

  ht::HostedControl host_;
  IOleInPlaceFrame* frame_ = nullptr;
  IOleClientSite* clientSite_ = nullptr;
  IOleInPlaceSite* inPlaceSite_ = nullptr;
  IOleControlSite* controlSite_ = nullptr;
  ULONG baseline_ = 0;
};

TEST_F(AxHosterSite, FrameAndInPlaceSiteBothAnswerTheControlWindow) {
  HWND window = kStaleWindow;
  EXPECT_EQ(frame_->GetWindow(&window), S_OK);
  EXPECT_EQ(window, host_.Hwnd());
  window = kStaleWindow;
  EXPECT_EQ(inPlaceSite_->GetWindow(&window), S_OK);
  EXPECT_EQ(window, host_.Hwnd());
  EXPECT_EQ(frame_->ContextSensitiveHelp(TRUE), S_OK);
  EXPECT_EQ(inPlaceSite_->ContextSensitiveHelp(FALSE), S_OK);
}

TEST_F(AxHosterSite, FrameLendsNoToolSpace) {
  EXPECT_EQ(INPLACE_E_NOTOOLSPACE, static_cast<HRESULT>(0x800401A1));
  RECT border = {};
  BORDERWIDTHS widths = {1, 2, 3, 4};
  EXPECT_EQ(frame_->GetBorder(&border), INPLACE_E_NOTOOLSPACE);
  EXPECT_EQ(frame_->RequestBorderSpace(&widths), INPLACE_E_NOTOOLSPACE);
  EXPECT_EQ(frame_->SetBorderSpace(&widths), INPLACE_E_NOTOOLSPACE);
  EXPECT_EQ(frame_->SetBorderSpace(nullptr), INPLACE_E_NOTOOLSPACE);
}

TEST_F(AxHosterSite, FrameTakesAnActiveObjectButRefusesNone) {
  // The frame only looks at whether there is an object; it never calls it.
  auto* object = reinterpret_cast<IOleInPlaceActiveObject*>(static_cast<uintptr_t>(0x1000));
  EXPECT_EQ(frame_->SetActiveObject(object, L"form"), S_OK);
  EXPECT_EQ(frame_->SetActiveObject(object, nullptr), S_OK);
  EXPECT_EQ(frame_->SetActiveObject(nullptr, nullptr), E_INVALIDARG);
}

TEST_F(AxHosterSite, FrameHasNoMenusOrStatusBarToMergeButSaysYes) {
  HMENU menu = CreateMenu();
  OLEMENUGROUPWIDTHS widths = {};
  EXPECT_EQ(frame_->InsertMenus(menu, &widths), S_OK);
  EXPECT_EQ(frame_->SetMenu(menu, nullptr, host_.Hwnd()), S_OK);
  EXPECT_EQ(frame_->RemoveMenus(menu), S_OK);
  EXPECT_EQ(frame_->SetStatusText(L"Done"), S_OK);
  EXPECT_EQ(GetMenuItemCount(menu), 0);
  DestroyMenu(menu);
}

TEST_F(AxHosterSite, FrameCountsEveryKeyOfferedToItAsHandled) {
  MSG msg = {host_.Hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_EQ(frame_->TranslateAccelerator(&msg, 0), S_OK);
  msg.wParam = 'A';
  EXPECT_EQ(frame_->TranslateAccelerator(&msg, 7), S_OK);
}

TEST_F(AxHosterSite, EnableModelessRemembersTheLastArgument) {
  auto* hoster = static_cast<CAxHoster*>(frame_);
  EXPECT_EQ(frame_->EnableModeless(FALSE), S_OK);
  EXPECT_EQ(hoster->ModelessEnabled(), FALSE);
  EXPECT_EQ(frame_->EnableModeless(TRUE), S_OK);
  EXPECT_EQ(hoster->ModelessEnabled(), TRUE);
}

TEST_F(AxHosterSite, ClientSiteSavesAndShows) {
  EXPECT_EQ(clientSite_->SaveObject(), S_OK);
  EXPECT_EQ(clientSite_->ShowObject(), S_OK);
}

TEST_F(AxHosterSite, InPlaceSiteAgreesToEveryActivationStep) {
  EXPECT_EQ(inPlaceSite_->CanInPlaceActivate(), S_OK);
  EXPECT_EQ(inPlaceSite_->OnInPlaceActivate(), S_OK);
  EXPECT_EQ(inPlaceSite_->OnUIActivate(), S_OK);
  EXPECT_EQ(inPlaceSite_->OnUIDeactivate(FALSE), S_OK);
  EXPECT_EQ(inPlaceSite_->OnInPlaceDeactivate(), S_OK);
  EXPECT_EQ(inPlaceSite_->DiscardUndoState(), S_OK);
  EXPECT_EQ(inPlaceSite_->DeactivateAndUndo(), S_OK);
}

TEST_F(AxHosterSite, WindowContextGivesTheFrameTwiceAndTheClientRectangle) {
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = nullptr;
  RECT position = {-7, -7, -7, -7};
  RECT clip = {-7, -7, -7, -7};
  OLEINPLACEFRAMEINFO info;
  std::memset(&info, 0xCD, sizeof info);
  ASSERT_EQ(inPlaceSite_->GetWindowContext(&frame, &document, &position, &clip, &info), S_OK);
  // Both are the frame table of this very object, counted like any interface handed out.
  EXPECT_EQ(frame, frame_);
  EXPECT_EQ(static_cast<IUnknown*>(document), static_cast<IUnknown*>(frame_));
  EXPECT_EQ(Count(), 4u + 2u);
  frame->Release();
  document->Release();

  RECT client = {};
  GetClientRect(host_.Hwnd(), &client);
  EXPECT_TRUE(vt::SameRect(position, client));
  EXPECT_TRUE(vt::SameRect(clip, client));
  EXPECT_EQ(info.cb, 32u);
  EXPECT_EQ(info.fMDIApp, FALSE);
  EXPECT_EQ(info.hwndFrame, host_.Hwnd());
  EXPECT_EQ(info.haccel, nullptr);
  EXPECT_EQ(info.cAccelEntries, 0u);
}

TEST_F(AxHosterSite, WindowContextFollowsTheWindowSize) {
  SetWindowPos(host_.Hwnd(), nullptr, 0, 0, 123, 45, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client = {};
  GetClientRect(host_.Hwnd(), &client);
  RECT position = {};
  OLEINPLACEFRAMEINFO info = {};
  EXPECT_EQ(inPlaceSite_->GetWindowContext(nullptr, nullptr, &position, nullptr, &info), S_OK);
  EXPECT_TRUE(vt::SameRect(position, client));
  EXPECT_EQ(info.hwndFrame, host_.Hwnd());
  EXPECT_EQ(inPlaceSite_->GetWindowContext(nullptr, nullptr, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(AxHosterSite, ControlSiteAcknowledgesChangesAndFocus) {
  EXPECT_EQ(controlSite_->OnControlInfoChanged(), S_OK);
  EXPECT_EQ(controlSite_->OnFocus(TRUE), S_OK);
  EXPECT_EQ(controlSite_->OnFocus(FALSE), S_OK);
}

// A control whose window does not exist (made without one, as before its window is attached).
TEST(AxHosterWithoutWindow, WindowQueriesAnswerUnexpected) {
  CVellum* control = new CVellum;
  ASSERT_NE(control, nullptr);
  auto* frame = ht::Query<IOleInPlaceFrame>(control->Identity());
  auto* site = ht::Query<IOleInPlaceSite>(control->Identity());
  ASSERT_TRUE(frame && site);
  HWND window = kStaleWindow;
  EXPECT_EQ(frame->GetWindow(&window), E_UNEXPECTED);
  EXPECT_EQ(window, nullptr);
  window = kStaleWindow;
  EXPECT_EQ(site->GetWindow(&window), E_UNEXPECTED);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(site->CanInPlaceActivate(), E_UNEXPECTED);
  IOleInPlaceFrame* contextFrame = nullptr;
  IOleInPlaceUIWindow* contextDocument = nullptr;
  RECT position = {};
  RECT clip = {};
  OLEINPLACEFRAMEINFO info = {};
  EXPECT_EQ(site->GetWindowContext(&contextFrame, &contextDocument, &position, &clip, &info), E_UNEXPECTED);
  // The rest of the table does not depend on the window.
  EXPECT_EQ(frame->GetBorder(&position), INPLACE_E_NOTOOLSPACE);
  EXPECT_EQ(site->OnInPlaceActivate(), S_OK);
  site->Release();
  frame->Release();
  delete control;
}

TEST(AxHosterWithoutWindow, OrphanSiteAnswersUnexpected) {
  CAxHoster orphan(nullptr);
  HWND window = kStaleWindow;
  EXPECT_EQ(static_cast<IOleInPlaceSite&>(orphan).GetWindow(&window), E_UNEXPECTED);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(orphan.CanInPlaceActivate(), E_UNEXPECTED);
  EXPECT_EQ(orphan.GetWindowContext(nullptr, nullptr, nullptr, nullptr, nullptr), E_UNEXPECTED);
}

}  // namespace

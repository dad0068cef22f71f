// Every call the control's site objects leave to the engine answers E_NOTIMPL, and an object it would
// have handed out is left null (never stale), with or without somewhere to write it.
#include <gtest/gtest.h>
#include <windows.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <oleidl.h>

#include <functional>
#include <vector>

#include "HostingTestSupport.h"

namespace {

template <class T>
T* Stale() {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(0xdeadbeef));
}

struct Sites {
  IOleClientSite* client;
  IOleInPlaceSite* inPlace;
  IOleControlSite* control;
  IDocHostUIHandler* ui;
  HWND window;
};

struct DeclinedCall {
  const char* name;
  std::function<HRESULT(const Sites&)> call;
};

// A call that would hand out an object: it must come back null.
template <class T, class Call>
std::function<HRESULT(const Sites&)> HandsOutNothing(Call call) {
  return [call](const Sites& sites) -> HRESULT {
    T* out = Stale<T>();
    const HRESULT hr = call(sites, &out);
    return out == nullptr ? hr : E_UNEXPECTED;  // a stale or real object where none belongs
  };
}

const std::vector<DeclinedCall>& Calls() {
  static const std::vector<DeclinedCall> kCalls = {
      {"IOleClientSite::GetMoniker", HandsOutNothing<IMoniker>([](const Sites& s, IMoniker** out) {
         return s.client->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_CONTAINER, out);
       })},
      {"IOleClientSite::GetMoniker(null)",
       [](const Sites& s) { return s.client->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_CONTAINER, nullptr); }},
      {"IOleClientSite::GetContainer",
       HandsOutNothing<IOleContainer>([](const Sites& s, IOleContainer** out) { return s.client->GetContainer(out); })},
      {"IOleClientSite::GetContainer(null)", [](const Sites& s) { return s.client->GetContainer(nullptr); }},
      {"IOleClientSite::OnShowWindow", [](const Sites& s) { return s.client->OnShowWindow(TRUE); }},
      {"IOleClientSite::RequestNewObjectLayout", [](const Sites& s) { return s.client->RequestNewObjectLayout(); }},
      {"IOleInPlaceSite::Scroll",
       [](const Sites& s) {
         return s.inPlace->Scroll(SIZE{10, 10});
       }},
      {"IOleInPlaceSite::OnPosRectChange",
       [](const Sites& s) {
         RECT elsewhere = {5, 5, 50, 50};
         return s.inPlace->OnPosRectChange(&elsewhere);
       }},
      {"IOleControlSite::LockInPlaceActive", [](const Sites& s) { return s.control->LockInPlaceActive(TRUE); }},
      {"IOleControlSite::GetExtendedControl",
       HandsOutNothing<IDispatch>([](const Sites& s, IDispatch** out) { return s.control->GetExtendedControl(out); })},
      {"IOleControlSite::TransformCoords",
       [](const Sites& s) {
         POINTL himetric = {100, 100};
         POINTF container = {};
         return s.control->TransformCoords(&himetric, &container,
                                           XFORMCOORDS_POSITION | XFORMCOORDS_HIMETRICTOCONTAINER);
       }},
      // Unlike the frame, the control site takes no keys.
      {"IOleControlSite::TranslateAccelerator",
       [](const Sites& s) {
         MSG msg = {s.window, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
         return s.control->TranslateAccelerator(&msg, 0);
       }},
      {"IOleControlSite::ShowPropertyFrame", [](const Sites& s) { return s.control->ShowPropertyFrame(); }},
      {"IDocHostUIHandler::TranslateUrl", HandsOutNothing<OLECHAR>([](const Sites& s, OLECHAR** out) {
         wchar_t url[] = L"about:blank";
         return s.ui->TranslateUrl(0, url, out);
       })},
      {"IDocHostUIHandler::TranslateUrl(null)",
       [](const Sites& s) {
         wchar_t url[] = L"about:blank";
         return s.ui->TranslateUrl(0, url, nullptr);
       }},
      {"IDocHostUIHandler::ShowContextMenu",
       [](const Sites& s) {
         POINT at = {10, 10};
         return s.ui->ShowContextMenu(CONTEXT_MENU_DEFAULT, &at, nullptr, nullptr);
       }},
      {"IDocHostUIHandler::ShowUI",
       [](const Sites& s) { return s.ui->ShowUI(DOCHOSTUITYPE_AUTHOR, nullptr, nullptr, nullptr, nullptr); }},
      {"IDocHostUIHandler::HideUI", [](const Sites& s) { return s.ui->HideUI(); }},
      {"IDocHostUIHandler::UpdateUI", [](const Sites& s) { return s.ui->UpdateUI(); }},
      {"IDocHostUIHandler::EnableModeless", [](const Sites& s) { return s.ui->EnableModeless(TRUE); }},
      {"IDocHostUIHandler::OnDocWindowActivate", [](const Sites& s) { return s.ui->OnDocWindowActivate(TRUE); }},
      {"IDocHostUIHandler::OnFrameWindowActivate", [](const Sites& s) { return s.ui->OnFrameWindowActivate(FALSE); }},
      {"IDocHostUIHandler::ResizeBorder",
       [](const Sites& s) {
         RECT border = {0, 0, 10, 10};
         return s.ui->ResizeBorder(&border, nullptr, TRUE);
       }},
      {"IDocHostUIHandler::TranslateAccelerator",
       [](const Sites& s) {
         MSG msg = {s.window, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
         return s.ui->TranslateAccelerator(&msg, nullptr, 0);
       }},
      {"IDocHostUIHandler::GetOptionKeyPath",
       HandsOutNothing<OLECHAR>([](const Sites& s, OLECHAR** out) { return s.ui->GetOptionKeyPath(out, 0); })},
      {"IDocHostUIHandler::GetDropTarget", HandsOutNothing<IDropTarget>([](const Sites& s, IDropTarget** out) {
         return s.ui->GetDropTarget(nullptr, out);
       })},
      {"IDocHostUIHandler::GetExternal",
       HandsOutNothing<IDispatch>([](const Sites& s, IDispatch** out) { return s.ui->GetExternal(out); })},
      {"IDocHostUIHandler::GetExternal(null)", [](const Sites& s) { return s.ui->GetExternal(nullptr); }},
      {"IDocHostUIHandler::FilterDataObject", HandsOutNothing<IDataObject>([](const Sites& s, IDataObject** out) {
         return s.ui->FilterDataObject(nullptr, out);
       })},
  };
  return kCalls;
}

TEST(DeclinedCalls, EveryCallLeftToTheEngineAnswersNotImplementedAndHandsOutNothing) {
  ht::HostedControl host;
  ASSERT_NE(host.GetControl(), nullptr);
  Sites sites = {ht::Query<IOleClientSite>(host.Identity()), ht::Query<IOleInPlaceSite>(host.Identity()),
                 ht::Query<IOleControlSite>(host.Identity()), ht::Query<IDocHostUIHandler>(host.Identity()),
                 host.Hwnd()};
  ASSERT_TRUE(sites.client && sites.inPlace && sites.control && sites.ui);
  for (const DeclinedCall& declined : Calls()) {
    SCOPED_TRACE(declined.name);
    EXPECT_EQ(declined.call(sites), E_NOTIMPL);
  }
  for (IUnknown* site : {static_cast<IUnknown*>(sites.client), static_cast<IUnknown*>(sites.inPlace),
                         static_cast<IUnknown*>(sites.control), static_cast<IUnknown*>(sites.ui)})
    site->Release();
}

}  // namespace

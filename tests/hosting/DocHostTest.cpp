// CDocHost: the host UI the page gets (a dialog-like form) and the requests left to the engine.
#include <gtest/gtest.h>
#include <windows.h>
#include <mshtmhst.h>

#include <cstring>

#include "HostingTestSupport.h"
#include "hosting/DocHost.h"

namespace {

template <class T>
T* Stale() {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(0xdeadbeef));
}

class DocHostUi : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.control(), nullptr);
    handler_ = ht::Query<IDocHostUIHandler>(host_.identity());
    ASSERT_NE(handler_, nullptr);
  }
  void TearDown() override {
    if (handler_) handler_->Release();
  }

  ht::HostedControl host_;
  IDocHostUIHandler* handler_ = nullptr;
};

TEST_F(DocHostUi, HostInfoDescribesABorderlessDialogLikeFormWithoutHostStyles) {
  DOCHOSTUIINFO info;
  std::memset(&info, 0xCD, sizeof info);
  info.cbSize = sizeof info;
  ASSERT_EQ(handler_->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.cbSize, 32u);
  EXPECT_EQ(info.dwFlags, 0x30Fu);
  EXPECT_EQ(info.dwFlags, DWORD(DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_DISABLE_HELP_MENU | DOCHOSTUIFLAG_NO3DBORDER |
                                DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_DIV_BLOCKDEFAULT |
                                DOCHOSTUIFLAG_ACTIVATE_CLIENTHIT_ONLY));
  EXPECT_EQ(info.dwDoubleClick, DWORD(DOCHOSTUIDBLCLK_DEFAULT));
  EXPECT_EQ(info.pchHostCss, nullptr);
  EXPECT_EQ(info.pchHostNS, nullptr);
}

TEST_F(DocHostUi, UrlsAreNotTranslated) {
  wchar_t url[] = L"about:blank";
  LPWSTR translated = Stale<wchar_t>();
  EXPECT_EQ(handler_->TranslateUrl(0, url, &translated), E_NOTIMPL);
  EXPECT_EQ(translated, nullptr);
  EXPECT_EQ(handler_->TranslateUrl(0, url, nullptr), E_NOTIMPL);
}

TEST_F(DocHostUi, MenusKeysAndUiStatesAreLeftToTheEngine) {
  POINT at = {10, 10};
  EXPECT_EQ(handler_->ShowContextMenu(CONTEXT_MENU_DEFAULT, &at, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(handler_->ShowUI(DOCHOSTUITYPE_AUTHOR, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(handler_->HideUI(), E_NOTIMPL);
  EXPECT_EQ(handler_->UpdateUI(), E_NOTIMPL);
  EXPECT_EQ(handler_->EnableModeless(TRUE), E_NOTIMPL);
  EXPECT_EQ(handler_->OnDocWindowActivate(TRUE), E_NOTIMPL);
  EXPECT_EQ(handler_->OnFrameWindowActivate(FALSE), E_NOTIMPL);
  RECT border = {0, 0, 10, 10};
  EXPECT_EQ(handler_->ResizeBorder(&border, nullptr, TRUE), E_NOTIMPL);
  MSG msg = {host_.hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_EQ(handler_->TranslateAccelerator(&msg, nullptr, 0), E_NOTIMPL);
}

TEST_F(DocHostUi, NoOptionsDropTargetExternalObjectOrDataFilterIsOffered) {
  LPOLESTR key = Stale<OLECHAR>();
  EXPECT_EQ(handler_->GetOptionKeyPath(&key, 0), E_NOTIMPL);
  EXPECT_EQ(key, nullptr);
  IDropTarget* replacement = Stale<IDropTarget>();
  EXPECT_EQ(handler_->GetDropTarget(nullptr, &replacement), E_NOTIMPL);
  EXPECT_EQ(replacement, nullptr);
  IDispatch* external = Stale<IDispatch>();
  EXPECT_EQ(handler_->GetExternal(&external), E_NOTIMPL);
  EXPECT_EQ(external, nullptr);
  IDataObject* filtered = Stale<IDataObject>();
  EXPECT_EQ(handler_->FilterDataObject(nullptr, &filtered), E_NOTIMPL);
  EXPECT_EQ(filtered, nullptr);
  EXPECT_EQ(handler_->GetExternal(nullptr), E_NOTIMPL);
}

}  // namespace

// CDocHost: the host UI the page gets (a dialog-like form); the requests it leaves to the engine are in
// DeclinedCallsTest.
#include <gtest/gtest.h>
#include <windows.h>
#include <mshtmhst.h>

#include <cstring>

#include "HostingTestSupport.h"
#include "hosting/DocHost.h"

namespace {

class DocHostUi : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.GetControl(), nullptr);
    handler_ = ht::Query<IDocHostUIHandler>(host_.Identity());
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
  EXPECT_EQ(info.dwFlags,
            DWORD(DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_DISABLE_HELP_MENU | DOCHOSTUIFLAG_NO3DBORDER |
                  DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_DIV_BLOCKDEFAULT | DOCHOSTUIFLAG_ACTIVATE_CLIENTHIT_ONLY));
  EXPECT_EQ(info.dwDoubleClick, DWORD(DOCHOSTUIDBLCLK_DEFAULT));
  EXPECT_EQ(info.pchHostCss, nullptr);
  EXPECT_EQ(info.pchHostNS, nullptr);
}

}  // namespace

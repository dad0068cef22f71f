// Creation, sizing to the stored form size, the parent's move/resize notifications, and destruction.
#include "ProtocolFixture.h"

namespace pt {
namespace {

TEST_F(Protocol, CreationActivatesTheDocumentAndSizesTheFormTo400x150) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_NE(GetControl(), nullptr);
  EXPECT_NE(GetControl()->Document(), nullptr);
  EXPECT_EQ(GetControl()->CompletedLoads(), 1u);
  SIZE client = ClientSize();
  EXPECT_EQ(client.cx, 400);
  EXPECT_EQ(client.cy, 150);
  // The first visible change reports a move and then a resize, before anything else.
  auto codes = parent_->NotifyCodes();
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes[0], UINT(VLMN_MOVED));
  EXPECT_EQ(codes[1], UINT(VLMN_RESIZED));
  const VLMNOTIFY& resized = parent_->Messages()[1].notify;
  EXPECT_EQ(resized.hdr.hwndFrom, hwnd_);
  EXPECT_EQ(resized.hdr.idFrom, 7u);
  EXPECT_EQ(resized.kind, UINT(VLM_KIND_OTHER));
  RECT window;
  GetWindowRect(hwnd_, &window);
  EXPECT_EQ(resized.rcWindow.right - resized.rcWindow.left, window.right - window.left);
  EXPECT_EQ(resized.rcWindow.bottom - resized.rcWindow.top, window.bottom - window.top);
}

TEST_F(Protocol, TheFrameIsAsWideAsAHandleOnEverySide) {
  ASSERT_NE(CreateControl(), nullptr);
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  EXPECT_EQ((window.right - window.left) - client.right, 14);
  EXPECT_EQ((window.bottom - window.top) - client.bottom, 14);
  POINT origin = {0, 0};
  ClientToScreen(hwnd_, &origin);
  EXPECT_EQ(origin.x - window.left, 7);
  EXPECT_EQ(origin.y - window.top, 7);
}

TEST_F(Protocol, DestructionReleasesTheDocument) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_GT(EngineLiveObjects(), 0);
  DestroyControl();
  EXPECT_EQ(EngineLiveObjects(), 0);
}

TEST_F(Protocol, DesignModeHasTheSurfaceChildAndPreviewRemovesIt) {
  ASSERT_NE(CreateControl(), nullptr);
  HWND surface = GetDlgItem(hwnd_, 4096);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(surface, GWL_STYLE)) & 0xFFFF0000u, 0x56000000u);
  // Created topmost and transparent; the window manager keeps only the transparency for a child.
  EXPECT_TRUE(GetWindowLongPtrW(surface, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  EXPECT_EQ(Send(VLM_ISDESIGNMODE), 1);
  EXPECT_EQ(Send(VLM_SETDESIGNMODE, 1), 1);  // already in design mode: nothing to do
  EXPECT_EQ(GetDlgItem(hwnd_, 4096), surface);
  EXPECT_EQ(Send(VLM_SETDESIGNMODE, 0), 1);
  EXPECT_EQ(GetDlgItem(hwnd_, 4096), nullptr);
  EXPECT_EQ(Send(VLM_ISDESIGNMODE), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_PREVIEW));
  EXPECT_EQ(Send(VLM_SETDESIGNMODE, 1), 1);
  EXPECT_NE(GetDlgItem(hwnd_, 4096), nullptr);
}

TEST_F(Protocol, ResizingTheFormStoresItAndTellsTheParent) {
  ASSERT_NE(CreateControl(), nullptr);
  parent_->Clear();
  RECT window;
  GetWindowRect(hwnd_, &window);
  SetWindowPos(hwnd_, nullptr, 0, 0, 300 + 14, 120 + 14, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ClientSize().cx, 300);
  EXPECT_EQ(parent_->NotifyCodes(), (std::vector<UINT>{VLMN_RESIZED, VLMN_CHANGED}));
  // A move alone reports the move and no resize.
  parent_->Clear();
  SetWindowPos(hwnd_, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(parent_->NotifyCodes(), (std::vector<UINT>{VLMN_MOVED}));
  const VLMNOTIFY& moved = parent_->Messages()[0].notify;
  EXPECT_EQ(moved.rcWindow.left, 40);
  EXPECT_EQ(moved.rcWindow.top, 30);
}

}  // namespace
}  // namespace pt

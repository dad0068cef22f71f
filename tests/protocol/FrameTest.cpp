// The form frame: a sizing frame in design mode, inert in preview and while locked.
#include "ProtocolFixture.h"
#include "WindowCapture.h"

namespace pt {
namespace {

LRESULT HitAt(HWND hwnd, int x, int y) { return SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)); }

TEST_F(Protocol, FrameHitZonesInDesignMode) {
  ASSERT_NE(CreateControl(), nullptr);
  RECT w;
  GetWindowRect(hwnd_, &w);
  // The handle squares are centred 3 pixels inside the window's edges.
  const int l = w.left + 3, t = w.top + 3, r = w.right - 3, b = w.bottom - 3;
  const int mx = l + (r - l) / 2, my = t + (b - t) / 2;
  EXPECT_EQ(HitAt(hwnd_, l, t), HTTOPLEFT);
  EXPECT_EQ(HitAt(hwnd_, mx, t), HTTOP);
  EXPECT_EQ(HitAt(hwnd_, r, t), HTTOPRIGHT);
  EXPECT_EQ(HitAt(hwnd_, l, my), HTLEFT);
  EXPECT_EQ(HitAt(hwnd_, r, my), HTRIGHT);
  EXPECT_EQ(HitAt(hwnd_, l, b), HTBOTTOMLEFT);
  EXPECT_EQ(HitAt(hwnd_, mx, b), HTBOTTOM);
  EXPECT_EQ(HitAt(hwnd_, r, b), HTBOTTOMRIGHT);
  EXPECT_EQ(HitAt(hwnd_, mx, my), HTCLIENT);
  EXPECT_EQ(HitAt(hwnd_, w.left - 20, w.top - 20), HTNOWHERE);
}

TEST_F(Protocol, FrameCannotBeDraggedInPreviewOrWhenLocked) {
  ASSERT_NE(CreateControl(), nullptr);
  RECT w;
  GetWindowRect(hwnd_, &w);
  Send(VLM_SETLOCK, 1);
  EXPECT_EQ(HitAt(hwnd_, w.left + 3, w.top + 3), HTNOWHERE);
  EXPECT_EQ(HitAt(hwnd_, (w.left + w.right) / 2, (w.top + w.bottom) / 2), HTNOWHERE);
  Send(VLM_SETLOCK, 0);
  EXPECT_EQ(HitAt(hwnd_, w.left + 3, w.top + 3), HTTOPLEFT);
  Send(VLM_SETDESIGNMODE, 0);
  EXPECT_EQ(HitAt(hwnd_, w.left + 3, w.top + 3), HTNOWHERE);
}

TEST_F(Protocol, NcCalcSizeInsetsBySevenWithEitherArgumentForm) {
  ASSERT_NE(CreateControl(), nullptr);
  RECT r = {0, 0, 100, 50};
  EXPECT_EQ(Send(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r)), 0);
  EXPECT_EQ(r.left, 7);
  EXPECT_EQ(r.top, 7);
  EXPECT_EQ(r.right, 93);
  EXPECT_EQ(r.bottom, 43);
  NCCALCSIZE_PARAMS params = {};
  params.rgrc[0] = {10, 10, 110, 60};
  WINDOWPOS pos = {};
  params.lppos = &pos;
  EXPECT_EQ(Send(WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)), 0);
  EXPECT_EQ(params.rgrc[0].left, 17);
  EXPECT_EQ(params.rgrc[0].bottom, 53);
}

}  // namespace
}  // namespace pt

namespace pt {
namespace {

TEST_F(Protocol, FrameShowsGreyHandlesInDesignModeAndAPlainBandInPreview) {
  ASSERT_NE(CreateControl(), nullptr);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  vt::PumpFor(50);
  vt::Image design = vt::CaptureWindow(hwnd_);
  ASSERT_GT(design.width, 20);
  const uint32_t grey = 0x808080, black = 0x000000;
  const int w = design.width, h = design.height;
  // Handle squares centred 3 pixels in from each corner and on the middle of each side.
  EXPECT_EQ(design.At(3, 3), grey);
  EXPECT_EQ(design.At(w - 5, 3), grey);
  EXPECT_EQ(design.At(3, h - 5), grey);
  EXPECT_EQ(design.At(w - 5, h - 5), grey);
  EXPECT_EQ(design.At(0, 0), black);  // the handle's outline
  vt::SavePng(design, L"protocol-frame-design.png");

  Send(VLM_SETDESIGNMODE, 0);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  vt::PumpFor(50);
  vt::Image preview = vt::CaptureWindow(hwnd_);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  EXPECT_EQ(preview.At(1, 1), faceRgb);
  EXPECT_EQ(preview.At(w / 2, 1), faceRgb);
  vt::SavePng(preview, L"protocol-frame-preview.png");
}

}  // namespace
}  // namespace pt

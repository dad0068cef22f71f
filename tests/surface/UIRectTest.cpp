// Selection rectangle geometry, hit codes and the looks drawn into a memory bitmap.
#include <gtest/gtest.h>

#include "RectAssert.h"
#include <windows.h>

#include "surface/UIRect.h"
#include "surface/VLMConfig.h"

namespace {

using vt::SameRect;

TEST(UIRectGeometry, HandlesAreSevenPixelSquaresCentredOnTheirPoints) {
  CUIRect r(10, 20, 110, 60);
  RECT h = {};
  r.GetHandleRect(kHitTopLeft, h);
  EXPECT_TRUE(SameRect(h, RECT{7, 17, 14, 24}));
  r.GetHandleRect(kHitBottom, h);
  EXPECT_TRUE(SameRect(h, RECT{57, 57, 64, 64}));
  r.GetHandleRect(kHitRight, h);
  EXPECT_TRUE(SameRect(h, RECT{107, 37, 114, 44}));
  RECT untouched = {1, 2, 3, 4};
  r.GetHandleRect(kHitInside, untouched);
  r.GetHandleRect(10, untouched);
  EXPECT_TRUE(SameRect(untouched, RECT{1, 2, 3, 4}));
}

TEST(UIRectGeometry, HitTestPrefersHandlesThenInsideThenOutside) {
  CUIRect r(10, 20, 110, 60);
  EXPECT_EQ(r.HitTest(10, 20), kHitTopLeft);
  EXPECT_EQ(r.HitTest(60, 40), kHitInside);
  EXPECT_EQ(r.HitTest(200, 200), kHitOutside);
  EXPECT_EQ(r.HitTest(112, 62), kHitBottomRight);  // a handle reaches past the rectangle
  EXPECT_EQ(r.HitTest(114, 40), kHitOutside);      // right edges of squares are not part of them
  EXPECT_EQ(r.HitTest(109, 59), kHitBottomRight);  // a handle wins over the inside
}

TEST(UIRectGeometry, OverlappingHandlesOfASmallRectangleGoToTheLowerCode) {
  CUIRect r(0, 0, 4, 4);
  // (1, 1) lies in the squares of the top-left, top, left and further handles.
  EXPECT_EQ(r.HitTest(1, 1), kHitTopLeft);
  EXPECT_EQ(r.HitTest(4, 0), kHitTop);  // outside the top-left square, inside the top one
}

TEST(UIRectGeometry, IsInsideFollowsTheIntersection) {
  RECT outer = {0, 0, 100, 100};
  EXPECT_EQ(CUIRect(10, 10, 100, 100).IsInside(outer), 1);
  EXPECT_EQ(CUIRect(10, 10, 101, 50).IsInside(outer), 0);
  EXPECT_EQ(CUIRect(10, 10, 10, 50).IsInside(outer), 0);  // empty
  EXPECT_EQ(CUIRect(POINT{5, 5}, SIZE{10, 10}).IsInside(outer), 1);
  EXPECT_TRUE(SameRect(CUIRect(POINT{5, 6}, POINT{7, 8}).rect, RECT{5, 6, 7, 8}));
}

// A 60 x 60 white memory bitmap to draw into.
class Canvas {
 public:
  Canvas() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, 60, 60);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    RECT all = {0, 0, 60, 60};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int CountNot(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x) n += At(x, y) != colour;
    return n;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST(UIRectDrawing, PrimaryAndSecondaryLooksFillHandlesWithTheConfiguredColours) {
  Canvas canvas;
  CUIRect(10, 10, 50, 50).DrawPrimary(canvas.Dc());
  EXPECT_EQ(canvas.At(10, 10), VLMConfig()->PrimaryHandleColour());  // centre of the top-left handle
  EXPECT_EQ(canvas.At(7, 7), RGB(0, 0, 0));                          // its outline
  EXPECT_EQ(canvas.At(30, 10), VLMConfig()->PrimaryHandleColour());  // top handle
  EXPECT_EQ(canvas.At(20, 10), RGB(0, 0, 0));                        // the frame between handles
  EXPECT_EQ(canvas.At(30, 30), RGB(255, 255, 255));                  // the inside stays
  Canvas other;
  CUIRect(10, 10, 50, 50).DrawSecondary(other.Dc());
  EXPECT_EQ(other.At(50, 50), VLMConfig()->SecondaryHandleColour());
}

TEST(UIRectDrawing, TrackerAndBandUndoThemselvesAndLeaveTheContextAsItWas) {
  Canvas canvas;
  HGDIOBJ pen = GetCurrentObject(canvas.Dc(), OBJ_PEN);
  HGDIOBJ brush = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
  SetROP2(canvas.Dc(), R2_COPYPEN);
  CUIRect r(10, 10, 50, 40);
  r.DrawTracker(canvas.Dc());
  EXPECT_GT(canvas.CountNot(RGB(255, 255, 255)), 0);
  r.DrawTracker(canvas.Dc());
  EXPECT_EQ(canvas.CountNot(RGB(255, 255, 255)), 0);
  r.DrawBand(canvas.Dc());
  EXPECT_GT(canvas.CountNot(RGB(255, 255, 255)), 0);
  r.DrawBand(canvas.Dc());
  EXPECT_EQ(canvas.CountNot(RGB(255, 255, 255)), 0);
  EXPECT_EQ(GetROP2(canvas.Dc()), R2_COPYPEN);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
}

TEST(UIRectDrawing, FramePlacementAndNoContext) {
  Canvas canvas;
  CUIRect r(10, 10, 50, 50);
  r.DrawFrame(canvas.Dc(), static_cast<int>(FramePlacement::Inside));
  EXPECT_EQ(canvas.At(13, 30), RGB(0, 0, 0));  // 3 pixels inside the left edge
  EXPECT_EQ(canvas.At(10, 30), RGB(255, 255, 255));
  r.DrawFrame(canvas.Dc(), static_cast<int>(FramePlacement::Outside));
  EXPECT_EQ(canvas.At(7, 30), RGB(0, 0, 0));
  r.DrawPrimary(nullptr);  // nothing to draw on: nothing happens
  r.DrawTracker(nullptr);
}

}  // namespace

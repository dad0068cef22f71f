// A selection rectangle with eight square handles: its geometry, hit testing and drawing.
#pragma once

#include <windows.h>

#include <plinthcore.h>

// Hit codes: where a point lies relative to a rectangle and its handles.
enum UIHit : int {
  kHitInside = 0,
  kHitOutside = 1,
  kHitTopLeft = 2,
  kHitTop = 3,
  kHitTopRight = 4,
  kHitLeft = 5,
  kHitRight = 6,
  kHitBottomLeft = 7,
  kHitBottom = 8,
  kHitBottomRight = 9,
};

// Where DrawFrame puts the frame line relative to `rect`.
enum class FramePlacement : int { Inside = 0, Outside = 2, OnRect = 1 };

class CUIRect : public CHeapObject {
 public:
  CUIRect() = default;
  CUIRect(int left, int top, int right, int bottom) : rect{left, top, right, bottom} {}
  explicit CUIRect(const RECT& r) : rect(r) {}
  CUIRect(POINT origin, SIZE size) : rect{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy} {}
  CUIRect(POINT topLeft, POINT bottomRight) : rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}
  virtual ~CUIRect() = default;

  // The square of handle `code` (2..9); other codes leave `out` unchanged.
  void GetHandleRect(int code, RECT& out) const;
  // All that drawing the rectangle in any state may touch: its handles and a frame line outside it.
  RECT Extent() const;
  // Handles first (2..9, lowest code wins), then inside (0) or outside (1).
  int HitTest(int x, int y) const;
  // 1 when `rect` lies wholly within outer; an empty rect never does.
  int IsInside(const RECT& outer) const;

  void DrawPrimary(HDC dc) const;
  void DrawSecondary(HDC dc) const;
  void DrawTracker(HDC dc) const;  // inverting: drawing twice restores the screen
  void DrawBand(HDC dc) const;     // inverting frame only
  void DrawHandles(HDC dc, COLORREF fill) const;
  void DrawFrame(HDC dc, int mode) const;  // mode: FramePlacement values

  RECT rect = {0, 0, 0, 0};  // client coordinates of the surface window

 private:
  void DrawSelection(HDC dc, COLORREF fill) const;
  void DrawOutline(HDC dc, const RECT& r) const;
};

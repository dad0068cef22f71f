#include "surface/UIRect.h"

#include <algorithm>

#include "surface/VLMConfig.h"

namespace {

int HandleSize() {
  CVLMConfig* config = VLMConfig();
  return config ? static_cast<int>(config->HandleSize()) : 7;
}

// Restores what a drawing operation changed in the device context, and frees what it made.
class DcState {
 public:
  explicit DcState(HDC dc) : dc_(dc), rop_(GetROP2(dc)) {}
  ~DcState() {
    SetROP2(dc_, rop_);
    if (oldPen_) SelectObject(dc_, oldPen_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
  }
  void UsePen(int style, COLORREF colour) {
    HPEN pen = CreatePen(style, 1, colour);
    HGDIOBJ old = SelectObject(dc_, pen);
    if (!oldPen_) oldPen_ = old;
    if (pen_) DeleteObject(pen_);
    pen_ = pen;
  }
  void UseBrush(HBRUSH brush) {
    HGDIOBJ old = SelectObject(dc_, brush);
    if (!oldBrush_) oldBrush_ = old;
    if (brush_) DeleteObject(brush_);
    brush_ = brush;
  }

 private:
  HDC dc_;
  int rop_;
  HGDIOBJ oldPen_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
};

bool Contains(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

void CUIRect::GetHandleRect(int code, RECT& out) const {
  const int s = HandleSize(), h = s / 2;
  const int midX = rect.left + (rect.right - rect.left) / 2;
  const int midY = rect.top + (rect.bottom - rect.top) / 2;
  int cx, cy;
  switch (code) {
    case kHitTopLeft:
      cx = rect.left;
      cy = rect.top;
      break;
    case kHitTop:
      cx = midX;
      cy = rect.top;
      break;
    case kHitTopRight:
      cx = rect.right;
      cy = rect.top;
      break;
    case kHitLeft:
      cx = rect.left;
      cy = midY;
      break;
    case kHitRight:
      cx = rect.right;
      cy = midY;
      break;
    case kHitBottomLeft:
      cx = rect.left;
      cy = rect.bottom;
      break;
    case kHitBottom:
      cx = midX;
      cy = rect.bottom;
      break;
    case kHitBottomRight:
      cx = rect.right;
      cy = rect.bottom;
      break;
    default:
      return;
  }
  out.left = cx - h;
  out.top = cy - h;
  out.right = out.left + s;
  out.bottom = out.top + s;
}

int CUIRect::HitTest(int x, int y) const {
  for (int code = kHitTopLeft; code <= kHitBottomRight; ++code) {
    RECT handle;
    GetHandleRect(code, handle);
    if (Contains(handle, x, y)) return code;
  }
  return Contains(rect, x, y) ? kHitInside : kHitOutside;
}

RECT CUIRect::Extent() const {
  const int reach = HandleSize() + 2;
  return {std::min(rect.left, rect.right) - reach, std::min(rect.top, rect.bottom) - reach,
          std::max(rect.left, rect.right) + reach, std::max(rect.top, rect.bottom) + reach};
}

int CUIRect::IsInside(const RECT& outer) const {
  RECT both;
  if (!IntersectRect(&both, &rect, &outer)) return 0;
  return EqualRect(&both, &rect) ? 1 : 0;
}

void CUIRect::DrawOutline(HDC dc, const RECT& r) const {
  MoveToEx(dc, r.left, r.top, nullptr);
  LineTo(dc, r.right, r.top);
  LineTo(dc, r.right, r.bottom);
  LineTo(dc, r.left, r.bottom);
  LineTo(dc, r.left, r.top);
}

void CUIRect::DrawSelection(HDC dc, COLORREF fill) const {
  if (!dc) return;
  DcState state(dc);
  SetROP2(dc, R2_COPYPEN);
  state.UsePen(PS_SOLID, RGB(0, 0, 0));
  DrawOutline(dc, rect);
  state.UseBrush(CreateSolidBrush(fill));
  for (int code = kHitTopLeft; code <= kHitBottomRight; ++code) {
    RECT handle;
    GetHandleRect(code, handle);
    Rectangle(dc, handle.left, handle.top, handle.right, handle.bottom);
  }
}

void CUIRect::DrawPrimary(HDC dc) const {
  CVLMConfig* config = VLMConfig();
  DrawSelection(dc, config ? config->PrimaryHandleColour() : RGB(0x39, 0xFD, 0xFD));
}

void CUIRect::DrawSecondary(HDC dc) const {
  CVLMConfig* config = VLMConfig();
  DrawSelection(dc, config ? config->SecondaryHandleColour() : RGB(0x80, 0x80, 0x80));
}

void CUIRect::DrawTracker(HDC dc) const {
  if (!dc) return;
  DcState state(dc);
  SetROP2(dc, R2_NOTXORPEN);
  state.UsePen(PS_DOT, RGB(0, 0, 0));
  DrawOutline(dc, rect);
  state.UsePen(PS_SOLID, RGB(0, 0, 0));
  for (int code = kHitTopLeft; code <= kHitBottomRight; ++code) {
    RECT handle;
    GetHandleRect(code, handle);
    DrawOutline(dc, handle);
  }
}

void CUIRect::DrawBand(HDC dc) const {
  if (!dc) return;
  DcState state(dc);
  SetROP2(dc, R2_NOTXORPEN);
  state.UsePen(PS_DOT, RGB(0, 0, 0));
  DrawOutline(dc, rect);
}

void CUIRect::DrawHandles(HDC dc, COLORREF fill) const {
  if (!dc) return;
  DcState state(dc);
  SetROP2(dc, R2_COPYPEN);
  state.UsePen(PS_SOLID, RGB(0, 0, 0));
  state.UseBrush(CreateSolidBrush(fill));
  for (int code = kHitTopLeft; code <= kHitBottomRight; ++code) {
    RECT handle;
    GetHandleRect(code, handle);
    Rectangle(dc, handle.left, handle.top, handle.right, handle.bottom);
  }
}

void CUIRect::DrawFrame(HDC dc, int mode) const {
  if (!dc) return;
  DcState state(dc);
  SetROP2(dc, R2_COPYPEN);
  const int h = HandleSize() / 2;
  RECT r = rect;
  if (mode == static_cast<int>(FramePlacement::Inside))
    InflateRect(&r, -h, -h);
  else if (mode == static_cast<int>(FramePlacement::Outside))
    InflateRect(&r, h, h);
  DrawOutline(dc, r);
}

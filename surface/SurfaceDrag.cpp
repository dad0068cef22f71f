// Dragging on the surface: moving and resizing the selection as one block, and drawing rectangles.
#include "surface/SurfaceOwner.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

// An operation that paints over the surface with a device context of its own.
class SurfaceDC {
 public:
  explicit SurfaceDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~SurfaceDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  SurfaceDC(const SurfaceDC&) = delete;
  SurfaceDC& operator=(const SurfaceDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

RECT Normalised(const RECT& r) {
  return {r.left < r.right ? r.left : r.right, r.top < r.bottom ? r.top : r.bottom, r.left < r.right ? r.right : r.left,
          r.top < r.bottom ? r.bottom : r.top};
}

}  // namespace

template <class Allows, class Apply>
int CVlmUIWin::DragStep(int mode, Allows allows, Apply apply) {
  if (Locked() || mode_ != mode) return 0;
  const RECT bounds = Bounds();
  for (const CUIHTMLRect* r : selection_)
    if (!allows(*r, bounds)) return 0;  // the anchors stay: the block catches up with a later step
  SurfaceDC dc(GetHwnd());
  DrawTrackers(dc.get());
  for (CUIHTMLRect* r : selection_) apply(*r);
  DrawTrackers(dc.get());
  return 1;
}

template <class Allows, class Apply>
int CVlmUIWin::EndDrag(int mode, Allows allows, Apply apply) {
  if (Locked() || mode_ != mode) return 0;
  const RECT bounds = Bounds();
  bool allowed = true;
  for (const CUIHTMLRect* r : selection_) allowed = allowed && allows(*r, bounds);
  if (allowed)
    for (CUIHTMLRect* r : selection_) apply(*r);
  ReleaseCapture();
  mode_ = kModeIdle;
  Redraw();
  return 1;
}

int CVlmUIWin::BeginMove(int x, int y) {
  if (Locked() || mode_ != kModeIdle || selection_.empty()) return 0;
  for (CUIHTMLRect* r : selection_) r->SetAnchor(x, y);
  mode_ = kModeMoving;
  SetCapture(GetHwnd());
  Redraw();
  return 1;
}

int CVlmUIWin::MoveStep(int x, int y) {
  return DragStep(
      kModeMoving, [&](const CUIHTMLRect& r, const RECT& b) { return r.CanMoveTo(x, y, b) != 0; },
      [&](CUIHTMLRect& r) { r.MoveTo(x, y); });
}

int CVlmUIWin::EndMove(int x, int y) {
  return EndDrag(
      kModeMoving, [&](const CUIHTMLRect& r, const RECT& b) { return r.CanMoveTo(x, y, b) != 0; },
      [&](CUIHTMLRect& r) { r.MoveTo(x, y); });
}

int CVlmUIWin::BeginResize(int x, int y, int code) {
  if (Locked() || mode_ != kModeIdle || selection_.empty()) return 0;
  for (CUIHTMLRect* r : selection_) r->SetAnchor(x, y);
  resizeHandle_ = code;
  mode_ = kModeResizing;
  SetCapture(GetHwnd());
  Redraw();
  return 1;
}

int CVlmUIWin::ResizeStep(int x, int y) {
  const int code = resizeHandle_;
  return DragStep(
      kModeResizing, [&](const CUIHTMLRect& r, const RECT& b) { return r.CanResizeTo(x, y, code, b) != 0; },
      [&](CUIHTMLRect& r) { r.ResizeTo(x, y, code); });
}

int CVlmUIWin::EndResize(int x, int y) {
  const int code = resizeHandle_;
  return EndDrag(
      kModeResizing, [&](const CUIHTMLRect& r, const RECT& b) { return r.CanResizeTo(x, y, code, b) != 0; },
      [&](CUIHTMLRect& r) { r.ResizeTo(x, y, code); });
}

int CVlmUIWin::BeginBand(int x, int y, int additive) {
  if (mode_ != kModeIdle && mode_ != kModeInsertArmed) return 0;
  band_.rect = {x, y, x, y};
  {
    SurfaceDC dc(GetHwnd());
    band_.DrawBand(dc.get());
  }
  bandAdditive_ = additive;
  mode_ = kModeDrawing;
  return 1;
}

int CVlmUIWin::BandStep(int x, int y) {
  if (mode_ != kModeDrawing) return 0;
  {
    SurfaceDC dc(GetHwnd());
    band_.DrawBand(dc.get());
    band_.rect.right = x;
    band_.rect.bottom = y;
    band_.DrawBand(dc.get());
  }
  if (owner_) {
    const RECT track = Normalised(band_.rect);
    owner_->NotifyParent(VLMN_TRACKRECT, VLM_KIND_OTHER, &track, nullptr);
  }
  return 1;
}

int CVlmUIWin::EndBand(int x, int y) {
  if (!owner_ || mode_ != kModeDrawing) return 0;
  {
    SurfaceDC dc(GetHwnd());
    band_.DrawBand(dc.get());
  }
  band_.rect.right = x;
  band_.rect.bottom = y;
  band_.rect = Normalised(band_.rect);
  mode_ = kModeIdle;
  owner_->InsertElementAt(band_.rect, bandAdditive_);
  return 1;
}

#include "surface/VlmUIWin.h"

#include "window/FullRelayoutBaseline.h"

#include <windowsx.h>

#include <new>

#include "comkit/ComText.h"
#include "window/ModuleInstance.h"
#include "surface/SurfaceOwner.h"
#include "vellum.h"

namespace {

const wchar_t kClassName[] = L"QX_VELLUM_SURFACE";

bool RegisterSurfaceClass() {
  WNDCLASSEXW wc = {sizeof wc};
  if (GetClassInfoExW(Module_Instance(), kClassName, &wc)) return true;
  wc = {sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = Module_Instance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

CVlmUIWin::~CVlmUIWin() { ClearSelection(); }

bool CVlmUIWin::Create(HWND parent, const RECT& rect) {
  if (!RegisterSurfaceClass()) return false;
  HWND hwnd = CreateWindowExW(kExStyle, kClassName, L"", kStyle, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                              Module_Instance(), nullptr);
  if (!hwnd) return false;
  if (!Attach(hwnd)) {
    DestroyWindow(hwnd);
    return false;
  }
  return true;
}

void CVlmUIWin::Dismiss() {
  owner_ = nullptr;
  if (HWND hwnd = GetHwnd()) {
    DestroyWindow(hwnd);  // OnFinalMessage deletes the object
  } else {
    delete this;
  }
}

void CVlmUIWin::OnFinalMessage() {
  if (ISurfaceOwner* owner = owner_) {
    owner_ = nullptr;
    owner->SurfaceDestroyed();
  }
  delete this;
}

int CVlmUIWin::ArmInsertion() {
  if (mode_ != kModeIdle && mode_ != kModeInsertArmed) return 0;
  mode_ = kModeInsertArmed;
  return 1;
}

int CVlmUIWin::DisarmInsertion() {
  if (mode_ != kModeIdle && mode_ != kModeInsertArmed) return 0;
  mode_ = kModeIdle;
  return 1;
}

bool CVlmUIWin::Locked() const { return owner_ && owner_->LockMode() == 1; }

CComRef<IHTMLDocument2> CVlmUIWin::OwnerDocument() const {
  return CComRef<IHTMLDocument2>::Share(owner_ ? owner_->Document() : nullptr);
}

RECT CVlmUIWin::Bounds() const {
  RECT client = {};
  GetClientRect(GetHwnd(), &client);
  return client;
}

// --- painting -----------------------------------------------------------------------------------------

void CVlmUIWin::Redraw() {
  if (redrawsHeld_ > 0) {
    redrawDue_ = true;
    return;
  }
  HWND hwnd = GetHwnd();
  if (!hwnd) return;
  // Only where marks were and are: the document repaints by itself where an edit changed it, and the
  // erase below brings that about at once. On a large form this is a few rectangles, not the page.
  // The scale benchmark's baseline repaints everything, as before.
  HRGN region = FullRelayoutBaseline() ? nullptr : CreateRectRgn(0, 0, 0, 0);
  if (region) {
    auto add = [&](const RECT& r) {
      // Out to whole cells of 16 pixels, as the document's own repaints: the two then mostly coincide.
      const RECT cells = {r.left & ~15, r.top & ~15, (r.right + 15) & ~15, (r.bottom + 15) & ~15};
      HRGN part = CreateRectRgnIndirect(&cells);
      if (!part) return false;
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
      return true;
    };
    bool made = !drawnUnknown_;
    for (const RECT& r : drawn_) made = made && add(r);
    for (const CUIHTMLRect* r : selection_) made = made && add(r->Extent());
    if (!made) {
      DeleteObject(region);
      region = nullptr;
    }
  }
  // What is on screen now is the current selection's marks; the painting below adds them back.
  drawn_.clear();
  drawnUnknown_ = false;
  redrawing_ = region;
  RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  redrawing_ = nullptr;
  if (region) {
    // With nothing to erase the document's own repaint still has to be shown now.
    if (IsWindow(docWindow_)) UpdateWindow(docWindow_);
    DeleteObject(region);
  }
  UpdateWindow(hwnd);
}

void CVlmUIWin::RedrawDocument(const RECT& rect) {
  if (!IsWindow(docWindow_)) return;
  RedrawWindow(docWindow_, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  UpdateWindow(docWindow_);
}

void CVlmUIWin::RedrawDocument(HRGN region) {
  if (!IsWindow(docWindow_)) return;
  RedrawWindow(docWindow_, nullptr, region, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  UpdateWindow(docWindow_);
}

void CVlmUIWin::DrawTrackers(HDC dc) {
  for (CUIHTMLRect* r : selection_) r->Draw(dc, kStateTracker);
}

void CVlmUIWin::SetCursorFor(int code) {
  const wchar_t* cursor = IDC_ARROW;
  switch (code) {
    case kHitInside:
      cursor = IDC_SIZEALL;
      break;
    case kHitTopLeft:
    case kHitBottomRight:
      cursor = IDC_SIZENWSE;
      break;
    case kHitTop:
    case kHitBottom:
      cursor = IDC_SIZENS;
      break;
    case kHitTopRight:
    case kHitBottomLeft:
      cursor = IDC_SIZENESW;
      break;
    case kHitLeft:
    case kHitRight:
      cursor = IDC_SIZEWE;
      break;
    default:
      break;
  }
  SetCursor(LoadCursorW(nullptr, cursor));
}

void CVlmUIWin::SetDocWindow(HWND docWindow) {
  if (!docWindow)
    docWindow_ = nullptr;
  else if (IsWindow(docWindow))
    docWindow_ = docWindow;
}

// The page shows through: repaint the document under the dirty part instead of erasing.
LRESULT CVlmUIWin::OnEraseBackground(HDC dc) {
  RECT clip;
  // The surface lies over the document window at the same origin, so neither needs mapping. While
  // Redraw() runs the region it asked for is repainted, not the box around it, unless something else
  // left more of the surface to paint.
  if (GetClipBox(dc, &clip) == ERROR) return 0;
  RECT asked;
  if (redrawing_ && GetRgnBox(redrawing_, &asked) != ERROR) {
    RECT both;
    UnionRect(&both, &asked, &clip);
    if (EqualRect(&both, &asked)) {
      RedrawDocument(redrawing_);
      return 0;
    }
  }
  RedrawDocument(clip);
  return 0;
}

LRESULT CVlmUIWin::OnPaint(bool& handled) {
  if (selection_.empty()) {
    handled = false;
    return 0;
  }
  // Marks of an earlier selection outside the region painted now are still on screen: they stay in
  // the list until a Redraw() has painted over them. A list grown past all reason is given up, and the
  // next Redraw() repaints everything.
  if (!drawnUnknown_ && drawn_.size() > 4 * selection_.size() + 256) {
    drawnUnknown_ = true;
    drawn_.clear();
  } else if (!drawnUnknown_) {
    try {
      for (const CUIHTMLRect* r : selection_) drawn_.push_back(r->Extent());
    } catch (...) {  // out of memory: forgotten as if too many
      drawnUnknown_ = true;
      drawn_.clear();
    }
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(GetHwnd(), &ps);
  const bool dragging = mode_ == kModeMoving || mode_ == kModeResizing;
  for (size_t i = selection_.size(); i-- > 0;) {
    const bool primary = i + 1 == selection_.size();
    selection_[i]->Draw(dc, dragging ? kStateTracker : primary ? kStatePrimary : kStateSecondary);
  }
  EndPaint(GetHwnd(), &ps);
  return 0;
}

// --- messages -----------------------------------------------------------------------------------------

// A click or the end of a drag that runs out of memory (selecting, writing the selection) ends with the
// surface idle and the elements as they were; the control hears of it.
template <class Operation>
LRESULT CVlmUIWin::RunMouseOperation(Operation&& operation) {
  try {
    return operation();
  } catch (const ComOutOfMemory&) {
  } catch (const std::bad_alloc&) {
  }
  if (GetCapture() == GetHwnd()) ReleaseCapture();
  mode_ = kModeIdle;
  Redraw();
  if (owner_) owner_->OperationFailed(VLM_ERR_ELEMENT);
  return 0;
}

LRESULT CVlmUIWin::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  // A host may destroy the control from a notification this message sends: the control stays until
  // the message has returned, and the surface, dismissed meanwhile, stops where it notices.
  CWindowHold ownerHold(owner_ ? &owner_->LifetimeWindow() : nullptr);
  switch (msg) {
    case WM_LBUTTONDOWN:
      return RunMouseOperation([&] { return OnLeftButtonDown(x, y, wParam); });
    case WM_LBUTTONUP:
      return RunMouseOperation([&] { return OnLeftButtonUp(x, y); });
    case WM_RBUTTONDOWN:
      return OnRightButtonDown(x, y);
    case WM_MOUSEMOVE:
      return OnMouseMove(x, y, wParam);
    case WM_ERASEBKGND:
      return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
      return OnPaint(handled);
    default:
      handled = false;
      return 0;
  }
}

LRESULT CVlmUIWin::OnLeftButtonDown(int x, int y, WPARAM keys) {
  const bool shift = (keys & MK_SHIFT) != 0, control = (keys & MK_CONTROL) != 0;
  const int extend = shift || control ? 1 : 0;
  const int both = shift && control ? 1 : 0;
  int changed = 0;
  if (mode_ == kModeIdle) {
    const int code = HitTestSelection(x, y);
    if (code == kHitInside) {
      if (both) {
        changed = SelectElementAt(x, y, !extend, both);
      } else {
        BeginMove(x, y);
        SetCursorFor(kHitInside);
      }
    } else if (code == kHitOutside) {
      changed = SelectElementAt(x, y, !extend, both);
      if (!changed) {
        if (!extend) ClearSelection();
        Redraw();
        BeginBand(x, y, extend);
      }
    } else {
      BeginResize(x, y, code);
      SetCursorFor(code);
    }
  } else if (mode_ == kModeInsertArmed) {
    BeginBand(x, y, extend);
  }
  if (changed) Redraw();
  if (owner_) SetFocus(owner_->ControlWindow());
  return 0;
}

LRESULT CVlmUIWin::OnLeftButtonUp(int x, int y) {
  CHeldRedraw held(*this);
  switch (mode_) {
    case kModeDrawing:
      EndBand(x, y);
      break;
    case kModeResizing:
      EndResize(x, y);
      ApplyDrag();
      SetCursorFor(kHitOutside);
      break;
    case kModeMoving:
      EndMove(x, y);
      ApplyDrag();
      SetCursorFor(kHitOutside);
      break;
    default:
      break;
  }
  return 0;
}

// The end of a move or a resize is an element command like the control's: one the history cannot take
// is taken back (by ApplySelection), and fails with VLM_ERR_ELEMENT.
void CVlmUIWin::ApplyDrag() {
  if (Locked() || selection_.empty()) return;
  if (!ApplySelection() && owner_) owner_->OperationFailed(VLM_ERR_ELEMENT);
}

LRESULT CVlmUIWin::OnRightButtonDown(int x, int y) {
  if (mode_ == kModeIdle && owner_) owner_->ShowElementMenu(x, y);
  return 0;
}

LRESULT CVlmUIWin::OnMouseMove(int x, int y, WPARAM keys) {
  const int code = HitTestSelection(x, y);
  switch (mode_) {
    case kModeIdle:
      if (keys & MK_LBUTTON)
        BeginMove(x, y);
      else
        SetCursorFor(code);
      break;
    case kModeDrawing:
      BandStep(x, y);
      break;
    case kModeResizing:
      ResizeStep(x, y);
      break;
    case kModeMoving:
      MoveStep(x, y);
      break;
    default:
      break;
  }
  if (owner_ && mode_ != kModeDrawing) TrackMouse(x, y);
  return 0;
}

void CVlmUIWin::TrackMouse(int x, int y) {
  const RECT point = {x, y, x, y};
  owner_->NotifyParent(VLMN_TRACKRECT, VLM_KIND_OTHER, &point, nullptr);
}

// The control window's standard messages: creation, size, the form frame, moves and keys.
#include "control/Vellum.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "surface/UIRect.h"
#include "surface/VLMConfig.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

int FrameWidth() {
  CVLMConfig* config = VLMConfig();
  return config ? static_cast<int>(config->HandleSize()) : 7;
}

// One record for every posted notification: it must outlive the call that posts it.
VLMNOTIFY postedNotify;

}  // namespace

LRESULT CVellum::OnCreate() {
  return RunOperation(VLM_ERR_DOCUMENT_CREATE, -1, [&]() -> LRESULT {
    if (!bodySize_.Prepare(kDefaultFormWidth, kDefaultFormHeight)) {
      lastError = VLM_ERR_DOCUMENT_CREATE;
      return -1;
    }
    if (!CreateDocument()) return -1;
    if (!SetPreviewMode(0)) return -1;
    if (document_) {
      CDOMUtil(LentDocument()).LoadCode("<html><body></body></html>");
    }
    return 0;
  });
}

LRESULT CVellum::OnDestroy() {
  CloseDocument();
  DismissSurface();
  return 0;
}

// The body follows the window's size even when no snapshot can be taken of it: the window has changed
// size, whatever the history can record. Running out of memory for the body's attributes leaves them
// as they were (VLM_ERR_ELEMENT).
LRESULT CVellum::OnSize(UINT, int, int) {
  if (!document_) return 0;
  CComRef<IOleInPlaceObject> inPlace;
  RECT client;
  GetClientRect(GetHwnd(), &client);
  if (FAILED(document_->QueryInterface(IID_IOleInPlaceObject, inPlace.OutVoid())) || !inPlace ||
      FAILED(inPlace->SetObjectRects(&client, &client)))
    return 0;
  if (surface_) FitOverlayToBody();
  return RunOperation(VLM_ERR_ELEMENT, 0, [&]() -> LRESULT {
    CDOMUtil(LentDocument()).SetBODYCustomWHAttrs(client.right, client.bottom);
    if (snapshotOnChange_) SaveToUndo();
    if (notifyOnChange_) NotifyParent(VLMN_CHANGED);
    return 0;
  });
}

LRESULT CVellum::OnNcCalcSize(bool calcValidRects, LPARAM lParam) {
  const int b = FrameWidth();
  RECT* r = calcValidRects ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  InflateRect(r, -b, -b);
  return 0;
}

LRESULT CVellum::OnNcHitTest(POINT screen) {
  if (preview_ || lockMode_ == 1) return HTNOWHERE;
  const int h = FrameWidth() / 2;
  RECT window;
  GetWindowRect(GetHwnd(), &window);
  CUIRect frame(window.left + h, window.top + h, window.right - (h - 1), window.bottom - (h - 1));
  switch (frame.HitTest(screen.x, screen.y)) {
    case kHitInside:
      return HTCLIENT;
    case kHitTopLeft:
      return HTTOPLEFT;
    case kHitTop:
      return HTTOP;
    case kHitTopRight:
      return HTTOPRIGHT;
    case kHitLeft:
      return HTLEFT;
    case kHitRight:
      return HTRIGHT;
    case kHitBottomLeft:
      return HTBOTTOMLEFT;
    case kHitBottom:
      return HTBOTTOM;
    case kHitBottomRight:
      return HTBOTTOMRIGHT;
    default:
      return HTNOWHERE;
  }
}

// The form frame: a band as wide as the handles around the page, with sizing handles in design mode.
LRESULT CVellum::OnNcPaint(WPARAM, LPARAM, bool& handled) {
  handled = false;  // the default processing runs after the frame is drawn
  if (GetWindowLongPtrW(GetHwnd(), GWL_STYLE) & WS_MINIMIZE) return 0;
  HDC dc = GetWindowDC(GetHwnd());
  if (!dc) return 0;
  const int h = FrameWidth() / 2;
  RECT window;
  GetWindowRect(GetHwnd(), &window);
  RECT r = {0, 0, window.right - window.left, window.bottom - window.top};
  CUIRect frame(r.left + h, r.top + h, r.right - h - 1, r.bottom - h - 1);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  if (preview_) {
    RECT strips[4] = {{r.left, r.top, r.right, r.top + 2 * h},
                      {r.left, r.bottom - 2 * h, r.right, r.bottom},
                      {r.left, r.top, r.left + 2 * h, r.bottom},
                      {r.right - 2 * h, r.top, r.right, r.bottom}};
    for (const RECT& strip : strips) FillRect(dc, &strip, face);
  } else {
    RECT topLeft, topRight, bottomRight, bottomLeft;
    frame.GetHandleRect(kHitTopLeft, topLeft);
    frame.GetHandleRect(kHitTopRight, topRight);
    frame.GetHandleRect(kHitBottomRight, bottomRight);
    frame.GetHandleRect(kHitBottomLeft, bottomLeft);
    RECT bands[4] = {{topLeft.left, topLeft.top, frame.rect.right, topLeft.bottom},
                     {topRight.left, topRight.top, topRight.right, frame.rect.bottom},
                     {frame.rect.left, bottomRight.top, bottomRight.right, bottomRight.bottom},
                     {bottomLeft.left, frame.rect.top, bottomLeft.right, bottomLeft.bottom}};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& band : bands) {
      HRGN part = CreateRectRgnIndirect(&band);
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
    }
    FillRgn(dc, region, face);
    DeleteObject(region);
  }
  frame.DrawFrame(dc, static_cast<int>(FramePlacement::Inside));
  if (!preview_) {
    CVLMConfig* config = VLMConfig();
    frame.DrawHandles(dc, config ? config->SecondaryHandleColour() : RGB(0x80, 0x80, 0x80));
  }
  ReleaseDC(GetHwnd(), dc);
  return 0;
}

LRESULT CVellum::OnWindowPosChanging(const WINDOWPOS& pos) {
  if (!IsWindowVisible(GetHwnd()) || ((pos.flags & SWP_NOSIZE) && (pos.flags & SWP_NOMOVE))) return 0;
  // A change of size alone carries no position, and a move alone no size: those parts stay as they are.
  RECT current;
  GetWindowRect(GetHwnd(), &current);
  MapWindowPoints(nullptr, GetParent(GetHwnd()), reinterpret_cast<POINT*>(&current), 2);
  int x = (pos.flags & SWP_NOMOVE) ? current.left : pos.x;
  int y = (pos.flags & SWP_NOMOVE) ? current.top : pos.y;
  int cx = (pos.flags & SWP_NOSIZE) ? current.right - current.left : pos.cx;
  int cy = (pos.flags & SWP_NOSIZE) ? current.bottom - current.top : pos.cy;
  RECT next = {x, y, x + cx, y + cy};
  if (next.left != lastWindowRect_.left || next.top != lastWindowRect_.top)
    NotifyParent(VLMN_MOVED, VLM_KIND_OTHER, nullptr, &next);
  if (next.right - next.left != lastWindowRect_.right - lastWindowRect_.left ||
      next.bottom - next.top != lastWindowRect_.bottom - lastWindowRect_.top) {
    lastWindowRect_ = next;
    NotifyParent(VLMN_RESIZED, VLM_KIND_OTHER, nullptr, &next);
  }
  lastWindowRect_ = next;
  return 0;
}

LRESULT CVellum::OnShowWindow(bool shown) {
  if (shown && surface_) surface_->Redraw();
  return 0;
}

LRESULT CVellum::OnKey(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (!preview_) {
    // Design mode consumes every key; Delete acts on release, arrows move or size the selection.
    if (msg == WM_KEYUP && wParam == VK_DELETE && surface_)
      RunSurfaceEdit([&]() -> LRESULT { return surface_->DeleteSelection(); });
    if (msg == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN)) {
      RunSurfaceEdit([&]() -> LRESULT {
        OnArrowKey(static_cast<UINT>(wParam));
        return 1;
      });
    }
    return 0;
  }
  if (!document_) return 0;
  CComRef<IOleInPlaceActiveObject> active;
  if (FAILED(document_->QueryInterface(IID_IOleInPlaceActiveObject, active.OutVoid())) || !active) {
    handled = false;
    return 0;
  }
  MSG message = {GetHwnd(), msg, wParam, lParam, 0, {0, 0}};
  HRESULT hr = active->TranslateAccelerator(&message);
  if (hr == S_FALSE || hr == E_FAIL) handled = false;
  return 0;
}

void CVellum::OnArrowKey(UINT vk) {
  if (!surface_) return;
  // The block is picked up and set down in one go: only where it lands is shown.
  CVlmUIWin::CHeldRedraw held(*surface_);
  POINT to = {1, 1};
  switch (vk) {
    case VK_LEFT:
      to = {0, 1};
      break;
    case VK_UP:
      to = {1, 0};
      break;
    case VK_RIGHT:
      to = {2, 1};
      break;
    default:
      to = {1, 2};
      break;
  }
  if (GetKeyState(VK_SHIFT) < 0) {
    int handle = vk == VK_LEFT || vk == VK_RIGHT ? kHitLeft : kHitTop;
    if (surface_->BeginResize(1, 1, handle)) {
      surface_->EndResize(to.x, to.y);
      surface_->ApplySelection();
    }
  } else if (surface_->BeginMove(1, 1)) {
    surface_->EndMove(to.x, to.y);
    surface_->ApplySelection();
  }
}

void CVellum::NotifyParent(UINT code, UINT kind, const RECT* track, const RECT* window) {
  HWND parent = GetParent(GetHwnd());
  if (!parent) return;
  const bool post = code == VLMN_TRACKRECT;
  VLMNOTIFY local = {};
  VLMNOTIFY& record = post ? postedNotify : local;
  record.hdr.hwndFrom = GetHwnd();
  record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(GetHwnd()));
  record.hdr.code = code;
  record.kind = kind;
  if (track) record.rcTrack = *track;
  if (window) record.rcWindow = *window;
  WPARAM id = static_cast<WPARAM>(record.hdr.idFrom);
  if (post)
    PostMessageW(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&record));
  else
    SendMessageW(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&record));
}

void CVellum::ResizeClientTo(int width, int height) {
  RECT window, client;
  GetWindowRect(GetHwnd(), &window);
  GetClientRect(GetHwnd(), &client);
  int newWidth = width + (window.right - window.left) - client.right;
  int newHeight = height + (window.bottom - window.top) - client.bottom;
  // The control keeps its top-left corner in the parent.
  POINT origin = {window.left, window.top};
  if (HWND parent = GetParent(GetHwnd())) ScreenToClient(parent, &origin);
  MoveWindow(GetHwnd(), origin.x, origin.y, newWidth, newHeight, TRUE);
}

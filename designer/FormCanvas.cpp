#include "FormCanvas.h"

#include <algorithm>

namespace {

constexpr wchar_t kClass[] = L"VellumDesignerCanvas";
constexpr UINT kRelayout = WM_APP + 1;  // the control finished changing its size

}  // namespace

bool CFormCanvas::Create(HWND parent) {
  static const ATOM registered = [] {
    WNDCLASSW canvas = {};
    canvas.lpfnWndProc = DefWindowProcW;
    canvas.hInstance = GetModuleHandleW(nullptr);
    canvas.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    canvas.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    canvas.lpszClassName = kClass;
    return RegisterClassW(&canvas);
  }();
  if (!registered) return false;
  const HWND window =
      CreateWindowExW(WS_EX_CLIENTEDGE, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
                      0, 0, 100, 100, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  return window && Attach(window);
}

void CFormCanvas::Hold(HWND control) {
  control_ = control;
  PlaceControl();
  Relayout();
}

void CFormCanvas::PlaceControl() {
  if (!control_) return;
  SetWindowPos(control_, nullptr, kMargin - offset_.x, kMargin - offset_.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFormCanvas::Relayout() {
  if (!control_) return;
  RECT form, view;
  GetWindowRect(control_, &form);
  GetClientRect(GetHwnd(), &view);
  const int width = form.right - form.left + 2 * kMargin, height = form.bottom - form.top + 2 * kMargin;
  offset_.x = std::max(0, std::min<int>(offset_.x, width - view.right));
  offset_.y = std::max(0, std::min<int>(offset_.y, height - view.bottom));
  SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS};
  info.nMax = width - 1;
  info.nPage = static_cast<UINT>(view.right);
  info.nPos = offset_.x;
  SetScrollInfo(GetHwnd(), SB_HORZ, &info, TRUE);
  info.nMax = height - 1;
  info.nPage = static_cast<UINT>(view.bottom);
  info.nPos = offset_.y;
  SetScrollInfo(GetHwnd(), SB_VERT, &info, TRUE);
  PlaceControl();
}

void CFormCanvas::Scroll(int bar, UINT request) {
  SCROLLINFO info = {sizeof info, SIF_ALL};
  GetScrollInfo(GetHwnd(), bar, &info);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP:
      position -= 16;
      break;
    case SB_LINEDOWN:
      position += 16;
      break;
    case SB_PAGEUP:
      position -= static_cast<int>(info.nPage);
      break;
    case SB_PAGEDOWN:
      position += static_cast<int>(info.nPage);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    default:
      return;
  }
  position = std::max(0, std::min(position, info.nMax - static_cast<int>(info.nPage) + 1));
  (bar == SB_HORZ ? offset_.x : offset_.y) = position;
  SetScrollPos(GetHwnd(), bar, position, TRUE);
  PlaceControl();
}

LRESULT CFormCanvas::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN);
      return 0;
    case WM_NOTIFY: {
      // The control tells before it changes size: the ranges follow once it has.
      const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
      if (notice && notice->hwndFrom == control_) PostMessageW(GetHwnd(), kRelayout, 0, 0);
      return SendMessageW(GetParent(GetHwnd()), WM_NOTIFY, wParam, lParam);
    }
    case kRelayout:
      Relayout();
      return 0;
    default:
      handled = false;
      return 0;
  }
}

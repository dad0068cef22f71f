#include "window/MessageWindow.h"

bool CMessageWindow::Attach(HWND hwnd, WNDPROC chainTo) {
  if (!hwnd || hwnd_) return false;
  if (!thunk_.Init(&CMessageWindow::ThunkProc, this)) return false;
  hwnd_ = hwnd;
  auto own =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk_.GetWndProc())));
  previousProc_ = chainTo ? chainTo : (own ? own : DefWindowProcW);
  return true;
}

LRESULT CMessageWindow::CallPreviousProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previousProc_ ? previousProc_ : DefWindowProcW, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK CMessageWindow::ThunkProc(HWND self, UINT msg, WPARAM wParam, LPARAM lParam) {
  return reinterpret_cast<CMessageWindow*>(self)->Dispatch(msg, wParam, lParam);
}

LRESULT CMessageWindow::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  ++depth_;
  LRESULT result = 0;
  bool handled = true;
  // No exception may cross into the window manager: a failing handler answers like an unhandled one.
  try {
    result = ProcessMessage(msg, wParam, lParam, handled);
  } catch (...) {
    handled = false;
  }
  if (!handled) result = CallPreviousProc(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    // Give the window its previous procedure back so that nothing reaches the thunk after we go.
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    finalPending_ = true;
  }
  Unhold();
  return result;
}

void CMessageWindow::Unhold() {
  if (--depth_ == 0 && finalPending_) {
    finalPending_ = false;
    hwnd_ = nullptr;
    OnFinalMessage();
  }
}

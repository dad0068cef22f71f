#include "GridPage.h"

#include "propgrid/Reflection.h"

namespace gt {

GridPage::GridPage(HWND parent, RECT box) {
  static const ATOM kClass = [] {
    WNDCLASSW page = {};
    page.lpfnWndProc = Proc;
    page.hInstance = GetModuleHandleW(nullptr);
    page.lpszClassName = L"GridTestPage";
    return RegisterClassW(&page);
  }();
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  hwnd_ = CreateWindowExW(0, MAKEINTATOM(kClass), L"", style, box.left, box.top, box.right - box.left,
                          box.bottom - box.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (!parent) SetForegroundWindow(hwnd_);
}

GridPage::~GridPage() {
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

int GridPage::Count(int code) const {
  int n = 0;
  for (int c : notices_) n += c == code;
  return n;
}

LRESULT CALLBACK GridPage::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* page = reinterpret_cast<GridPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NOTIFY) {
    if (page) page->notices_.push_back(static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code));
    return 0;
  }
  LRESULT result = 0;
  if (ReflectToControl(window, message, wParam, lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace gt

#include "propgrid/Reflection.h"

#include <olectl.h>

namespace {

// The control a notification names, or null.
HWND SenderOf(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(lParam);  // null for a menu or an accelerator
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) return reinterpret_cast<HWND>(lParam);
      return GetDlgItem(page, HIWORD(wParam));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return item && item->CtlType != ODT_MENU ? GetDlgItem(page, static_cast<int>(item->CtlID)) : nullptr;
    }
    case WM_COMPAREITEM:
      return lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
      return lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

bool ReflectToControl(HWND page, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const HWND control = SenderOf(page, msg, wParam, lParam);
  // Only the page's own controls: never the page itself, its sheet, or a window of someone else.
  if (!control || control == page || !IsWindow(control) || GetParent(control) != page ||
      (GetWindowLongPtrW(control, GWL_STYLE) & WS_CHILD) == 0)
    return false;
  result = SendMessageW(control, OCM__BASE + msg, wParam, lParam);
  return true;
}

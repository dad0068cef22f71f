#include "window/DialogWindow.h"

#include "window/ModuleInstance.h"

namespace {

// Messages whose answer is the dialog procedure's own return value, not DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) {
  switch (msg) {
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

CDialogWindow* ObjectOf(HWND dialog) { return reinterpret_cast<CDialogWindow*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

}  // namespace

INT_PTR CDialogWindow::DoModal(HWND owner, UINT templateId) {
  return DialogBoxParamW(Module_Instance(), MAKEINTRESOURCEW(templateId), owner, &CDialogWindow::ModalProc,
                         reinterpret_cast<LPARAM>(this));
}

PROPSHEETPAGEW CDialogWindow::PageTemplate(UINT templateId) {
  PROPSHEETPAGEW page = {};
  page.dwSize = sizeof page;
  page.hInstance = Module_Instance();
  page.pszTemplate = MAKEINTRESOURCEW(templateId);
  page.pfnDlgProc = &CDialogWindow::PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

INT_PTR CALLBACK CDialogWindow::ModalProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CDialogWindow*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    if (self) self->hwnd_ = dialog;
  }
  return Route(ObjectOf(dialog), msg, wParam, lParam);
}

INT_PTR CALLBACK CDialogWindow::PageProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    // A page's creation parameter is its PROPSHEETPAGEW, which carries the object.
    const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    auto* self = page ? reinterpret_cast<CDialogWindow*>(page->lParam) : nullptr;
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    if (self) self->hwnd_ = dialog;
  }
  return Route(ObjectOf(dialog), msg, wParam, lParam);
}

INT_PTR CDialogWindow::Route(CDialogWindow* self, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!self) return FALSE;
  const HWND dialog = self->hwnd_;
  bool handled = true;
  LRESULT result = 0;
  // No exception leaves a dialog procedure: an operation that ran out of memory is simply not done.
  try {
    result = self->ProcessMessage(msg, wParam, lParam, handled);
  } catch (...) {
    handled = msg != WM_INITDIALOG;
    result = 0;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  if (!handled) return FALSE;
  if (AnswersDirectly(msg)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

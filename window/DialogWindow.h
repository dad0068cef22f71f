// Base of the product's dialogs and property pages: binds the dialog window to its object at
// WM_INITDIALOG and routes every later message to the object's message map. A handled message answers
// through DWLP_MSGRESULT, except the few the dialog manager takes as the procedure's own result.
#pragma once

#include <windows.h>

#include <prsht.h>

class CDialogWindow {
 public:
  CDialogWindow() = default;
  CDialogWindow(const CDialogWindow&) = delete;
  CDialogWindow& operator=(const CDialogWindow&) = delete;
  virtual ~CDialogWindow() = default;

  HWND GetHwnd() const { return hwnd_; }

  // A modal dialog from the module's template, owned by owner; the result of EndDialog, or -1 when the
  // dialog cannot be shown.
  INT_PTR DoModal(HWND owner, UINT templateId);
  // The page description a property sheet creates this object's page from.
  PROPSHEETPAGEW PageTemplate(UINT templateId);

 protected:
  // The message map. `handled` starts true; a handler that wants the dialog manager's default clears it.
  virtual LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

 private:
  static INT_PTR CALLBACK ModalProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK PageProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
  static INT_PTR Route(CDialogWindow* self, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

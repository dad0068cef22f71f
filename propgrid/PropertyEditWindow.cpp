#include "propgrid/PropertyEditWindow.h"

#include <new>

#include "propgrid/GridProtocol.h"

HWND CPropertyEditWindow::Create(HWND grid, const RECT& cell, const wchar_t* text, bool numbersOnly) {
  const DWORD style = kStyle | (numbersOnly ? ES_NUMBER : 0);
  HWND window = CreateWindowExW(0, L"EDIT", text ? text : L"", style, cell.left, cell.top + 1, cell.right - cell.left,
                                (cell.bottom - 1) - (cell.top + 1), grid, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  auto* editor = new (std::nothrow) CPropertyEditWindow();
  if (!editor || !editor->Attach(window)) {
    delete editor;
    DestroyWindow(window);
    return nullptr;
  }
  editor->SetUpControl();
  return window;
}

void CPropertyEditWindow::SetUpControl() {
  const HWND window = GetHwnd();
  SendMessageW(window, WM_SETFONT, SendMessageW(GetParent(window), WM_GETFONT, 0, 0), TRUE);
  SendMessageW(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_BORDER | WS_TABSTOP));
}

LRESULT CPropertyEditWindow::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  const HWND window = GetHwnd();
  switch (msg) {
    case WM_KEYDOWN:
      // Enter leaves the editor (committing through the loss of focus) unless Ctrl is held, when the
      // multi-line control takes it as a line break; Escape leaves it cancelled. The control sees both.
      if (wParam == VK_RETURN && GetKeyState(VK_CONTROL) >= 0) {
        SetFocus(GetParent(window));
      } else if (wParam == VK_ESCAPE) {
        cancel_ = true;
        SetFocus(GetParent(window));
      }
      handled = false;
      return 0;
    case WM_CHAR:
      if (wParam == VK_ESCAPE) return 0;  // never typed into the value
      handled = false;
      return 0;
    case WM_SETFOCUS:
      cancel_ = false;
      handled = false;
      return 0;
    case WM_KILLFOCUS: {
      const LRESULT result = CallPreviousProc(msg, wParam, lParam);
      PostMessageW(GetParent(window), cancel_ ? WM_PROP_CANCEL : WM_PROP_UPDATE, 0, reinterpret_cast<LPARAM>(window));
      return result;
    }
    case WM_GETDLGCODE:
      return CallPreviousProc(msg, wParam, lParam) | DLGC_WANTALLKEYS;
    default:
      handled = false;
      return 0;
  }
}

#include "propgrid/PropertyDropWindow.h"

#include <new>

#include "propgrid/GridProtocol.h"
#include "propgrid/PropertyRows.h"

// --- the edit and its button ----------------------------------------------------------------------------

template <class T, bool Arrow>
HWND CPropertyDropWindowImpl<T, Arrow>::CreateEdit(T* editor, HWND grid, const RECT& cell, const wchar_t* text) {
  HWND window = CreateWindowExW(0, L"EDIT", text ? text : L"", kStyle, cell.left, cell.top + 1, cell.right - cell.left,
                                (cell.bottom - 1) - (cell.top + 1), grid, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) {
    delete editor;
    return nullptr;
  }
  if (!editor->Attach(window)) {
    delete editor;
    DestroyWindow(window);
    return nullptr;
  }
  return window;
}

template <class T, bool Arrow>
bool CPropertyDropWindowImpl<T, Arrow>::SetUpEdit() {
  const HWND edit = GetHwnd();
  RECT client;
  GetClientRect(edit, &client);
  const int side = client.bottom - client.top;
  const WPARAM font = static_cast<WPARAM>(SendMessageW(GetParent(edit), WM_GETFONT, 0, 0));
  SendMessageW(edit, WM_SETFONT, font, TRUE);
  SetWindowLongPtrW(edit, GWL_STYLE, GetWindowLongPtrW(edit, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, side));
  HWND button = CreateWindowExW(0, L"BUTTON", L"", kButtonStyle, client.right - side, client.top - 1, side,
                                client.bottom - (client.top - 1), edit, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!button) return false;
  if (!button_.Attach(button)) {
    DestroyWindow(button);
    return false;
  }
  SendMessageW(button, WM_SETFONT, font, TRUE);
  return true;
}

template <class T, bool Arrow>
LRESULT CPropertyDropWindowImpl<T, Arrow>::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_SETFOCUS: {
      // The focus rests on the button: the text is never typed into or selected.
      const LRESULT result = CallPreviousProc(msg, wParam, lParam);
      if (Button()) SetFocus(Button());
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item && item->hwndItem == Button()) DrawButton(*item);
      return TRUE;
    }
    case WM_GETDLGCODE:
      return CallPreviousProc(msg, wParam, lParam) | DLGC_WANTALLKEYS;
    default:
      handled = false;
      return 0;
  }
}

template <class T, bool Arrow>
void CPropertyDropWindowImpl<T, Arrow>::DrawButton(const DRAWITEMSTRUCT& item) {
  RECT box = item.rcItem;
  const UINT pushed = (item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0;
  if (Arrow) {
    DrawFrameControl(item.hDC, &box, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | pushed);
    return;
  }
  DrawFrameControl(item.hDC, &box, DFC_BUTTON, DFCS_BUTTONPUSH | pushed);
  const int mode = SetBkMode(item.hDC, TRANSPARENT);
  DrawTextW(item.hDC, L"...", 3, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EDITCONTROL);
  SetBkMode(item.hDC, mode);
}

template <class T, bool Arrow>
LRESULT CPropertyDropWindowImpl<T, Arrow>::ButtonMessage(void* editor, CDropPart& part, UINT msg, WPARAM wParam,
                                                         LPARAM lParam, bool& handled) {
  auto* self = static_cast<CPropertyDropWindowImpl*>(editor);
  switch (msg) {
    case WM_KEYDOWN:
      // Escape on the button keeps what the editor shows.
      if (wParam == VK_ESCAPE) {
        self->EndEditing(WM_PROP_UPDATE);
        return 0;
      }
      handled = false;
      return 0;
    case WM_GETDLGCODE:
      return part.Previous(msg, wParam, lParam) | DLGC_WANTALLKEYS;
    default:
      handled = false;
      return 0;
  }
}

template class CPropertyDropWindowImpl<CPropertyButtonWindow, false>;
template class CPropertyDropWindowImpl<CPropertyComboWindow, true>;

// --- the button row's editor ----------------------------------------------------------------------------

HWND CPropertyButtonWindow::Create(HWND grid, const RECT& cell, const wchar_t* text, CProperty* item) {
  auto* editor = new (std::nothrow) CPropertyButtonWindow(item);
  if (!editor) return nullptr;
  HWND window = CreateEdit(editor, grid, cell, text);
  if (window && !editor->SetUpEdit()) {
    DestroyWindow(window);
    return nullptr;
  }
  return window;
}

LRESULT CPropertyButtonWindow::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (item_) item_->OnAction(PROP_ACTION_BROWSE, 0);
    return 0;
  }
  return CPropertyDropWindowImpl::ProcessMessage(msg, wParam, lParam, handled);
}

// --- the list row's editor ------------------------------------------------------------------------------

HWND CPropertyComboWindow::Create(HWND grid, const RECT& cell, const wchar_t* text,
                                  const std::vector<std::wstring>& texts, int index) {
  auto* editor = new (std::nothrow) CPropertyComboWindow();
  if (!editor) return nullptr;
  HWND window = CreateEdit(editor, grid, cell, text);
  if (!window) return nullptr;
  if (!editor->CreateDropList() || !editor->SetUpEdit()) {
    DestroyWindow(window);
    return nullptr;
  }
  const HWND list = editor->DropList();
  for (const std::wstring& option : texts)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option.c_str()));
  editor->dropHeight_ = 0;
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return window;
}

bool CPropertyComboWindow::CreateDropList() {
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", kListStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, GetHwnd(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!list) return false;
  if (!list_.Attach(list)) {
    DestroyWindow(list);
    return false;
  }
  SendMessageW(list, WM_SETFONT, SendMessageW(GetParent(GetHwnd()), WM_GETFONT, 0, 0), FALSE);
  return true;
}

void CPropertyComboWindow::ShowDropList() {
  const HWND list = DropList();
  if (!list) return;
  if (dropHeight_ == 0) {
    RECT listBox;
    GetWindowRect(list, &listBox);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    const LRESULT rowHeight = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const int height = listBox.top + static_cast<int>(count * rowHeight) + 2 * GetSystemMetrics(SM_CYBORDER);
    dropHeight_ = height > kMaxDropHeight ? kMaxDropHeight : height;
  }
  RECT edit;
  GetWindowRect(GetHwnd(), &edit);
  SetWindowPos(list, HWND_TOP, edit.left, edit.bottom, edit.right - edit.left, dropHeight_, SWP_SHOWWINDOW);
}

void CPropertyComboWindow::TakeSelection() {
  const HWND list = DropList();
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected >= 0) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length >= 0) {
      std::wstring text(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<size_t>(length));
      SetWindowTextW(GetHwnd(), text.c_str());
      EndEditing(WM_PROP_UPDATE);
    }
  }
  SetFocus(GetParent(GetHwnd()));
}

LRESULT CPropertyComboWindow::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_DESTROY:
      if (DropList()) DestroyWindow(DropList());
      handled = false;
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        ShowDropList();
        return 0;
      }
      break;
    default:
      break;
  }
  return CPropertyDropWindowImpl::ProcessMessage(msg, wParam, lParam, handled);
}

LRESULT CPropertyComboWindow::ListMessage(void* editor, CDropPart& part, UINT msg, WPARAM wParam, LPARAM lParam,
                                          bool& handled) {
  auto* self = static_cast<CPropertyComboWindow*>(editor);
  switch (msg) {
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        self->TakeSelection();
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        self->EndEditing(WM_PROP_CANCEL);
        SetFocus(GetParent(self->GetHwnd()));
        return 0;
      }
      handled = false;
      return 0;
    case WM_KILLFOCUS: {
      const LRESULT result = part.Previous(msg, wParam, lParam);
      ShowWindow(part.GetHwnd(), SW_HIDE);
      return result;
    }
    case WM_LBUTTONUP: {
      // The row under the mouse is selected by the list's own button-down handling.
      self->TakeSelection();
      handled = false;
      return 0;
    }
    default:
      handled = false;
      return 0;
  }
}

#include "SheetSteps.h"

#include <commctrl.h>

#include "comkit/ComText.h"
#include "propgrid/GridProtocol.h"
#include "propgrid/PropertyRows.h"

namespace pt {

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

HWND GridOf(HWND sheet) {
  const HWND page = CurrentPage(sheet);
  return page ? GetDlgItem(page, 1000) : nullptr;
}

CProperty* RowNamed(HWND grid, const std::wstring& name, int* index) {
  // A value row before a category of the same name ("Text" is both).
  const int count = static_cast<int>(SendMessageW(grid, LB_GETCOUNT, 0, 0));
  for (bool category : {false, true}) {
    for (int i = 0; i < count; ++i) {
      auto* row = reinterpret_cast<CProperty*>(SendMessageW(grid, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
      if (!row || row == reinterpret_cast<CProperty*>(LB_ERR) || row->Name() != name) continue;
      if ((row->GetKind() == PROP_KIND_CATEGORY) != category) continue;
      if (index) *index = i;
      return row;
    }
  }
  return nullptr;
}

std::vector<std::wstring> RowNames(HWND grid) {
  std::vector<std::wstring> names;
  const int count = static_cast<int>(SendMessageW(grid, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    auto* row = reinterpret_cast<CProperty*>(SendMessageW(grid, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    names.push_back(row ? row->Name() : L"<none>");
  }
  return names;
}

ModalDriver::Step SetRowText(const std::wstring& name, const std::wstring& text) {
  return [name, text](HWND sheet) {
    const HWND grid = GridOf(sheet);
    CProperty* row = grid ? RowNamed(grid, name) : nullptr;
    if (!row) return false;
    CVariant value;
    V_VT(&value.get()) = VT_BSTR;
    V_BSTR(&value.get()) = SysAllocString(text.c_str());
    SendMessageW(grid, WM_PROP_SETVALUE, reinterpret_cast<WPARAM>(&value.get()), reinterpret_cast<LPARAM>(row));
    return true;
  };
}

ModalDriver::Step PressSheetButton(int button) {
  return [button](HWND sheet) {
    if (!CurrentPage(sheet)) return false;
    // The sheet's own buttons, clicked as the mouse clicks them (a disabled one ignores the click).
    const int id = button == PSBTN_OK ? IDOK : button == PSBTN_CANCEL ? IDCANCEL : 0x3021;
    PostMessageW(GetDlgItem(sheet, id), BM_CLICK, 0, 0);
    return true;
  };
}

ModalDriver::Step OpenRowDialog(const std::wstring& name) {
  return [name](HWND sheet) {
    const HWND grid = GridOf(sheet);
    CProperty* row = grid ? RowNamed(grid, name) : nullptr;
    if (!row) return false;
    PostMessageW(grid, WM_PROP_EDIT, 0, reinterpret_cast<LPARAM>(row));
    return true;
  };
}

}  // namespace pt

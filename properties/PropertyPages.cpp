#include "properties/PropertyPages.h"

#include <string>

#include "comkit/ComText.h"
#include "comkit/VariantText.h"
#include "properties/ApplyableProperty.h"
#include "properties/PropertyCatalogue.h"
#include "propgrid/Reflection.h"
#include "resource_ids.h"
#include "window/WindowText.h"

// --- Basic ------------------------------------------------------------------------------------------------

DWORD CHTMLBasicPropertiesPage::GetElementType() const { return ::GetElementType(element_.get()); }

template <class F>
void CHTMLBasicPropertiesPage::ForEachRow(F&& apply) {
  for (int i = 0, count = grid_.GetCount(); i < count; ++i) {
    CProperty* row = grid_.GetItem(i);
    if (auto* applyable = dynamic_cast<CApplyableProperty*>(row)) apply(*applyable);
    // A folded category holds its rows: their edits count all the same.
    if (auto* category = dynamic_cast<CCategoryProperty*>(row)) {
      for (size_t held = 0; held < category->HeldCount(); ++held)
        if (auto* applyable = dynamic_cast<CApplyableProperty*>(category->HeldAt(held))) apply(*applyable);
    }
  }
}

void CHTMLBasicPropertiesPage::OnInitDialog() {
  const HWND list = GetDlgItem(GetHwnd(), IDC_PROPERTY_GRID);
  if (list && grid_.SubclassGrid(list)) {
    SendMessageW(list, WM_SETTINGCHANGE, 0, 0);
    InvalidateRect(list, nullptr, TRUE);
    BuildPropertyCatalogue(grid_, element_.get(), locked_);
  }
}

void CHTMLBasicPropertiesPage::MarkModified() { PropSheet_Changed(GetParent(GetHwnd()), GetHwnd()); }

LRESULT CHTMLBasicPropertiesPage::OnNotify(const NMHDR& notice, bool& handled) {
  if (notice.idFrom == IDC_PROPERTY_GRID && notice.hwndFrom == grid_.GetHwnd()) {
    if (notice.code == static_cast<UINT>(PGN_VALUECHANGED)) {
      MarkModified();
      return 0;
    }
    if (notice.code == static_cast<UINT>(PGN_EDIT)) {
      auto* row = dynamic_cast<CApplyableProperty*>(reinterpret_cast<const NMPROPERTYGRID&>(notice).item);
      if (row && row->Edit() == 1) MarkModified();
      return 0;
    }
  }
  switch (notice.code) {
    case PSN_APPLY:
      grid_.CommitEditor();  // what is typed in an open editor is part of the apply
      ForEachRow([](CApplyableProperty& row) { row.Apply(); });
      return PSNRET_NOERROR;
    case PSN_RESET:
      ForEachRow([](CApplyableProperty& row) { row.Restore(); });
      return 0;
    case PSN_KILLACTIVE:
      grid_.CommitEditor();
      return FALSE;
    case PSN_SETACTIVE:
    case PSN_QUERYCANCEL:
    case PSN_HELP:
    case PSN_WIZBACK:
    case PSN_WIZNEXT:
    case PSN_WIZFINISH:
      return 0;
    default:
      handled = false;
      return 0;
  }
}

LRESULT CHTMLBasicPropertiesPage::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == WM_INITDIALOG) {
    OnInitDialog();
    return TRUE;
  }
  if (msg == WM_NOTIFY && lParam) {
    const LRESULT result = OnNotify(*reinterpret_cast<const NMHDR*>(lParam), handled);
    if (handled) return result;
    handled = true;
  }
  LRESULT result = 0;
  if (ReflectToControl(GetHwnd(), msg, wParam, lParam, result)) return result;
  handled = false;
  return 0;
}

// --- Custom ---------------------------------------------------------------------------------------------

void CHTMLCustomPropertiesPage::OnGet() {
  if (!element_) return;
  CBstr name(DialogItemText(GetHwnd(), IDC_ATTRIBUTE_NAME).c_str());
  CVariant value;
  std::wstring text;
  if (FAILED(element_->getAttribute(name.get(), 0, &value.get())) || value.Type() == VT_NULL) return;
  if (!VariantToText(value.get(), text)) return;
  SetDlgItemTextW(GetHwnd(), IDC_ATTRIBUTE_VALUE, text.c_str());
}

void CHTMLCustomPropertiesPage::OnSet() {
  if (!element_ || locked_) return;
  CBstr name(DialogItemText(GetHwnd(), IDC_ATTRIBUTE_NAME).c_str());
  CVariant value;
  AssignText(value, DialogItemText(GetHwnd(), IDC_ATTRIBUTE_VALUE));
  element_->setAttribute(name.get(), value.get(), 0);
}

LRESULT CHTMLCustomPropertiesPage::ProcessMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
  switch (msg) {
    case WM_INITDIALOG:
      if (locked_) EnableWindow(GetDlgItem(GetHwnd(), IDC_SET_ATTRIBUTE), FALSE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_GET_ATTRIBUTE && HIWORD(wParam) == BN_CLICKED) {
        OnGet();
        return 0;
      }
      if (LOWORD(wParam) == IDC_SET_ATTRIBUTE && HIWORD(wParam) == BN_CLICKED) {
        OnSet();
        return 0;
      }
      break;
    default:
      break;
  }
  handled = false;
  return 0;
}

#include "properties/PropertySheet.h"

#include <new>
#include <string>

#include "properties/ResourceText.h"
#include "resource_ids.h"
#include "window/ModuleInstance.h"
#include "window/Trace.h"

namespace {

constexpr UINT kApplyButton = 12321;  // the sheet's Apply button (ID_APPLY_NOW)

// The sheet being created: its callback has no other way to find the object. Sheets are modal, and the
// callback runs before anything else can open another one.
CMessageWindow* sheetBeingCreated = nullptr;

}  // namespace

CHTMLPropDlg::CHTMLPropDlg(HWND owner, IHTMLElement* element, DWORD locked)
    : owner_(owner), element_(CComRef<IHTMLElement>::Share(element)), locked_(locked), sheetWindow_(owner) {
  if (element_) CreatePages();
}

CHTMLPropDlg::~CHTMLPropDlg() {
  // Pages never handed to a shown sheet are still ours to destroy.
  for (int i = 0; i < pageCount_; ++i)
    if (pages_[i]) DestroyPropertySheetPage(pages_[i]);
}

int CHTMLPropDlg::CreatePages() {
  if (pageCount_ > 0 || basic_ || custom_) return 1;  // made once: the construction made them
  const bool locked = locked_ != 0;
  basic_.reset(new (std::nothrow) CHTMLBasicPropertiesPage(element_.get(), locked));
  if (!basic_) {
    TRACE("CHTMLPropDlg::CreatePages(): Can't create basic properties page, not enough memory\n");
  } else {
    PROPSHEETPAGEW page = basic_->PageTemplate(IDD_BASIC_PROPERTIES_PAGE);
    if (HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page)) pages_[pageCount_++] = handle;
  }
  custom_.reset(new (std::nothrow) CHTMLCustomPropertiesPage(element_.get(), locked));
  if (!custom_) {
    TRACE("CHTMLPropDlg::CreatePages(): Can't create custom properties page, not enough memory\n");
  } else {
    PROPSHEETPAGEW page = custom_->PageTemplate(IDD_CUSTOM_PROPERTIES_PAGE);
    if (HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page)) pages_[pageCount_++] = handle;
  }
  return 1;
}

INT_PTR CHTMLPropDlg::DoModal() {
  const std::wstring caption = ResourceString(IDS_PROPERTY_SHEET_CAPTION);
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_USECALLBACK;
  header.hwndParent = owner_ ? owner_ : GetActiveWindow();
  header.hInstance = Module_Instance();
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(pageCount_);
  header.nStartPage = 0;
  header.phpage = pages_;
  header.pfnCallback = &CHTMLPropDlg::SheetCallback;
  sheetBeingCreated = &sheetWindow_;
  const INT_PTR result = PropertySheetW(&header);
  sheetBeingCreated = nullptr;
  // The sheet destroyed its pages, shown or not.
  for (HPROPSHEETPAGE& page : pages_) page = nullptr;
  pageCount_ = 0;
  return result > 0 ? 1 : 0;
}

int CALLBACK CHTMLPropDlg::SheetCallback(HWND sheet, UINT msg, LPARAM) {
  if (msg == PSCB_INITIALIZED && sheetBeingCreated) {
    sheetBeingCreated->Attach(sheet);
    sheetBeingCreated = nullptr;
  }
  return 0;
}

LRESULT CHTMLPropDlg::CSheetWindow::ProcessMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
  if (msg == WM_COMMAND && LOWORD(wParam) == kApplyButton && HIWORD(wParam) == BN_CLICKED && owner_)
    PostMessageW(owner_, WM_COMMAND, kSheetAppliedCommand, reinterpret_cast<LPARAM>(GetHwnd()));
  handled = false;  // the sheet goes on with its own Apply
  return 0;
}

// "Element properties": the modal property sheet for one element, with its Basic and Custom pages. OK
// and Apply write every row's value, Cancel puts back what the rows wrote; Apply also tells the owner
// (the control) with a posted command, so that it can follow a new form size at once.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <memory>

#include "comkit/ComRef.h"
#include "properties/PropertyPages.h"
#include "window/MessageWindow.h"

// The command the sheet posts to its owner when Apply is pressed: WM_COMMAND, this wParam, lParam the sheet.
inline constexpr WPARAM kSheetAppliedCommand = MAKEWPARAM(10000, 1);

class CHTMLPropDlg {
 public:
  // Without an element the sheet has no pages.
  CHTMLPropDlg(HWND owner, IHTMLElement* element, DWORD locked);
  ~CHTMLPropDlg();
  CHTMLPropDlg(const CHTMLPropDlg&) = delete;
  CHTMLPropDlg& operator=(const CHTMLPropDlg&) = delete;

  // Shows the sheet modally; 1 when it was closed with OK, else 0.
  INT_PTR DoModal();

  int CreatePages();

 private:
  // Watches the sheet's own window for its Apply button.
  class CSheetWindow : public CMessageWindow {
   public:
    explicit CSheetWindow(HWND owner) : owner_(owner) {}

   protected:
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

   private:
    HWND owner_;
  };
  static int CALLBACK SheetCallback(HWND sheet, UINT msg, LPARAM lParam);

  HWND owner_;
  CComRef<IHTMLElement> element_;
  DWORD locked_;
  std::unique_ptr<CHTMLBasicPropertiesPage> basic_;
  std::unique_ptr<CHTMLCustomPropertiesPage> custom_;
  HPROPSHEETPAGE pages_[2] = {};
  int pageCount_ = 0;
  CSheetWindow sheetWindow_;
};

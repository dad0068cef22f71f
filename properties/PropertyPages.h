// The two pages of the element property sheet: Basic, the categorised grid of the element's catalogue,
// and Custom, any attribute read and written by name.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "comkit/ComRef.h"
#include "propgrid/PropertyGrid.h"
#include "window/DialogWindow.h"

class CApplyableProperty;

class CHTMLBasicPropertiesPage : public CDialogWindow {
 public:
  CHTMLBasicPropertiesPage(IHTMLElement* element, bool locked)
      : element_(CComRef<IHTMLElement>::Share(element)), locked_(locked) {}

  DWORD GetElementType() const;
  CPropertyGrid& Grid() { return grid_; }

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void OnInitDialog();
  LRESULT OnNotify(const NMHDR& notice, bool& handled);
  void MarkModified();
  // Every row of the grid in order, those a folded category holds included.
  template <class F>
  void ForEachRow(F&& apply);

  CComRef<IHTMLElement> element_;
  bool locked_;
  CPropertyGrid grid_;  // outlives the list box it takes over: the page object outlives its window
};

class CHTMLCustomPropertiesPage : public CDialogWindow {
 public:
  CHTMLCustomPropertiesPage(IHTMLElement* element, bool locked)
      : element_(CComRef<IHTMLElement>::Share(element)), locked_(locked) {}

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void OnGet();
  void OnSet();

  CComRef<IHTMLElement> element_;
  bool locked_;
};

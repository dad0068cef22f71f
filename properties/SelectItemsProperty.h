// The Items row of a list or drop-down: the select's options, edited as a list in their own dialog. The
// options are rebuilt only when the list was changed there, and put back only when they were rebuilt.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <vector>

#include "comkit/ComRef.h"
#include "properties/ApplyableProperty.h"
#include "properties/PropertyDialogs.h"
#include "propgrid/PropertyRows.h"

class CHTMLSelectItemsProperty : public CPropertyFileNameItem, public CApplyableProperty {
 public:
  CHTMLSelectItemsProperty(const wchar_t* displayName, IHTMLElement* select);

  int Edit() override;
  int Apply() override;
  int Restore() override;

  // The options of the select into both lists.
  void LoadOptions();
  // Replaces the select's options with list; 0 when the select cannot take new options (nothing removed).
  int SaveOptions(const std::vector<SelectOption>& list);
  int ClearSelect();

  const std::vector<SelectOption>& Options() const { return current_; }

 private:
  CComRef<IHTMLElement> element_;
  std::vector<SelectOption> initial_;  // as the sheet found them
  std::vector<SelectOption> current_;  // as the user left them
  std::vector<SelectOption> written_;  // what the select holds now from this row (initial_ until rebuilt)
  bool rebuilt_ = false;               // the row rebuilt the options during this sheet
};

bool operator==(const SelectOption& a, const SelectOption& b);
